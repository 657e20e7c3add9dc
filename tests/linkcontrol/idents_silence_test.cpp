// The announcement-silence scheduler: three weekly schedules on the idents window's one-second clock.
#include "idents_support.h"

using V = std::vector<std::string>;

namespace {
// Monday, 2026-12-07: schedule 1 silences from 22:00 to 07:00.
const char* kMonday = "MON=1\nHOUROFF1=22\nMINSOFF1=00\nHOURON1b=07\nMINSON1b=00\n";

V silenceNotices(Station& s) {
    V out;
    for (const auto& l : chatLines(s))
        if (l.find("<Silence Mode") != std::string::npos) out.push_back(l);
    return out;
}
}  // namespace

TEST(IdentsSilence, ADefaultScheduleNeverActs) {
    Station s({"2026-12-07 23:59:00"});
    Form3& f = openIdents(s, "SUN=1\nMON=1\nTUE=1\nWED=1\nTHUR=1\nFRI=1\nSAT=1\nCHECK2=1\nCHECK7=1\n");
    s.advance(120);
    EXPECT_EQ(f.Check1.value(), 0);
    EXPECT_TRUE(silenceNotices(s).empty());
    EXPECT_TRUE(s.node().linkEnabled());
    EXPECT_EQ(f.ShowTime2.caption(), "00:00:59");
}

// A local carrier holds the spoken warning back, so no speech blocks the clock in the minute.
TEST(IdentsSilence, OffTimeWarnsOnEachOfFourTicksTakesTheLinkDownAndSilencesFiveSecondsLater) {
    Station s({"2026-12-07 22:00:10"});
    Form3& f = openIdents(s, std::string(kMonday) + "CHECK2=1\nCHECK7=1\n");
    s.node().setCarrier(true);
    s.advance(9);
    EXPECT_EQ(silenceNotices(s), (V{"CHAT \"22:00:15  <Silence Mode Enabled>\"", "CHAT \"22:00:16  <Silence Mode Enabled>\"",
                                    "CHAT \"22:00:17  <Silence Mode Enabled>\"", "CHAT \"22:00:18  <Silence Mode Enabled>\""}));
    EXPECT_FALSE(s.node().linkEnabled());
    EXPECT_EQ(f.Check1.value(), 0);
    s.advance(3);
    EXPECT_EQ(f.Check1.value(), 1) << "about five seconds after the first action";

    // The warning that could not go out waits in the queue while announcements are disabled.
    s.node().setCarrier(false);
    s.advance(120);
    EXPECT_EQ(f.Check1.value(), 1);
    EXPECT_EQ(silenceNotices(s).size(), 4u);
    EXPECT_TRUE(s.speech->spoken.empty());
    EXPECT_EQ(f.flag2, 1);
    EXPECT_EQ(f.SayTheText, "Silence Mode Enabled . Link Disabled ");
}

TEST(IdentsSilence, WithTheLinkFreeTheWarningIsSpokenBeforeTheSilenceBegins) {
    Station s({"2026-12-07 22:00:10"});
    Form3& f = openIdents(s, std::string(kMonday) + "CHECK2=1\n");
    s.advance(7);
    EXPECT_EQ(s.speech->spoken.front(), "Silence Mode Enabled");
    s.advance(10);
    EXPECT_EQ(f.Check1.value(), 1);
    const auto n = silenceNotices(s).size();
    EXPECT_GE(n, 1u);
    EXPECT_LE(n, 4u) << "a spoken warning may make the scheduler miss a second";
}

TEST(IdentsSilence, OnTimeEndsTheSilenceWithItsNotices) {
    Station s({"2026-12-07 07:00:10"});
    Form3& f = openIdents(s, std::string(kMonday) + "CHECK1=1\nCHECK2=1\nCHECK7=1\n");
    s.node().newApp()->LinkEnabled(false);
    s.advance(6);
    EXPECT_EQ(f.Check1.value(), 0);
    EXPECT_TRUE(s.node().linkEnabled());
    EXPECT_EQ(silenceNotices(s).front(), "CHAT \"07:00:15  <Silence Mode Disabled>\"");
    s.advance(5);
    EXPECT_EQ(s.speech->spoken.front(), "Silence Mode Disabled . Link Enabled");
}

