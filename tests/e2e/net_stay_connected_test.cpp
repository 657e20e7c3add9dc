// A net clears the sysop's first two stay-connected stations for its time only: a save during the
// net keeps the sysop's choice, and an end EchoLink does not take is made once it answers.
// Through the real program in virtual time, Thursday 10 December 2026.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "core/text.h"
#include "e2e/run_binary.h"

namespace {

const char* const kStations = "[SETTINGS]\nCONNECTSTATION1=W1AAA\nSTAYCON1=1\nCONNECTSTATION2=W2BBB\nSTAYCON2=1\n";
// Set 1's first slot: W9NET at 12:01:15 for two minutes, listed busy and listen-only.
const char* const kNet =
    "[SETTINGS]\nTHUR=1\nHOUR=12\nMINS=01\nNETCALL1=W9NET\nDISCMINS1=2\nCHECK3=1\nSHOWBUSY1=1\nCHECK23=1\n";

void writeSettings(const TempFolder& folder) {
    std::filesystem::create_directories(folder.file("config"));
    folder.write("config/identabc.ini", kStations);
    folder.write("config/dtmfctrl.ini", kNet);
}

// The answers to `get` and the transcript lines at or after `from` whose event word is one of
// `words`, with their times.
std::vector<std::string> lines(const BinaryRun& run, const std::vector<std::string>& words, const std::string& from) {
    std::vector<std::string> out;
    for (const auto& line : run.out) {
        if (startsWith(line, "= ")) out.push_back(line);
        if (line.size() < 14 || line.substr(0, 12) < from) continue;
        for (const auto& w : words)
            if (startsWith(line.substr(13), w + " ")) out.push_back(line);
    }
    return out;
}

TEST(NetStayConnected, SaveExitDuringANetKeepsTheSysopsChoiceAcrossARestart) {
    TempFolder folder;
    writeSettings(folder);
    const auto during = runHeadless(folder, "wait 30\nget Form3.StayCon1\nclick Form5.Command5\n",
                                    "--virtual-time \"2026-12-10 12:00:50\"");
    ASSERT_EQ(during.exitCode, 0);
    ASSERT_EQ(lines(during, {"CONNECT"}, ""), (std::vector<std::string>{"12:01:15.024 CONNECT W9NET", "= 0"}))
        << "the net runs and holds the box clear when Save / Exit is pressed";

    const auto after = runHeadless(folder, "get Form3.StayCon1\nget Form3.StayCon2\nwait 70\n",
                                   "--virtual-time \"2026-12-10 12:10:00\"");
    ASSERT_EQ(after.exitCode, 0);
    EXPECT_EQ(lines(after, {"CONNECT"}, ""),
              (std::vector<std::string>{"= 1", "= 1", "12:11:00.000 CONNECT W1AAA", "12:11:00.000 CONNECT W2BBB"}));
}

TEST(NetStayConnected, ANetEndingWhileEchoLinkIsNotAnsweringEndsOnceItAnswers) {
    TempFolder folder;
    writeSettings(folder);
    // The net's end falls due at 12:03:15, inside an outage from 12:03:10 to 12:03:20.
    const auto run = runHeadless(folder, "wait 140\nunreachable on\nwait 10\nunreachable off\nwait 40\n",
                                 "--virtual-time \"2026-12-10 12:00:50\"");
    ASSERT_EQ(run.exitCode, 0);
    EXPECT_EQ(lines(run, {"BUSY", "LISTEN-ONLY", "DISCONNECT", "CONNECT", "LOG"}, "12:03:15"),
              (std::vector<std::string>{
                  "12:03:15.024 LOG \"Net Form4.1 (W9NET) end: tried again each second until EchoLink answers <-- "
                  "EchoLink is not answering \"",
                  "12:03:20.016 BUSY off", "12:03:20.016 LISTEN-ONLY off", "12:03:20.016 DISCONNECT W9NET",
                  "12:03:50.000 CONNECT W1AAA", "12:03:50.000 CONNECT W2BBB"}));
}

}  // namespace
