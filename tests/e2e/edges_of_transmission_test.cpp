// What falls due at the edges of a transmission goes on the air, or is lost for its own reason: a
// change of the active beacon set, a bulletin going on to its 2nd File, an ident and a beacon in
// one second, a warning handed over late. Through the real program in virtual time, Thursday
// 10 December 2026; each row's transcript from a given time, the run's files written as FILE.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/text.h"
#include "e2e/run_binary.h"
#include "support/test_wav.h"

namespace {

struct EdgeRow {
    const char* name;
    std::vector<SettingsFile> settings;   // "@RUN@" stands for the run's folder, here and in the input
    std::string input;
    std::string start;
    std::string from;
    std::vector<std::string> air;
};

class EdgesOfTransmission : public ::testing::TestWithParam<EdgeRow> {};

TEST_P(EdgesOfTransmission, WhatFellDueAirsOrIsLostForItsOwnReason) {
    const EdgeRow& row = GetParam();
    TempFolder folder;
    writeTestWav(folder.file("long.wav"), 90);
    writeTestWav(folder.file("news.wav"), 30);
    writeTestWav(folder.file("short.wav"), 6);
    const std::string input = replaceAll(row.input, "@RUN@", folder.path());
    EXPECT_EQ(transcriptFrom(folder, row.settings, input, row.start, row.from), row.air);
}

const SettingsFile kBothSetsEveryMinute[] = {
    {"beaconabc.ini", "STOPCLOCK1=1\nBEACONPERIOD1=1\nTEXT21=Beacon set one\n"},
    {"beaconabc2.ini", "STOPCLOCK1=1\nBEACONPERIOD1=1\nTEXT21=Beacon set two\n"},
};

INSTANTIATE_TEST_SUITE_P(
    E2E, EdgesOfTransmission,
    ::testing::Values(
        // A 90 s file from 10:20:55: both sets' timed beacons fall due at 10:21:05 and wait; the
        // profile changes the active set at 10:21:15. The beacon of the set left inactive is dropped.
        EdgeRow{"set_one_left_by_schedule_drops_its_waiting_beacon",
                {kBothSetsEveryMinute[0], kBothSetsEveryMinute[1],
                 {"identabc.ini", "CONDISC=0\n"},
                 {"profiles.ini", "Profile1=NIGHT\nTHUR=1\nHOUR=10\nMINS=21\nOPTION1=False\nOPTION2=True\n"}},
                "wait 50\nset Form1.txtFile @RUN@/long.wav\nclick Form1.Command3\nwait 95\n",
                "10:20:05",
                "10:21:00.000",
                {"10:21:15.016 PROFILE \"NIGHT\"", "10:22:25.304 KEY off",
                 "10:22:26.008 WAV FILE \"Beacon set two\"", "10:22:26.008 KEY on", "10:22:26.308 PLAY FILE vol=0",
                 "10:22:27.448 KEY off"}},
        EdgeRow{"set_two_left_by_dtmf_drops_its_waiting_beacon",
                {kBothSetsEveryMinute[0], kBothSetsEveryMinute[1],
                 {"identabc.ini", "CONDISC=0\nOption3=False\nOption4=True\n"},
                 {"profiles.ini", "Profile1=DAY\nText1=123\nOPTION1=True\nOPTION2=False\n"}},
                "wait 50\nset Form1.txtFile @RUN@/long.wav\nclick Form1.Command3\nwait 20\ndtmf 123\nwait 75\n",
                "10:20:05",
                "10:21:00.000",
                {"10:21:15.300 PROFILE \"DAY\"", "10:22:25.304 KEY off", "10:22:26.008 WAV FILE \"Beacon set one\"",
                 "10:22:26.008 KEY on", "10:22:26.308 PLAY FILE vol=0", "10:22:27.448 KEY off"}},
        // Set 1 active and letting set 2's timed beacon run: both fall due at 10:21:15.000, set
        // 2's goes out and set 1's waits; the profile then makes set 2 the active set.
        EdgeRow{"set_one_left_in_the_second_its_beacon_fell_due",
                {{"beaconabc.ini", "STOPCLOCK1=1\nBEACONPERIOD1=1\nTEXT21=Beacon set one\nCHECK2=1\n"},
                 kBothSetsEveryMinute[1],
                 {"identabc.ini", "CONDISC=0\n"},
                 {"profiles.ini", "Profile1=NIGHT\nTHUR=1\nHOUR=10\nMINS=21\nOPTION1=False\nOPTION2=True\n"}},
                "wait 70\n",
                "10:20:15",
                "10:21:00.000",
                {"10:21:15.000 WAV FILE \"Beacon set two\"", "10:21:15.000 KEY on", "10:21:15.300 PLAY FILE vol=0",
                 "10:21:15.300 PROFILE \"NIGHT\"", "10:21:16.440 KEY off"}},
        // A 6 s bulletin at 14:00:15 with the forecast as its 2nd File: the node stays listed busy
        // until the chain ends the bulletin, before the end announcement.
        EdgeRow{"bulletin_stays_busy_through_its_2nd_file",
                {{"newsabc.ini", "THUR=1\nHOUR=14\nMINS=00\nText7x=@RUN@/short.wav\nPLAY2ND=1\nOPTION12=1\n"
                                 "OPTION10=0\nLISTASBUSYCHECK=1\nCHECK1=1\n"},
                 {"abcweather.ini", "WHEREISFILE2=" MVSMALL_TEST_DATA "/weather/metar.txt\n"}},
                "wait 95\n",
                "14:00:05",
                "14:00:15.000",
                {"14:00:15.016 BUSY on", "14:00:15.016 DISCONNECT-ALL", "14:00:15.016 KEY on",
                 "14:00:15.316 PLAY FILE vol=0", "14:00:21.320 KEY off",
                 "14:00:21.320 WAV FILE \"The local weather forecast for . Wednesday  : Mostly Sunny with a High of 45 "
                 "and a Low of 28 Degrees. Thursday  : Chance  Thunder Storms  with a High of 33 and a Low of 20 "
                 "Degrees. Friday  : Cloudy with a High of 38 and a Low of 25 Degrees. Saturday  : Rain with a High of "
                 "50 and a Low of 31 Degrees. Sunday  : Partly Cloudy with a High of 52 and a Low of 0 Degrees. "
                 "EchoLink node. Link : On\"",
                 "14:00:21.320 KEY on", "14:00:21.620 PLAY FILE vol=0", "14:00:45.384 BUSY off",
                 "14:00:45.384 WAV FILE \"End of local news and weather. Link : On.\"", "14:00:45.684 PLAY FILE vol=0",
                 "14:00:48.456 KEY off"}},
        // Audio File 3 (30 s from 12:01:15) stopped by its own Stop button at 12:01:25: the 2nd
        // File follows, then the end announcement.
        EdgeRow{"audio_file_3_stopped_goes_on_to_its_2nd_file",
                {{"newsabc.ini", "THUR=1\nHOUR=12\nMINS=01\nText7x=@RUN@/news.wav\nPLAY2ND=1\n"
                                 "Text8x=@RUN@/short.wav\nCHECK1=1\n"}},
                "wait 15\nclick Form24.Command9\nwait 30\n",
                "12:01:10",
                "12:01:25.000",
                {"12:01:25.000 BUSY off", "12:01:25.000 STOP", "12:01:25.000 KEY off", "12:01:25.008 KEY on",
                 "12:01:25.308 PLAY FILE vol=0", "12:01:31.312 KEY off",
                 "12:01:31.312 WAV FILE \"End of local news. Link : On.\"", "12:01:31.312 KEY on",
                 "12:01:31.612 PLAY FILE vol=0", "12:01:33.664 KEY off"}},
        // The voice ident and set 1's timed beacon, both every 10 minutes from 10:00:00: both go
        // out at 10:10, the ident first (the idents window was created before the beacon set).
        EdgeRow{"ident_and_beacon_due_in_one_second_both_go_out",
                {{"identabc.ini", "STOPCLOCK6=1\nBEACONPERIOD6=10\nCALLSIGN=N0CALL\n"},
                 {"beaconabc.ini", "STOPCLOCK1=1\nBEACONPERIOD1=10\nTEXT21=Beacon set one\n"}},
                "wait 605\n",
                "10:00:00",
                "10:09:00.000",
                {"10:10:00.000 WAV FILE \"N0CALL\"", "10:10:00.000 KEY on", "10:10:00.300 PLAY FILE vol=0",
                 "10:10:00.960 KEY off", "10:10:01.008 WAV FILE \"Beacon set one\"", "10:10:01.008 KEY on",
                 "10:10:01.308 PLAY FILE vol=0", "10:10:02.448 KEY off"}},
        // A connect notice spoken from 11:59:59.5 covers 12:00:00, the second of the hour's
        // announcement and of the warning: both are handed over after it, in the order their
        // windows were made, and the warning's chat line carries 12:00:00.
        EdgeRow{"late_warning_carries_its_own_second",
                {{"newsabc.ini", "THUR3=1\nHOUR3=12\nMINS3=01\nWARNCHECK=1\nDISCONNECTALL=1\n"}},
                "wait 1.5\nconnect W1ABC John 1.2.3.4\nwait 3\n",
                "11:59:58",
                "12:00:01.000",
                {"12:00:01.120 KEY off", "12:00:01.120 KEY on",
                 "12:00:01.120 SPEAK \"Good Afternoon, The Time Is12 P M\"", "12:00:03.400 KEY off",
                 "12:00:03.400 CHAT \"12:00:00  <1> Minute Warning Auto Disconnect for Local News/WX.\"",
                 "12:00:03.400 WAV FILE \"1 minute warning. Auto Disconnect for local news.\"",
                 "12:00:03.400 KEY on", "12:00:03.700 PLAY FILE vol=0", "12:00:04.120 KEY off"}}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
