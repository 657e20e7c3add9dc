#include "speech/idents_window.h"
#include "speech_support.h"

namespace {
struct Case {
    const char* start;      // a few seconds before the due second
    bool twelveHour;
    bool preamble;
    const char* sentence;
};

class TimeAnnouncement : public ::testing::TestWithParam<Case> {};
}  // namespace

TEST_P(TimeAnnouncement, IsSpokenWithTheTransmitterKeyedAtTheDueSecond) {
    const Case& c = GetParam();
    Station s({c.start});
    Form3& f = s.app().form3();
    f.Option1.setValue(c.twelveHour);
    f.Option2.setValue(!c.twelveHour);
    f.Check3.setValue(c.preamble ? 1 : 0);
    s.advance(12);
    EXPECT_EQ(s.speech->spoken, std::vector<std::string>{c.sentence});
    EXPECT_EQ(linesStarting(s, {"KEY", "SPEAK"}),
              (std::vector<std::string>{"KEY on", "SPEAK " + quoted(c.sentence), "KEY off"}));
    EXPECT_FALSE(s.node().keyed());
    EXPECT_EQ(f.PTT.caption(), "PTT OFF");
}

INSTANTIATE_TEST_SUITE_P(
    Speech, TimeAnnouncement,
    ::testing::Values(Case{"2026-12-10 13:59:50", true, true, "Good Afternoon, The Time Is2 P M"},
                      Case{"2026-12-10 13:59:50", false, true, "Good Afternoon, The Time Is14 Hundred Hours"},
                      Case{"2026-12-10 14:14:50", true, true, "Good Afternoon, The Time Is2 15 P M"},
                      Case{"2026-12-10 14:14:50", false, false, "The Time Is14 15"},
                      Case{"2026-12-10 18:29:50", true, true, "Good Evening, The Time Is6 30 P M"},
                      Case{"2026-12-10 09:44:50", false, true, "Good Morning, The Time Is09 45"},
                      Case{"2026-12-10 23:59:50", true, false, "The Time Is12 A M"},
                      Case{"2026-12-10 11:59:50", true, false, "The Time Is12 P M"},
                      Case{"2026-12-10 23:59:50", false, false, "The Time Is00 Hundred Hours"},
                      Case{"2026-12-10 08:59:50", false, true, "Good Morning, The Time Is09 Hundred Hours"}));

TEST(TimeAnnouncements, SwitchedOffOrBusyAtTheDueSecondAreNotMadeUpLater) {
    {
        Station s({"2026-12-10 13:59:50"});
        s.app().form3().OnHour.setValue(0);
        s.advance(20);
        EXPECT_TRUE(s.speech->spoken.empty());
    }
    {
        Station s({"2026-12-10 13:59:50"});
        s.app().form3();
        s.node().setCarrier(true);
        s.advance(12);
        s.node().setCarrier(false);
        s.advance(10);
        EXPECT_TRUE(s.speech->spoken.empty());
        EXPECT_FALSE(s.transcript().contains("KEY on"));
    }
    {
        Station s({"2026-12-10 13:59:50"});
        s.app().form3();
        s.node().setInternetAudio(true);
        s.advance(12);
        EXPECT_EQ(s.app().form3().InUse, 1);
        EXPECT_TRUE(s.speech->spoken.empty());
    }
}

TEST(TimeAnnouncements, DisabledAnnouncementsKeepTheSentenceQueuedUntilEnabled) {
    Station s({"2026-12-10 13:59:50"});
    Form3& f = s.app().form3();
    f.Check1.setValue(1);
    f.SayTheText = "an older text";
    f.flag2 = 1;
    s.advance(12);
    EXPECT_TRUE(s.speech->spoken.empty());
    EXPECT_EQ(f.SayTheText, "Good Afternoon, The Time Is2 P M");
    EXPECT_EQ(f.flag2, 1);
    f.Check1.setValue(0);
    s.advance(2);
    EXPECT_EQ(s.speech->spoken, std::vector<std::string>{"Good Afternoon, The Time Is2 P M"});
    EXPECT_EQ(f.flag2, 0);
}

TEST(TimeAnnouncements, SayTheTimeAndTheTimeTailGoThroughTheQueue) {
    Station s({"2026-12-10 14:07:20"});
    Form3& f = s.app().form3();
    f.TheTime.click();
    EXPECT_EQ(f.flag2, 1);
    s.advance(2);
    EXPECT_EQ(s.speech->spoken, std::vector<std::string>{"Good Afternoon, The Time Is2 07 P M"});

}

TEST(TimeAnnouncements, TheTimeTailHasNoPreambleAndKeepsMinuteZero) {
    Station s({"2026-12-10 14:00:30"});
    Form3& f = s.app().form3();
    f.TheTimeBit();
    EXPECT_EQ(f.SayTheText, "at2 00  P M");
    EXPECT_EQ(f.flagtime, 1);
    f.Option2.setValue(true);
    f.TheTimeBit();
    EXPECT_EQ(f.SayTheText, "at14 00");
}
