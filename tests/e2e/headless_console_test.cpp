// The real program, headless: what a script sends on standard input and reads back.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>

#include "core/text.h"
#include "e2e/run_binary.h"

namespace {
const std::string kVirtual = "--virtual-time \"2026-12-10 12:00:00\"";

// "hh:mm:ss.mmm WORD ...": the clock, a blank, an upper-case event word.
bool isTranscriptLine(const std::string& l) {
    const std::string shape = "99:99:99.999 ";
    if (l.size() <= shape.size()) return false;
    for (size_t i = 0; i < shape.size(); ++i)
        if (shape[i] == '9' ? !std::isdigit(static_cast<unsigned char>(l[i])) : l[i] != shape[i]) return false;
    return std::isupper(static_cast<unsigned char>(l[shape.size()]));
}

TEST(HeadlessConsole, ScriptedRunFinishesAtTheEndOfItsInputWithATranscript) {
    TempFolder folder;
    const auto run = runHeadless(folder, "connect W1ABC John 1.2.3.4\nwait 2\ndtmf 123\nwait 1\nclose\n", kVirtual);
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.err, "");
    ASSERT_FALSE(run.out.empty());
    for (const auto& line : run.out) EXPECT_TRUE(isTranscriptLine(line)) << line;
    // Blocking work (speech) moves the clock on, so only the order is fixed, not the end time.
    EXPECT_TRUE(endsWith(run.out.back(), " EXIT")) << run.out.back();
    EXPECT_GE(run.out.back(), "12:00:03.000");
}

TEST(HeadlessConsole, VirtualTimeRunsGiveTheSameTranscript) {
    TempFolder a, b;
    const std::string input = "connect W1ABC\nwait 30\nchat W1ABC>hello\nwait 5\ndisconnect W1ABC\nwait 1\n";
    EXPECT_EQ(runHeadless(a, input, kVirtual).out, runHeadless(b, input, kVirtual).out);
}

TEST(HeadlessConsole, BadCommandsAndNamesAreReportedAndTheRunGoesOn) {
    TempFolder folder;
    const auto run = runHeadless(folder,
                                 "# a comment\n"
                                 "frobnicate\n"
                                 "get Form99.Text1\n"
                                 "get Form120.NoSuchBox\n"
                                 "carrier maybe\n"
                                 "wait soon\n"
                                 "set Form120.Text1 two words \n"
                                 "get Form120.Text1\n"
                                 "get form120.command1\n",
                                 kVirtual);
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.err,
              "ERROR unknown command frobnicate\n"
              "ERROR no window Form99\n"
              "ERROR no control Form120.NoSuchBox\n"
              "ERROR carrier wants on or off, not \"maybe\"\n"
              "ERROR wait wants seconds, not \"soon\"\n");
    const std::vector<std::string> values = {"= two words ", "= Hide"};
    std::vector<std::string> got;
    for (const auto& l : run.out)
        if (l.rfind("= ", 0) == 0) got.push_back(l);
    EXPECT_EQ(got, values);
}

TEST(HeadlessConsole, QuitEndsTheRunAndIgnoresWhatFollows) {
    TempFolder folder;
    const auto run = runHeadless(folder, "wait 1.5\nquit\nwait 10\nget Form120.Command1\n", kVirtual);
    EXPECT_EQ(run.exitCode, 0);
    ASSERT_FALSE(run.out.empty());
    EXPECT_TRUE(endsWith(run.out.back(), " EXIT")) << run.out.back();
    EXPECT_EQ(run.err, "");
}

TEST(HeadlessConsole, RealTimeRunEndsOnQuit) {
    TempFolder folder;
    const auto run = runHeadless(folder, "get Form120.Command1\nquit\n", "");
    EXPECT_EQ(run.exitCode, 0);
    ASSERT_EQ(run.out.size(), 2u);
    EXPECT_EQ(run.out[0], "= Hide");
    EXPECT_NE(run.out[1].find(" EXIT"), std::string::npos);
}

TEST(HeadlessConsole, BadOptionsAreRefused) {
    TempFolder folder;
    for (const std::string args : {"--virtual-time yesterday", "--colour blue", "--callsign"}) {
        SCOPED_TRACE(args);
        const auto run = runHeadless(folder, "", args);
        EXPECT_EQ(run.exitCode, 2);
        EXPECT_EQ(run.err.rfind("ERROR ", 0), 0u);
    }
}
}  // namespace

namespace {
TEST(HeadlessShell, VersionQueryInTheChatIsAnsweredOnTheAir) {
    TempFolder folder;
    const auto run = runHeadless(folder, "chat W1ABC>/ver/\nwait 1\n", kVirtual);
    EXPECT_EQ(run.exitCode, 0);
    const auto reply = std::find_if(run.out.begin(), run.out.end(), [](const std::string& l) {
        return endsWith(l, " CHAT \"MVSmall  v1.0.0\"");
    });
    EXPECT_NE(reply, run.out.end());
    ASSERT_FALSE(run.out.empty());
    EXPECT_TRUE(endsWith(run.out.back(), " EXIT"));
}

TEST(HeadlessShell, ANodeNotInSysopModeEndsAtOnceWithItsMessage) {
    TempFolder folder;
    const auto run = runHeadless(folder, "wait 5\ndtmf 123\n", kVirtual + " --callsign N0CALL");
    EXPECT_EQ(run.exitCode, 0);
    ASSERT_EQ(run.out.size(), 2u);
    EXPECT_EQ(run.out[0].rfind("12:00:00.000 MSGBOX \"MVSmall\" \"                    This Program ONLY Runs", 0), 0u);
    EXPECT_EQ(run.out[1], "12:00:00.000 EXIT");
}

TEST(HeadlessShell, EchoLinkClosingEndsTheRunAndKeepsTheLaunchersSetting) {
    TempFolder folder;
    const auto run = runHeadless(folder, "set Form5.Check1 1\nclose\nwait 1\nget Form5.Check1\n", kVirtual);
    EXPECT_EQ(run.exitCode, 0);
    ASSERT_FALSE(run.out.empty());
    EXPECT_TRUE(endsWith(run.out.back(), " EXIT"));
    EXPECT_NE(folder.read("config/maroabc.ini").find("CHECK1=1"), std::string::npos);
}
}  // namespace
