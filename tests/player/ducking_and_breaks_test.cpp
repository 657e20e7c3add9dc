#include <gtest/gtest.h>

#include "core/timing.h"
#include "player_test_support.h"

TEST(Ducking, VolumeFollowsInternetAudioAndTheMainSlider) {
    Station s;
    const std::string file = audioFile(s, "long.wav", 30);
    Form1& p = s.app().form1();
    Form3& idents = s.app().form3();
    Form22& courtesy = s.app().form22();
    idents.V1.setValue(-200);
    s.advance(0.2);
    EXPECT_EQ(p.V1.value(), -200);
    EXPECT_EQ(p.VolSet.text(), "-200");
    EXPECT_EQ(p.TempVolSet.text(), "-200");

    transmit(s, file, "-200");
    s.advance(1);
    courtesy.PTT1.setText("IP  TX  ON");
    s.advance(0.1);
    EXPECT_EQ(p.V1.value(), -1500);
    EXPECT_EQ(p.graph().volume(), -1500);

    courtesy.PTT1.setText("IP  TX  OFF");
    s.advance(0.1);
    EXPECT_EQ(p.graph().volume(), -200);

    idents.V1.setValue(-700);   // the operator moves the main slider
    s.advance(0.1);
    EXPECT_EQ(p.graph().volume(), -700);
}

TEST(Ducking, AFileKeepsItsOwnVolumeUntilSomethingChanges) {
    Station s;
    const std::string file = audioFile(s, "tone.wav", 5);
    s.app().form1();
    s.advance(0.2);
    transmit(s, file, "-900");   // e.g. a courtesy tone at its window's volume
    s.advance(2);
    EXPECT_EQ(s.app().form1().graph().volume(), -900);
}

TEST(Ducking, UntickedOrUnreadableLevelDoesNotDuck) {
    Station s;
    const std::string file = audioFile(s, "long.wav", 30);
    Form1& p = s.app().form1();
    transmit(s, file);
    s.advance(0.2);
    ASSERT_EQ(p.V1.value(), 0);   // the idents window's main volume
    s.app().form22().PTT1.setText("IP  TX  ON");
    for (const char* level : {"abc", "-1500.5", "-4000", "200"}) {
        SCOPED_TRACE(level);
        p.Text4.setText(level);
        s.advance(0.2);
        EXPECT_EQ(p.V1.value(), 0);
    }
    p.Text4.setText("-1500");
    p.Check1.setValue(0);
    s.app().form3().V1.setValue(-300);
    s.advance(0.2);
    EXPECT_EQ(p.V1.value(), -300);
}

TEST(Ducking, MirrorsTheProgressOntoTheNewsPlayer) {
    Station s;
    const std::string file = audioFile(s, "news.mp3", 125);
    transmit(s, file);
    s.advance(5.05);
    Form24& news = s.app().form24();
    EXPECT_EQ(news.Label2.caption(), "00:02:00");
    EXPECT_EQ(news.Label3.caption(), "00:00:04");
    EXPECT_EQ(news.Label4.caption(), "00:02:05");
}

namespace {
// Breaks of `ticks` timer ticks every `minutes` minutes.
void useBreaks(Station& s, const char* minutes, const char* ticks) {
    Form1& p = s.app().form1();
    p.BeaconPeriod8.setText(minutes);
    p.Text6.setText(ticks);
    p.StopClock8.setValue(1);
    s.advance(0.1);
}
}  // namespace

TEST(Breaks, ReleaseTheKeyForTheirLengthAndResumeWhereThePlaybackStopped) {
    Station s;
    const std::string file = audioFile(s, "long.mp3", 150);
    useBreaks(s, "1", "100");
    TimedTranscript t(s);
    transmit(s, file);
    s.advance(160);

    EXPECT_EQ(t.keyAndPlay(), (std::vector<std::string>{"KEY on", "PLAY \"" + file + "\" vol=0", "STOP", "KEY off",
                                                          "PLAY \"" + file + "\" vol=0", "KEY on", "STOP", "KEY off",
                                                          "PLAY \"" + file + "\" vol=0", "KEY on", "KEY off"}));
    const auto play = t.at("PLAY");
    for (int n = 0; n < 2; ++n) {
        SCOPED_TRACE(n);
        const auto off = t.at("KEY off", n), on = t.at("KEY on", n + 1);
        EXPECT_NEAR(off - play, 60000 * (n + 1) + n * 1600, 1100);   // a full period of playback each
        EXPECT_NEAR(on - off, 100 * timing::kTimerResolutionMs, 2 * timing::kTimerResolutionMs);
    }
    // The file resumed where it stopped: it ends after its length plus both breaks.
    const auto end = t.at("KEY off", 2);
    EXPECT_NEAR(end - play, 150000 + 2 * 1600, 3 * timing::kTimerResolutionMs);
    EXPECT_FALSE(s.node().keyed());
    EXPECT_EQ(s.app().form1().TempDelay, 0);
}

