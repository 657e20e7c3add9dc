// A delay timer waits its whole interval from the moment it is started, wherever in the wall-clock
// second that is. Through the real program in virtual time.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "core/text.h"
#include "e2e/run_binary.h"

namespace {

struct DelayRow {
    const char* name;
    const char* settingsFile;   // in the config folder
    const char* settings;
    const char* input;
    const char* startLine;      // the transcript line (after the clock) from which the delay runs,
                                // or, when it is empty, the console's own time `startedAt`
    const char* startedAt;
    const char* actLine;        // the line that shows the delay has run out (its start)
    double delaySeconds;
};

class DelayTimers : public ::testing::TestWithParam<DelayRow> {};

// Milliseconds since midnight of a transcript stamp "hh:mm:ss.mmm".
long stampOf(const std::string& line) {
    return std::stol(line.substr(0, 2)) * 3600000 + std::stol(line.substr(3, 2)) * 60000 +
           std::stol(line.substr(6, 2)) * 1000 + std::stol(line.substr(9, 3));
}

TEST_P(DelayTimers, WaitTheirWholeInterval) {
    const DelayRow& row = GetParam();
    TempFolder folder;
    std::filesystem::create_directories(folder.file("config"));
    folder.write(std::string("config/") + row.settingsFile, std::string("[SETTINGS]\n") + row.settings);
    const auto run = runHeadless(folder, row.input, "--virtual-time \"2026-12-10 12:00:00\"");
    ASSERT_EQ(run.err, "");
    std::string started = *row.startLine ? "" : row.startedAt, acted;
    for (const auto& line : run.out) {
        if (line.size() < 14) continue;
        if (started.empty() && startsWith(line.substr(13), row.startLine)) started = line.substr(0, 12);
        if (acted.empty() && startsWith(line.substr(13), row.actLine)) acted = line;
    }
    ASSERT_FALSE(started.empty()) << row.startLine;
    ASSERT_FALSE(acted.empty()) << row.actLine;
    const double waited = static_cast<double>(stampOf(acted) - stampOf(started)) / 1000.0;
    EXPECT_GE(waited, row.delaySeconds) << started << " / " << acted;
    EXPECT_LT(waited, row.delaySeconds + 0.05) << "the next grid step, not a wall-clock second later";
}

INSTANTIATE_TEST_SUITE_P(
    E2E, DelayTimers,
    ::testing::Values(
        // The connect handler arms the one-second greeting delay at 12:00:00.966, 34 ms before
        // the next wall-clock second.
        DelayRow{"greeting_delay_of_one_second", "marogreeting.ini", "BEACONPERIODDELAY=1\nUSEGREETING=1\n",
                 "set Form3.Check1 1\nwait 0.966\nconnect W1ABC John 1.2.3.4\nwait 3\n", "", "12:00:00.966", "CHAT",
                 1.0},
        // The page is asked for 1.5 s after "Stand By" has started playing (the reader's delay is
        // armed after the key-up delay); the offline page fails at once, which the log shows.
        DelayRow{"web_reader_delay_of_one_and_a_half_seconds", "marodtmfhelpMP3.ini",
                 "TEXT2=1.5\nTEXT43=55\nTEXT21=http://127.0.0.1:9/page.html\n", "wait 5.655\ndtmf 55\nwait 5\n",
                 "PLAY", "", "LOG \"http://127.0.0.1:9/page.html <-- Web page could not be read", 1.5}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
