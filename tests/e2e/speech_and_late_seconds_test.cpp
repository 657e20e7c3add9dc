// The station's own blocking speech and the seconds and timers that fall due under it, through the
// real program in virtual time, Thursday 10 December 2026: what fell due runs after the speech,
// with the key up, in the order it fell due; a second spent speaking is an active second.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "e2e/run_binary.h"

namespace {

std::vector<std::string> airFrom(const std::vector<SettingsFile>& settings, const std::string& input,
                                 const std::string& start, const std::string& from) {
    TempFolder folder;
    return transcriptFrom(folder, settings, input, start, from);
}

// The hour's time announcement holds the thread from 11:00:00 to past 11:00:02. The voice ident's
// countdown (started at 10:50:01) runs out at 11:00:01.000, before the information beacon's
// second 11:00:01: the ident goes out first, once the announcement has released the key, and the
// information beacon, which the idents window loses while a file plays, is lost.
TEST(SpeechAndLateSeconds, AnIdentDueUnderAnAnnouncementGoesOutBeforeTheLaterSeconds) {
    const auto air = airFrom({{"identabc.ini", "STOPCLOCK6=1\nBEACONPERIOD6=10\nINFOHOURLY=1\nPLUSSECONDS=01\n"
                                               "CALLSIGN=N0CALL\n"},
                              {"beaconabc.ini", "TEXT1=Information text one\nMAXRAND=1\n"}},
                             "wait 640\n", "10:50:01", "10:59:00.000");
    EXPECT_EQ(air, (std::vector<std::string>{
                       "11:00:00.024 KEY on",
                       "11:00:00.024 SPEAK \"Good Morning, The Time Is11 A M\"",
                       "11:00:02.184 KEY off",
                       "11:00:02.184 WAV FILE \"N0CALL\"",
                       "11:00:02.184 KEY on",
                       "11:00:02.484 PLAY FILE vol=0",
                       "11:00:03.144 KEY off",
                   }));
}

// A station connects at 13:14:59.5; its connect notice is spoken with the key down until past
// 13:15:01. The quarter-hour announcement of 13:15:00 comes after it, with the key up.
TEST(SpeechAndLateSeconds, AnAnnouncementDueUnderAConnectNoticeIsSpokenAfterIt) {
    const auto air = airFrom({}, "wait 9.5\nconnect W1ABC John 1.2.3.4\nwait 10\n", "13:14:50", "13:14:59.000");
    ASSERT_GE(air.size(), 6u);
    EXPECT_EQ(std::vector<std::string>(air.begin(), air.begin() + 6),
              (std::vector<std::string>{
                  "13:14:59.500 KEY on",
                  "13:14:59.500 SPEAK \"W 1 A B C  , Connected\"",
                  "13:15:01.120 KEY off",
                  "13:15:01.120 KEY on",
                  "13:15:01.120 SPEAK \"Good Afternoon, The Time Is1 15 P M\"",
                  "13:15:03.520 KEY off",
              }));
}

// A timed connection of one minute; 45 s later about 46 s of speech from the test button. The
// seconds spent speaking, handed over after it, are active: the connection ends a minute after the
// speech, not at its end.
TEST(SpeechAndLateSeconds, SecondsSpentSpeakingHoldTheTimedConnection) {
    std::string text = "long";
    while (text.size() < 755) text += " long";
    const auto air = airFrom({{"dtmfctrl.ini", "DELAYPERIOD=1\nTEXT1X=W9TIME\nTEXT2X=21\n"}},
                             "set Form3.QuarterHour 0\ndtmf 21\nwait 45\nset Form3.Text1 " + text +
                                 "\nclick Form3.Command2\nwait 120\n",
                             "12:00:00", "12:00:45.000");
    std::vector<std::string> keyOff, disconnect;
    for (const auto& line : air) {
        if (line.substr(13) == "KEY off" && keyOff.empty()) keyOff.push_back(line.substr(0, 12));
        if (line.substr(13) == "DISCONNECT-ALL") disconnect.push_back(line.substr(0, 12));
    }
    ASSERT_EQ(keyOff, std::vector<std::string>{"12:01:30.840"});
    EXPECT_EQ(disconnect, std::vector<std::string>{"12:02:30.016"}) << "a minute after the last second on the air";
}

}  // namespace