TEST(Breaks, UnusedBreaksNeverCountDown) {
    Station s;
    const std::string file = audioFile(s, "long.mp3", 90);
    Form1& p = s.app().form1();
    p.BeaconPeriod8.setText("1");
    s.advance(0.1);
    TimedTranscript t(s);
    transmit(s, file);
    s.advance(70);
    EXPECT_EQ(p.BeaconSeconds8.caption(), "60");
    EXPECT_EQ(t.at("KEY off"), -1);
}

TEST(Breaks, AZeroPeriodStopsTheTimerAndTheNextTransmissionMakesItOneMinute) {
    Station s;
    const std::string file = audioFile(s, "a.mp3", 10);
    Form1& p = s.app().form1();
    p.StopClock8.setValue(1);
    p.BeaconPeriod8.setText("");
    EXPECT_EQ(p.BeaconPeriod8.text(), "0");
    EXPECT_FALSE(p.Beacon8.enabled());
    EXPECT_EQ(p.BeaconSeconds8.caption(), "0");
    transmit(s, file);
    s.advance(1.5);
    EXPECT_EQ(p.BeaconPeriod8.text(), "1");
    EXPECT_EQ(p.BeaconSeconds8.caption(), "59");
}

TEST(Breaks, UntickingUseDuringABreakEndsItAtOnce) {
    Station s;
    const std::string file = audioFile(s, "long.mp3", 100);
    useBreaks(s, "1", "100000");   // a break far longer than the file
    transmit(s, file);
    s.advance(61);
    Form1& p = s.app().form1();
    ASSERT_EQ(p.TempDelay, 1);
    ASSERT_FALSE(s.node().keyed());
    s.set("Form1.StopClock8", "0");
    EXPECT_EQ(p.TempDelay, 0);
    EXPECT_TRUE(s.node().keyed());
    EXPECT_FALSE(p.Timer4.enabled());
    s.advance(45);
    EXPECT_FALSE(s.node().keyed());   // the file played out and the key went
    EXPECT_EQ(p.Label1.caption(), "0");
}

TEST(Breaks, ClearingTheBreakLengthDuringABreakEndsIt) {
    Station s;
    const std::string file = audioFile(s, "long.mp3", 100);
    useBreaks(s, "1", "100000");
    transmit(s, file);
    s.advance(61);
    Form1& p = s.app().form1();
    ASSERT_EQ(p.TempDelay, 1);
    s.set("Form1.Text6", "");
    EXPECT_EQ(p.Text6.text(), "0");
    EXPECT_EQ(p.TempDelay, 0);
    EXPECT_TRUE(s.node().keyed());
}

TEST(Breaks, StopFileAndKillFileCancelARunningBreak) {
    for (const bool kill : {false, true}) {
        SCOPED_TRACE(kill ? "KillFile" : "StopFile");
        Station s;
        const std::string file = audioFile(s, "long.mp3", 100);
        const std::string next = audioFile(s, "next.wav", 2);
        useBreaks(s, "1", "100000");
        transmit(s, file);
        s.advance(61);
        Form1& p = s.app().form1();
        ASSERT_EQ(p.TempDelay, 1);
        s.app().act([&] {
            if (kill) {
                p.KillFile();
                p.txtFile.setText(next);
                p.TXFile();
            } else {
                p.StopFile();
            }
        });
        EXPECT_EQ(p.TempDelay, 0);
        EXPECT_FALSE(p.Timer4.enabled());
        EXPECT_EQ(p.Label19.caption(), "100000");
        s.advance(3);
        EXPECT_FALSE(s.node().keyed());
    }
}

// The break-length timer also runs outside a break; its end step then has nothing to resume
// and must not key the transmitter with nothing to send.
TEST(Breaks, StartTimerOutsideABreakKeysNothing) {
    Station s;
    Form1& p = s.app().form1();
    p.StopClock8.setValue(1);
    p.Text6.setText("10");   // starts the break-length timer
    s.advance(1);
    EXPECT_FALSE(s.transcript().contains("KEY on"));
    EXPECT_FALSE(p.Timer4.enabled());
    EXPECT_EQ(p.Label19.caption(), "10");
}
