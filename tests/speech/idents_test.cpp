#include "player/player_window.h"
#include "speech/idents_window.h"
#include "speech_support.h"

#include <gmock/gmock.h>

namespace {
// Voice ident every minute with the text "N0CALL", CW ident every minute.
Form3& withIdents(Station& s) {
    Form3& f = s.app().form3();
    f.Callsign.setText("N0CALL");
    f.BeaconPeriod6.setText("1");
    f.StopClock6.setValue(1);
    f.CWCallsign.setText("N0CALL");
    f.CWCallsignLong.setText("N0CALL LONG");
    f.BeaconPeriod7.setText("1");
    f.StopClock7.setValue(1);
    return f;
}
}  // namespace

TEST(Idents, VoiceAndCwIdentsGoOutAtTheirPeriod) {
    Station s({"2026-12-10 10:00:05"});
    Form3& f = withIdents(s);
    s.advance(61);
    ASSERT_EQ(s.speech->rendered.size(), 1u);
    EXPECT_EQ(s.speech->rendered[0].second, "N0CALL");
    EXPECT_EQ(s.app().form1().txtFile.text(), f.wavfile.text());
    EXPECT_EQ(s.node().cwSent(), std::vector<std::string>{"N0CALL"});
    s.advance(60);
    EXPECT_EQ(s.speech->rendered.size(), 2u);
    EXPECT_EQ(s.node().cwSent().size(), 2u);
}

TEST(Idents, ACwIdentDueWhileBusyIsHeldAndSentWhenTheLinkFrees) {
    Station s({"2026-12-10 10:00:05"});
    Form3& f = withIdents(s);
    f.StopClock6.setValue(0);
    s.advance(50);
    s.node().setCarrier(true);
    s.advance(90);
    EXPECT_TRUE(s.node().cwSent().empty());
    EXPECT_EQ(f.CWIdentPending, "1");
    s.node().setCarrier(false);
    s.advance(1.5);
    EXPECT_EQ(s.node().cwSent(), std::vector<std::string>{"N0CALL"});
    EXPECT_EQ(f.CWIdentPending, "0");
}

TEST(Idents, AVoiceIdentDueWhileBusyIsSkippedNotMadeUp) {
    Station s({"2026-12-10 10:00:05"});
    Form3& f = withIdents(s);
    f.StopClock7.setValue(0);
    s.advance(50);
    s.node().setInternetAudio(true);
    s.advance(20);
    s.node().setInternetAudio(false);
    s.advance(30);
    EXPECT_TRUE(s.speech->rendered.empty());
    s.advance(31);
    EXPECT_EQ(s.speech->rendered.size(), 1u);
}

TEST(Idents, EveryNthCwIdentIsTheLongOne) {
    Station s({"2026-12-10 10:00:05"});
    Form3& f = withIdents(s);
    f.StopClock6.setValue(0);
    f.UseLongCheck.setValue(1);
    f.LongID.setText("3");
    s.advance(60 * 6 + 1);
    EXPECT_EQ(s.node().cwSent(), (std::vector<std::string>{"N0CALL", "N0CALL", "N0CALL LONG", "N0CALL", "N0CALL",
                                                           "N0CALL LONG"}));
}

TEST(Idents, DisabledAnnouncementsStopCwIdentsUnlessAllowed) {
    Station s({"2026-12-10 10:00:05"});
    Form3& f = withIdents(s);
    f.Check1.setValue(1);
    f.Check6.setValue(0);
    s.advance(61);
    EXPECT_TRUE(s.node().cwSent().empty());
    EXPECT_EQ(s.speech->rendered.size(), 1u);   // the voice ident ignores the switch
    f.Check6.setValue(1);
    s.advance(61);
    EXPECT_EQ(s.node().cwSent().size(), 1u);
}

TEST(Idents, AnEmptyOrZeroPeriodReadsOneAndStopsItsTimer) {
    Station s;
    Form3& f = s.app().form3();
    for (const char* entry : {"", "0", "00"}) {
        f.BeaconPeriod7.setText("5");
        ASSERT_TRUE(f.Beacon7.enabled());
        f.BeaconPeriod7.setText(entry);
        EXPECT_EQ(f.BeaconPeriod7.text(), "1") << entry;
        EXPECT_EQ(f.BeaconSeconds7.caption(), "60") << entry;
        EXPECT_FALSE(f.Beacon7.enabled()) << entry;
    }
    f.VoicePeriod.setText("0");
    EXPECT_EQ(f.VoicePeriod.text(), "1");
    EXPECT_FALSE(f.IDCheck.enabled());
}

TEST(Idents, IdleWatchStopsBothIdentsUntilActivity) {
    Station s({"2026-12-10 10:00:05"});
    Form3& f = withIdents(s);
    f.VoicePeriod.setText("10");
    f.IDCheck.setValue(1);
    s.advance(601);
    EXPECT_FALSE(f.Beacon6.enabled());
    EXPECT_FALSE(f.Beacon7.enabled());
    // Restarted short (a tick that yielded to the idle watch may already have counted one).
    EXPECT_THAT(f.BeaconSeconds6.caption(), ::testing::AnyOf("15", "14"));
    EXPECT_THAT(f.BeaconSeconds7.caption(), ::testing::AnyOf("10", "9"));
    const auto sent = s.node().cwSent().size();
    s.advance(120);
    EXPECT_EQ(s.node().cwSent().size(), sent);
    s.node().setActivity(true);
    s.advance(1.5);
    s.node().setActivity(false);
    EXPECT_TRUE(f.Beacon6.enabled());
    EXPECT_TRUE(f.Beacon7.enabled());
    s.advance(12);
    EXPECT_EQ(s.node().cwSent().size(), sent + 1);
}

TEST(Idents, SendIdIsHeldWhileReceivingAndSayCallSpeaksNow) {
    Station s({"2026-12-10 10:00:05"});
    Form3& f = s.app().form3();
    f.CWCallsign.setText("N0CALL");
    s.node().setCarrier(true);
    f.SendCW.click();
    EXPECT_EQ(f.CWIdentPending, "1");
    EXPECT_TRUE(s.node().cwSent().empty());
    s.node().setCarrier(false);
    f.SendCW.click();
    EXPECT_EQ(s.node().cwSent(), std::vector<std::string>{"N0CALL"});

    f.Callsign.setText("");
    f.SayCall.click();
    EXPECT_EQ(f.Callsign.text(), "NoCall");
    ASSERT_EQ(s.speech->rendered.size(), 1u);
    EXPECT_EQ(s.speech->rendered[0].second, "NoCall");
}