TEST(IdentsSilence, WithoutWarningOrLinkSwitchOnlyTheSilenceChanges) {
    Station s({"2026-12-07 22:00:10"});
    Form3& f = openIdents(s, kMonday);
    s.advance(7);
    EXPECT_EQ(f.Check1.value(), 0) << "not cleared nor set at the off time itself";
    s.advance(5);
    EXPECT_EQ(f.Check1.value(), 1);
    EXPECT_TRUE(silenceNotices(s).empty());
    EXPECT_TRUE(s.speech->spoken.empty());
    EXPECT_FALSE(s.transcript().contains("LINK"));
}

TEST(IdentsSilence, OnlyTheTickedDayAndTheTimeAsTypedAct) {
    struct Case {
        const char* start;
        const char* settings;
    };
    for (const Case c : {Case{"2026-12-08 22:00:10", kMonday},   // Tuesday
                         Case{"2026-12-07 07:00:10", "MON=1\nHOUROFF1=7\nMINSOFF1=00\n"},
                         Case{"2026-12-07 22:00:10", "MON=2\nHOUROFF1=22\nMINSOFF1=00\n"}}) {
        Station s({c.start});
        Form3& f = openIdents(s, std::string(c.settings) + "CHECK2=1\n");
        s.advance(20);
        EXPECT_EQ(f.Check1.value(), 0) << c.start << " " << c.settings;
        EXPECT_TRUE(silenceNotices(s).empty()) << c.start << " " << c.settings;
    }
}

TEST(IdentsSilence, TheSecondAndThirdSchedulesActOnTheirOwnDays) {
    Station s({"2026-12-10 18:30:10"});   // Thursday
    Form3& f = openIdents(s, "THUR2=1\nHOUROFF2=18\nMINSOFF2=30\nTHUR3=1\nHOURON3b=18\nMINSON3b=31\nCHECK2=1\n");
    s.node().setCarrier(true);   // the notices wait in the speech queue
    s.advance(15);
    EXPECT_EQ(f.Check1.value(), 1);
    s.advance(60);
    EXPECT_EQ(f.Check1.value(), 0);
    EXPECT_EQ(silenceNotices(s), (V{"CHAT \"18:30:15  <Silence Mode Enabled>\"", "CHAT \"18:30:16  <Silence Mode Enabled>\"",
                                    "CHAT \"18:30:17  <Silence Mode Enabled>\"", "CHAT \"18:30:18  <Silence Mode Enabled>\"",
                                    "CHAT \"18:31:15  <Silence Mode Disabled>\"", "CHAT \"18:31:16  <Silence Mode Disabled>\"",
                                    "CHAT \"18:31:17  <Silence Mode Disabled>\"", "CHAT \"18:31:18  <Silence Mode Disabled>\""}));
}

TEST(IdentsSilence, EqualOffAndOnTimesLeaveAnnouncementsDisabledAndTheLinkEnabled) {
    Station s({"2026-12-07 22:00:10"});
    Form3& f = openIdents(s, "MON=1\nHOUROFF1=22\nMINSOFF1=00\nHOURON1b=22\nMINSON1b=00\nCHECK7=1\n");
    s.advance(15);
    EXPECT_EQ(f.Check1.value(), 1);
    EXPECT_TRUE(s.node().linkEnabled());
}

TEST(IdentsSilence, AFailingChatLineIsLoggedAndTheSilenceStillBegins) {
    Station s({"2026-12-07 22:00:10"});
    Form3& f = openIdents(s, std::string(kMonday) + "CHECK2=1\n");
    s.advance(4.5);
    s.node().setUnreachable(true);
    s.advance(1);
    s.node().setUnreachable(false);
    EXPECT_TRUE(s.transcript().contains("LOG \"Idents: the scheduled silence start failed"));
    s.advance(10);
    EXPECT_EQ(f.Check1.value(), 1);
}
