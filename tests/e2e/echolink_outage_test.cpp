// EchoLink not answering at a call, through the real program in virtual time. Each handler keeps
// its own rule: a scheduled bulletin skips the failing steps and plays; a test that cannot be
// read takes its first branch; a one-shot timer tries its call again next tick; a timer that
// fails every tick says so once; an operator's button ends with a plain line naming it. None of
// it is an internal error.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "core/text.h"
#include "e2e/run_binary.h"
#include "support/test_wav.h"

namespace {

const std::string kNotAnswering = "<-- EchoLink is not answering ";

bool hasLine(const std::vector<std::string>& out, const std::string& text) {
    return std::any_of(out.begin(), out.end(), [&](const std::string& l) { return l.find(text) != std::string::npos; });
}

// The transcript lines from `from` on, time stamp kept, whose event is one of `words`; the
// settings folder written as "CONFIG".
std::vector<std::string> linesOf(const TempFolder& folder, const BinaryRun& run, const std::vector<std::string>& words,
                                 const std::string& from) {
    std::vector<std::string> got;
    for (const std::string& line : run.out) {
        if (line.size() < 14 || line.substr(0, 12) < from) continue;
        const std::string event = line.substr(13);
        const std::string word = event.substr(0, event.find(' '));
        if (std::find(words.begin(), words.end(), word) != words.end())
            got.push_back(replaceAll(line, folder.file("config"), "CONFIG"));
    }
    return got;
}

struct Row {
    const char* name;
    std::vector<SettingsFile> settings;
    std::string input;
    const char* start;
    std::vector<std::string> words;       // the events looked at
    const char* from;
    std::vector<std::string> expected;    // those events from `from` on, with their time
};

TEST(EchoLinkOutage, EachHandlerFollowsItsOwnRuleAndNothingIsAnInternalError) {
    TempFolder files;
    const std::string news = writeTestWav(files.file("news.wav"), 90);
    const std::string newsSettings = "THUR3=1\nHOUR3=12\nMINS3=00\nText4x=" + news + "\nCHECK1=1\nWARNCHECK=0\n";
    const std::string weather = std::string("WHEREISFILE=") + MVSMALL_TEST_DATA + "/weather/data.csv\n";
    const std::string weatherBulletin = "THUR3=1\nHOUR3=12\nMINS3=00\nOPTION4=False\nOPTION5=True\nCHECK1=1\nWARNCHECK=0\n";
    const SettingsFile timed{"dtmfctrl.ini", "TEXT1X=W5TTT\nTEXT2X=21\nDELAYPERIOD=2\nCHECK12=1\n"};
    const SettingsFile noNotices{"identabc.ini", "CONDISC=0\n"};
    const Row rows[] = {
        {"a bulletin due while EchoLink does not answer plays, its busy and disconnect steps skipped",
         {{"newsabc.ini", newsSettings.c_str()}},
         "wait 20\nunreachable on\nwait 30\nunreachable off\nwait 120\n",
         "11:59:50",
         {"PLAY", "KEY", "BUSY", "DISCONNECT-ALL", "LOG"},
         "12:00:10",
         {"12:00:10.512 LOG \"Form4 busy display " + kNotAnswering + "\"",
          "12:00:15.324 PLAY \"" + news + "\" vol=0", "12:00:40.016 KEY on", "12:01:45.328 KEY off",
          "12:01:45.328 KEY on", "12:01:45.628 PLAY \"CONFIG/Text_To_Wav.wav\" vol=0", "12:01:47.680 KEY off"}},
        {"a weather bulletin whose busy test cannot be read logs its failed start once and goes out when "
         "EchoLink answers again inside its start window",
         {{"newsabc.ini", weatherBulletin.c_str()}, {"abcweather.ini", weather.c_str()}},
         "wait 24\nunreachable on\nwait 3.5\nunreachable off\nwait 60\n",
         "11:59:50",
         {"BUSY", "DISCONNECT-ALL", "KEY", "LOG"},
         "12:00:14",
         {"12:00:14.512 LOG \"Form4 busy display " + kNotAnswering + "\"",
          "12:00:15.024 LOG \"News schedule, Audio File 1: the start failed: EchoLink is not answering \"",
          "12:00:18.016 BUSY on", "12:00:18.016 DISCONNECT-ALL", "12:00:18.016 KEY on", "12:00:38.368 BUSY off",
          "12:00:40.896 KEY off"}},
        {"the alternate control line whose lowering EchoLink did not take at the end of its run-on is "
         "lowered once EchoLink answers",
         {},
         "dtmf ###1\nwait 1\nsignal on\nwait 5\nsignal off\nwait 58\nfail DTRLine\nwait 5\nfail DTRLine off\nwait 5\n",
         "13:50:00",
         {"DTR", "LOG"},
         "13:51:00",
         {"13:51:05.200 LOG \"Form3 control line lowering " + kNotAnswering + "\"", "13:51:09.104 DTR off"}},
        {"beacon set 2's information beacon goes out and its DTMF string that EchoLink did not take ends "
         "the send, not as an internal error",
         {{"identabc.ini", "Option3=False\nOption4=True\n"}, {"beaconabc2.ini", "INFOHALF=1\n"},
          {"senddtmf.ini", "CHECK6=1\nTEXT11=1234\n"}},
         "fail SendDTMF\nwait 15\n",
         "08:30:10",
         {"PLAY", "DTMF-OUT", "LOG"},
         "08:30:10",
         {"08:30:20.316 PLAY \"CONFIG/Text_To_Wav.wav\" vol=0"}},
        {"the idents window's time announcement whose key EchoLink did not take, and its information beacon "
         "of set 2 whose DTMF string it did not take, end the tick with a line, not an internal error",
         {{"identabc.ini", "ONHOUR=1\nINFOHOURLY=1\nOption3=False\nOption4=True\n"},
          {"senddtmf.ini", "CHECK6=1\nTEXT11=1234\n"}},
         "fail KeyTransmitter\nwait 10\nfail KeyTransmitter off\nfail SendDTMF\nwait 15\nfail SendDTMF off\nwait 5\n",
         "08:59:55",
         {"PLAY", "DTMF-OUT", "LOG"},
         "08:59:55",
         {"09:00:00.024 LOG \"Form3 announcements " + kNotAnswering + "\"",
          "09:00:15.316 PLAY \"CONFIG/Text_To_Wav.wav\" vol=0",
          "09:00:15.316 LOG \"Form3 announcements " + kNotAnswering + "\""}},
        {"a kerchunk whose carrier cannot be read at the kerchunk check earns no courtesy",
         {{"mvcourtesy.ini", "OPTION1=True\nOPTION2=False\n"}},
         "wait 1\ncarrier on\nwait 1\ncarrier off\nwait 1\nunreachable on\nwait 5\nunreachable off\nwait 5\n",
         "13:50:00",
         {"CW", "KEY", "PLAY"},
         "13:50:00",
         {}},
        {"duplex keying that fails every 100 ms says so once",
         {{"identabc.ini", "CHECK5=1\n"}},
         "wait 1\nunreachable on\nwait 5\nunreachable off\nwait 2\n",
         "13:50:00",
         {"LOG", "RTS", "DTR"},
         "13:50:00",
         {"13:50:01.104 LOG \"Form3 duplex keying " + kNotAnswering + "\"",
          "13:50:01.504 LOG \"Form4 busy display " + kNotAnswering + "\""}},
        {"a timed connection's busy listing that EchoLink did not take is made once it answers",
         {noNotices, timed},
         "dtmf 21\nwait 1.5\nunreachable on\nwait 1\nunreachable off\nwait 10\n",
         "10:20:05",
         {"CONNECT", "BUSY", "LOG"},
         "10:20:05",
         {"10:20:06.008 CONNECT W5TTT", "10:20:07.000 LOG \"Form4 busy display " + kNotAnswering + "\"",
          "10:20:07.000 LOG \"Form4 timed connection: busy listing " + kNotAnswering + "\"",
          "10:20:09.000 BUSY on"}},
        {"the same started by the operator's test button",
         {noNotices, timed},
         "click Form4.Command23\nwait 0.5\nunreachable on\nwait 2\nunreachable off\nwait 10\n",
         "10:20:05",
         {"CONNECT", "BUSY", "LOG"},
         "10:20:05",
         {"10:20:05.000 CONNECT W5TTT", "10:20:06.008 LOG \"Form4 busy display " + kNotAnswering + "\"",
          "10:20:07.000 LOG \"Form4 timed connection: busy listing " + kNotAnswering + "\"",
          "10:20:09.000 BUSY on"}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        TempFolder folder;
        const auto run = runHeadlessWithSettings(folder, row.settings, row.input, row.start);
        ASSERT_EQ(run.exitCode, 0);
        EXPECT_EQ(linesOf(folder, run, row.words, row.from), row.expected);
        EXPECT_FALSE(hasLine(run.out, "Internal error"));
    }
}

std::string weatherData(const std::string& name) { return std::string(MVSMALL_TEST_DATA) + "/weather/" + name; }

// Buttons whose handlers call EchoLink and may end on its failure. The line names the window,
// the button and its caption.
TEST(EchoLinkOutage, AnOperatorsButtonEndsWithALineNamingItNotAnInternalError) {
    TempFolder folder;
    std::filesystem::create_directories(folder.file("config"));
    const std::string news = writeTestWav(folder.file("news.wav"), 5);
    folder.write("config/newsabc.ini", "[SETTINGS]\nText4x=" + news + "\nText5x=" + news + "\nText7x=" + news +
                                           "\nText8x=" + news + "\n");
    folder.write("config/abcweather.ini", "[SETTINGS]\nWHEREISFILE=" + weatherData("data.csv") +
                                              "\nWHEREISFILE3=" + weatherData("warning.txt") + "\n");
    folder.write("config/mvcourtesy.ini", "[SETTINGS]\nCHECK1=1\n");
    const std::vector<std::string> expected = {
        "Form24 Command1 (Play)", "Form24 Command4 (Stop)", "Form24 Command7 (Play)", "Form24 Command8 (Stop)",
        "Form24 Command13 (Play)", "Form24 Command14 (Stop)", "Form24 Command21 (Play)",
        "Form114 cmdParse (TX   Weather Conditions  Now)", "Form114 Command3 (TX Temp Now)",
        "Form114 Command8 (TX Long Warning Now)", "Form114 Command11 (TX Short)", "Form114 Command12 (TX Summery)",
        "Form3 SendCW (Send ID)", "Form3 Command2 (Test TTS)", "Form22 Command10 (Test)", "Form22 Command11 (Test)",
        "Form1 Command7", "Form1 Command8"};
    std::string input = "unreachable on\n";
    for (const std::string& button : expected) input += "click " + replaceAll(button.substr(0, button.find(" (")), " ", ".") + "\n";
    const auto run = runHeadless(folder, input + "wait 3\nunreachable off\nwait 2\n", "--virtual-time \"2026-12-10 13:50:00\"");
    ASSERT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.err, "");
    for (const std::string& button : expected) EXPECT_TRUE(hasLine(run.out, "LOG \"" + button + " " + kNotAnswering + "\"")) << button;
    EXPECT_FALSE(hasLine(run.out, "Internal error"));
}

#ifdef MVSMALL_GUI_BUILT
// The operator's own mouse click on the real window goes the same way.
TEST(EchoLinkOutage, AButtonPressedInTheWindowEndsWithTheSameLine) {
    VirtualDisplay display;
    ASSERT_TRUE(display.ok()) << "Xvfb did not start";
    TempFolder folder;
    const std::string line = "Form24 Command4 (Stop) " + kNotAnswering;
    const GuiRun run = runGui(folder, display,
                              "press Form5.Command8; press-panel EchoLink not answering; press Form24.Command4; "
                              "expect-panel " + line + "; close Form5");
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_TRUE(hasLine(run.out, "LOG \"" + line + "\""));
    EXPECT_FALSE(hasLine(run.out, "Internal error"));
}
#endif

}  // namespace
