// A slow server never holds the station: the real program in real time, against a server on
// 127.0.0.1 that answers after seven seconds, with real speech and playback into a silent sink.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "core/clock.h"
#include "e2e/program_run.h"
#include "e2e/run_binary.h"
#include "platform/local_servers.h"

namespace {

constexpr long kDayMs = 24L * 3600 * 1000;

// The transcript's clock, "hh:mm:ss.mmm", in ms of the day.
long msOfDay(const std::string& line) {
    return ((std::stol(line.substr(0, 2)) * 60 + std::stol(line.substr(3, 2))) * 60 + std::stol(line.substr(6, 2))) *
               1000 +
           std::stol(line.substr(9, 3));
}

// The first transcript line at or after `from` that holds every given piece. Times run on past
// midnight (a run that starts at 23:59:58 sees its later lines at 24:00:05, not 00:00:05), so a
// run across midnight reads like any other.
struct Seen {
    long at = -1;
    std::string line;
};
Seen first(const BinaryRun& run, std::vector<std::string> pieces, long from = 0) {
    long previous = -1, days = 0;
    for (const auto& line : run.out) {
        if (line.size() < 13) continue;
        long at = msOfDay(line) + days;
        if (previous >= 0 && at < previous - kDayMs / 2) {
            days += kDayMs;
            at += kDayMs;
        }
        previous = at;
        if (at < from) continue;
        bool all = true;
        for (const auto& p : pieces) all = all && line.find(p) != std::string::npos;
        if (all) return {at, line};
    }
    return {};
}

// Two seconds of silence as a WAV file.
std::string twoSecondWav(const TempFolder& folder) {
    const std::string path = folder.file("two.wav");
    const int rate = 8000, samples = 2 * rate;
    std::ofstream out(path, std::ios::binary);
    auto u32 = [&](std::uint32_t v) { out.write(reinterpret_cast<const char*>(&v), 4); };
    auto u16 = [&](std::uint16_t v) { out.write(reinterpret_cast<const char*>(&v), 2); };
    out.write("RIFF", 4);
    u32(36 + samples * 2);
    out.write("WAVEfmt ", 8);
    u32(16);
    u16(1);
    u16(1);
    u32(rate);
    u32(rate * 2);
    u16(2);
    u16(16);
    out.write("data", 4);
    u32(samples * 2);
    out << std::string(samples * 2, '\0');
    return path;
}

class SlowServer : public ::testing::Test {
protected:
    void SetUp() override {
        setenv("MVSMALL_AUDIO_SINK", "fakesink sync=true", 1);
        ASSERT_TRUE(http.started()) << http.problem();
    }
    void TearDown() override { unsetenv("MVSMALL_AUDIO_SINK"); }
    std::string late(const std::string& path, int seconds = 7) {
        return "http://127.0.0.1:" + std::to_string(http.port()) + "/late/" + std::to_string(seconds) + "/" + path;
    }
    LocalServer http{httpServerScript(), {}};
};

TEST_F(SlowServer, AWebPageSlotLetsTheStationGoOnWhileThePageArrives) {
    TempFolder folder;
    const std::string wav = twoSecondWav(folder);
    const auto run = runHeadless(folder,
                                 "set Form23.Text43 55\nset Form23.Text21 " + late("page.html") +
                                     "\nset Form23.Text42 66\nset Form23.Text22 " + wav +
                                     "\nwait 1\ndtmf 55\nwait 3\ndtmf 66\nwait 32\nquit\n",
                                 "");
    ASSERT_EQ(run.exitCode, 0) << run.err;
    const Seen standBy = first(run, {" WAV ", "\"Stand By\""});
    ASSERT_GE(standBy.at, 0);
    const Seen standByOff = first(run, {" KEY off"}, standBy.at);
    ASSERT_GE(standByOff.at, 0);
    EXPECT_LT(standByOff.at - standBy.at, 3000) << "the key comes off after \"Stand By\", not after the page";

    // The listener's second code, sent three seconds after the first, is served at once, and its
    // two-second file is keyed for its length only.
    const Seen file = first(run, {" PLAY ", "two.wav"}, standBy.at);
    ASSERT_GE(file.at, 0);
    EXPECT_LT(file.at - standBy.at, 3000 + 1500);
    const Seen fileOff = first(run, {" KEY off"}, file.at);
    ASSERT_GE(fileOff.at, 0);
    EXPECT_GE(fileOff.at - file.at, 2000 - 50);
    EXPECT_LT(fileOff.at - file.at, 2000 + 1000) << "the key stayed down while the page was awaited";

    // The page's text follows once it has arrived.
    const Seen page = first(run, {" WAV ", "Net news"}, standBy.at);
    ASSERT_GE(page.at, 0) << "the page was never read:\n" << [&] {
        std::string all;
        for (const auto& line : run.out) all += line + "\n";
        return all;
    }();
    EXPECT_GE(page.at - standBy.at, 7000);
    EXPECT_GE(first(run, {" KEY on"}, page.at).at, 0);
}

TEST_F(SlowServer, AnUpdateCheckLeavesAPlayingFilesKeyTimingAlone) {
    TempFolder folder;
    const std::string wav = twoSecondWav(folder);
    std::filesystem::create_directories(folder.file("config"));
    folder.write("config/maroabc.ini", "[SETTINGS]\nVersionFile=" + late("version.txt") + "\n");
    const long started = static_cast<long>(RealClock().now() % kDayMs);
    const auto run = runHeadless(folder,
                                 "set Form23.Text42 66\nset Form23.Text22 " + wav +
                                     "\nwait 1\ndtmf 66\nwait 0.3\nclick Form14.Command24\nwait 9\nquit\n",
                                 "");
    ASSERT_EQ(run.exitCode, 0) << run.err;
    const Seen file = first(run, {" PLAY ", "two.wav"});
    ASSERT_GE(file.at, 0);
    // The start-up check, asking the same server, does not hold up the first code either.
    EXPECT_LT((file.at - started + kDayMs) % kDayMs, 5000);
    const Seen fileOff = first(run, {" KEY off"}, file.at);
    ASSERT_GE(fileOff.at, 0);
    EXPECT_GE(fileOff.at - file.at, 2000 - 50);
    EXPECT_LT(fileOff.at - file.at, 2000 + 1000) << "the key stayed down while the version file was awaited";
}

// The page reader waits up to 15 s for a page; a program told to end meanwhile ends at once.
TEST_F(SlowServer, AProgramEndingWhileAPageIsAwaitedEndsWithoutWaitingForIt) {
    TempFolder folder;
    ProgramRun program;
    program.args = {"--headless", "--config", folder.file("config"), "--data", folder.file("data")};
    program.input = "set Form23.Text43 55\nset Form23.Text21 " + late("page.html", 40) + "\nwait 1\ndtmf 55\nwait 3\nquit\n";
    program.timeEndFrom = "\"Stand By\"";   // said as the page is asked for
    const ProgramResult run = runProgram(program);
    ASSERT_EQ(run.exitCode, 0) << run.err;
    ASSERT_GE(run.secondsToEnd, 0) << "the page was asked for";
    // The reader gives a page 15 s; the end comes 3 s after the request, not then.
    EXPECT_LT(run.secondsToEnd, 3 + 5.0) << "the end waited for the page's time-out";
}

}  // namespace
