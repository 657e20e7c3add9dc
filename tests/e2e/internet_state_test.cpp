// A handler whose call to EchoLink fails still leaves the state it publishes true: the Internet
// state the courtesy window shows after an over, the weather window's long-warning switch after a
// request. Through the real program in virtual time.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "core/text.h"
#include "e2e/run_binary.h"
#include "support/test_wav.h"

namespace {

bool hasLine(const std::vector<std::string>& out, const std::string& text) {
    return std::any_of(out.begin(), out.end(), [&](const std::string& l) { return l.find(text) != std::string::npos; });
}

// CW courtesy: an Internet over ends while EchoLink is not answering, so the letter cannot go.
// A file sent afterwards must play at its own volume, not ducked as if the station still talked.
TEST(InternetState, AnOverEndingWhileEchoLinkIsNotAnsweringStillShowsTheInternetOff) {
    TempFolder folder;
    std::filesystem::create_directories(folder.file("config"));
    folder.write("config/mvcourtesy.ini", "[SETTINGS]\nOPTION1=True\nOPTION2=False\n");
    const std::string file = writeTestWav(folder.file("answer.wav"), 2);
    const auto run = runHeadless(folder,
                                 "rx on\nwait 2\nunreachable on\nrx off\nwait 1\nunreachable off\nwait 1\n"
                                 "get Form22.PTT1\nset Form1.txtFile " + file + "\nclick Form1.Command3\nwait 4\n",
                                 "--virtual-time \"2026-12-10 12:00:00\"");
    ASSERT_EQ(run.exitCode, 0);
    EXPECT_TRUE(hasLine(run.out, "= IP  TX  OFF"));
    EXPECT_TRUE(hasLine(run.out, "PLAY \"" + file + "\" vol=0"));
    EXPECT_TRUE(hasLine(run.out, "12:00:02.000 LOG \"Form22 Internet courtesy <-- EchoLink is not answering \""));
    EXPECT_FALSE(hasLine(run.out, "Internal error"));
}

// A long-warning request whose "Stand By" EchoLink does not take ends there; the switch that asks
// the full-warning parser for the whole message must not stay on for the next warning beacon.
TEST(InternetState, AWeatherRequestEndedByEchoLinkNotAnsweringLeavesTheLongWarningSwitchOff) {
    TempFolder folder;
    const auto run = runHeadless(folder,
                                 "unreachable on\ndtmf **5\nwait 1\nunreachable off\nget Form114.Check4\n"
                                 "dtmf **5\nwait 5\n",
                                 "--virtual-time \"2026-12-10 12:00:00\"");
    ASSERT_EQ(run.exitCode, 0);
    EXPECT_TRUE(hasLine(run.out, "= 0"));
    EXPECT_TRUE(hasLine(run.out, "LOG \"Form114 weather request **5 <-- EchoLink is not answering \""));
    EXPECT_FALSE(hasLine(run.out, "Internal error"));
    EXPECT_TRUE(hasLine(run.out, "SPEAK \"Stand By\"")) << "the next request, EchoLink answering again, is served";
}

}  // namespace
