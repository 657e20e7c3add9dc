#include "speech/idents_window.h"
#include "speech_support.h"

TEST(InformationAnnouncements, ReceiveIndicatorIsWrittenOnlyByTicksThatStartFree) {
    Station s({"2026-12-10 10:00:05"});
    Form3& f = s.app().form3();
    s.advance(1.5);
    EXPECT_EQ(f.PTT2.caption(), "      ");
    EXPECT_EQ(f.ShowTime.caption(), "10:00:06");
    s.node().setReceivingSignal(true);
    s.advance(3);
    EXPECT_EQ(f.PTT2.caption(), "      ");   // busy ticks leave it as it was
    EXPECT_EQ(f.ShowTime.caption(), "10:00:09");
    s.node().setReceivingSignal(false);
    s.advance(1);
    EXPECT_EQ(f.PTT2.caption(), "      ");
}

TEST(InformationAnnouncements, TheInformationSecondIsHeldBetweenOneAndFiftyNine) {
    Station s({"2026-12-10 10:00:05"});
    Form3& f = s.app().form3();
    f.PlusSeconds.setText("75");
    s.advance(1.1);
    EXPECT_EQ(f.Label20.caption(), "75");   // this tick compared the text as it was
    EXPECT_EQ(f.PlusSeconds.text(), "59");
    s.advance(1);
    EXPECT_EQ(f.Label20.caption(), "59");
    f.PlusSeconds.setText("");
    s.advance(1);
    EXPECT_EQ(f.PlusSeconds.text(), "1");
    EXPECT_EQ(f.Label20.caption(), "1");
}

TEST(InformationAnnouncements, TimedBeaconCountsDownOnlyWhileTickedAndStopsOnAZeroPeriod) {
    Station s({"2026-12-10 10:00:05"});
    Form3& f = s.app().form3();
    f.BeaconPeriod1.setText("2");
    EXPECT_EQ(f.BeaconSeconds1.caption(), "120");
    s.advance(5);
    EXPECT_EQ(f.BeaconSeconds1.caption(), "120");
    f.StopClock1.setValue(1);
    s.advance(5);
    EXPECT_EQ(f.BeaconSeconds1.caption(), "115");
    s.advance(115);
    EXPECT_EQ(f.BeaconSeconds1.caption(), "120");   // sent and started again
    for (const char* entry : {"", "00"}) {
        f.BeaconPeriod1.setText(entry);
        EXPECT_EQ(f.BeaconPeriod1.text(), "0") << entry;
        EXPECT_FALSE(f.Beacon1.enabled()) << entry;
        f.BeaconPeriod1.setText("3");
        EXPECT_TRUE(f.Beacon1.enabled());
    }
}

// EchoLink may stop answering while the clock's tick lets pending events run, after the tick's
// first checks found it well: the rest of the tick ends with a plain line, never an internal error.
TEST(InformationAnnouncements, EchoLinkGoneInTheMiddleOfATickEndsItWithAPlainLine) {
    Station s({"2026-12-10 10:00:05"});
    s.app().form3();
    s.advance(0.5);
    // The tick of 10:00:06 falls due 10 ms into the second and runs at the end of its 16 ms step;
    // this falls due in between, so it runs among the tick's own pending events.
    s.loop().post([&] { s.node().setUnreachable(true); }, 512);
    s.advance(3);
    EXPECT_EQ(linesStarting(s, {"LOG"}),
              (std::vector<std::string>{"LOG \"Form3 announcements <-- EchoLink is not answering \""}));
    s.node().setUnreachable(false);
    s.advance(2);
    EXPECT_EQ(linesStarting(s, {"LOG"}).size(), 1u);
}
