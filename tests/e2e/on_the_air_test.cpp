// The real program, headless: the transmitter and the serial lines are never left up, and never
// keyed with nothing to send; a transmission is not cut off by another one due at the same time.
#include <gtest/gtest.h>

#include <filesystem>
#include <set>

#include "core/text.h"
#include "e2e/run_binary.h"
#include "support/test_wav.h"

namespace {
// Writes the settings files, runs the program and returns the transcript lines whose event word
// is one of `words`, without their time stamps, the data folder's path written as "DATA" and the
// settings folder's as "CONFIG".
std::vector<std::string> events(const std::vector<SettingsFile>& settings, const std::string& input,
                                const std::string& start, const std::set<std::string>& words,
                                const std::string& from = "") {
    TempFolder folder;
    const auto run = runHeadlessWithSettings(folder, settings, input, start);
    EXPECT_EQ(run.exitCode, 0);
    std::vector<std::string> out;
    for (const auto& line : run.out) {
        if (line.size() < 14 || line.substr(0, 12) < from) continue;
        const std::string event = line.substr(13);
        if (words.count(event.substr(0, event.find(' ')))) out.push_back(replaceAll(replaceAll(event, folder.file("data"), "DATA"), folder.file("config"), "CONFIG"));
    }
    return out;
}

// One case of a table: settings files, the console input, and the events expected on the air.
struct Row {
    const char* name;
    std::vector<SettingsFile> settings;
    const char* input;
    std::vector<std::string> expected;
};

const std::set<std::string> kLinesAndKey = {"RTS", "DTR", "KEY", "EXIT"};

TEST(OnTheAir, EveryRaisedLineDropsWithItsReasonAndNothingKeysWithNothingToSend) {
    const SettingsFile repeater{"mvcourtesy.ini", "OPTION6=1\nOPTION7=0\n"};
    const Row rows[] = {
        {"repeater keying: the PTT line switched to DTR while a local station talks",
         {repeater},
         "wait 1\ncarrier on\nwait 1\nset Form3.DTR 1\nwait 1\ncarrier off\nwait 3\n",
         {"RTS on", "RTS off", "DTR on", "DTR off", "EXIT"}},
        {"duplex keying: the PTT line switched to DTR while a local station talks",
         {},
         "set Form3.Check5 1\nwait 1\ncarrier on\nwait 1\nset Form3.DTR 1\nwait 1\ncarrier off\nwait 3\n",
         {"RTS on", "RTS off", "DTR on", "DTR off", "EXIT"}},
        {"repeater mode with a carrier present at start-up keys the idents window's PTT line only",
         {repeater},
         "carrier on\nwait 2\ncarrier off\nwait 3\n",
         {"RTS on", "RTS off", "EXIT"}},
        {"a program end while the carrier still holds the line lowers it before it exits",
         {repeater},
         "carrier on\nwait 2\n",
         {"RTS on", "RTS off", "EXIT"}},
        {"a stored break length with breaks in use keys nothing at start-up",
         {{"MP3_PlayerABC.ini", "TEXT6=50\nSTOPCLOCK8=1\n"}},
         "wait 3\n",
         {"EXIT"}},
        {"editing the break length with breaks in use keys nothing",
         {},
         "set Form1.StopClock8 1\nset Form1.Text6 70\nwait 3\n",
         {"EXIT"}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(events(row.settings, row.input, "12:00:00", kLinesAndKey), row.expected);
    }
}

// Set 1's information beacon at 13:00:20 and set 2's timed beacon (run with set 1 active), whose
// one-minute countdown started at 12:59:19, fall due in the same second.
TEST(OnTheAir, BeaconsDueTogetherGoOutOneAfterTheOtherUnlessAStationTalks) {
    const std::set<std::string> words = {"WAV", "PLAY", "STOP", "KEY"};
    const SettingsFile set2{"beaconabc2.ini", "STOPCLOCK1=1\nBEACONPERIOD1=1\nTEXT21=set two beacon\n"};
    const std::string wav = "WAV \"CONFIG/Text_To_Wav.wav\" ";
    const std::string play = "PLAY \"CONFIG/Text_To_Wav.wav\" vol=0";
    const Row rows[] = {
        {"both go on the air whole, the second after the first",
         {{"beaconabc.ini", "INFOHOURLY=1\nTEXT21=set one beacon\nCHECK2=1\n"}, set2},
         "wait 75\n",
         {wav + "\"set two beacon\"", "KEY on", play, "KEY off", wav + "\"set one beacon\"", "KEY on", play,
          "KEY off"}},
        {"a beacon due while a station talks is lost",
         {{"beaconabc.ini", "INFOHOURLY=1\nTEXT21=set one beacon\n"}},
         "wait 55\nactivity on\nwait 10\nactivity off\nwait 20\n",
         {}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(events(row.settings, row.input, "12:59:19", words, "13:00:10"), row.expected);
    }
}

TEST(OnTheAir, SpeechEndingDuringAFileLeavesTheKeyDown) {
    TempFolder wavs;
    const std::string file = writeTestWav(wavs.file("bulletin.wav"), 20);
    const auto got = events({}, "set Form3.ConDisc 1\nset Form1.txtFile " + file +
                                    "\nclick Form1.Command3\nwait 5\nconnect W1ABC\nwait 5\ndisconnect W1ABC\nwait 15\n",
                            "14:00:10", {"KEY", "STOP", "EXIT"});
    EXPECT_EQ(got, (std::vector<std::string>{"KEY on", "KEY off", "EXIT"}));
}

TEST(OnTheAir, TimedConnectionEndsOnceEchoLinkAnswersAgain) {
    const SettingsFile timed{"dtmfctrl.ini", "TEXT1X=W1ABC\nTEXT2X=55\nCHECK12=1\nDELAYPERIOD=1\n"};
    const std::set<std::string> words = {"CONNECT", "DISCONNECT-ALL", "BUSY"};
    struct Row {
        const char* name;
        const char* input;
        std::vector<std::string> expected;
    };
    // The connect notice keeps the countdown full until 14:00:13, so it runs out at 14:01:13;
    // EchoLink not answering reads as "on the air" and holds the countdown, so an outage that
    // is to meet the end begins just before it.
    const Row rows[] = {
        {"EchoLink stops answering as the connection ends: the end is made when it answers",
         "dtmf 55\nwait 62.95\nunreachable on\nwait 10\nunreachable off\nwait 3\n",
         {"CONNECT W1ABC", "BUSY on", "DISCONNECT-ALL", "BUSY off"}},
        {"EchoLink stops answering before the busy listing: the listing is made once it answers, and the end clears it",
         "dtmf 55\nwait 1.5\nunreachable on\nwait 70\nunreachable off\nwait 65\n",
         {"CONNECT W1ABC", "BUSY on", "DISCONNECT-ALL", "BUSY off"}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(events({timed}, row.input, "14:00:10", words), row.expected);
    }
}
}  // namespace
