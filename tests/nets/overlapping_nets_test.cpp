// Nets that overlap share the stay-connected boxes, the busy listing and listen-only: what they
// held before the first net comes back when the last one ends, and busy or listen-only is lifted
// only when no running net still asked for it.
#include "net_station.h"
#include "nets/net_session.h"

TEST(OverlappingNets, TheLastNetToEndRestoresTheStayConnectedBoxesAndLiftsBusy) {
    Station s({"2026-12-10 20:05:10"});
    Form4& f4 = openSet1(
        s, "THUR=1\nHOUR=20\nMINS=05\nNETCALL1=W1SET\nSHOWBUSY1=1\nCHECK23=1\nCHECK3=1\nDISCMINS1=2\n");
    stayConnected(s, 1, 2);
    Form117& f117 = openNetSet2(s, "THUR=1\nHOUR=20\nMINS=06\nNETCALL1=W2SET\nSHOWBUSY1=1\nCHECK3=1\nDISCMINS1=2\n");
    s.advance(66);
    EXPECT_EQ(f117.Auto1, "1");   // as before the first net, not as the first net left them
    EXPECT_EQ(f117.Auto2, "2");
    s.advance(60);
    EXPECT_EQ(stayConnectedBoxes(s), std::make_pair(0, 0));   // set 2's net still runs
    EXPECT_EQ(f4.ListBusy, "1");
    s.advance(60);
    EXPECT_EQ(timedLinkActions(s.transcript()),
              (std::vector<std::string>{"20:05:15 BUSY on", "20:05:15 LISTEN-ONLY on", "20:05:15 CONNECT W1SET",
                                        "20:06:15 CONNECT W2SET", "20:07:15 LISTEN-ONLY off",
                                        "20:07:15 DISCONNECT W1SET", "20:08:15 BUSY off", "20:08:15 DISCONNECT W2SET"}));
    EXPECT_EQ(stayConnectedBoxes(s), std::make_pair(1, 2));
    EXPECT_EQ(f4.ListBusy, "0");
}

TEST(OverlappingNets, ANetThatComesDueAgainWhileItHoldsKeepsTheFirstSavedValues) {
    Station s({"2026-12-10 20:05:10"});
    Form4& f = openSet1(s, "THUR=1\nHOUR=20\nMINS=05\nNETCALL1=W1NET\nCHECK3=0\nDISCMINS1=1\n");
    stayConnected(s, 1, 1);
    s.advance(6);
    s.set("Form4.Mins", "06");   // the holding net comes due again at 20:06:15
    s.advance(60);
    EXPECT_EQ(s.transcript().count("CONNECT W1NET"), 1);   // still connected: no second connect
    EXPECT_EQ(f.DiscPeriod1.caption(), "60");
    EXPECT_EQ(stayConnectedBoxes(s), std::make_pair(0, 0));
    EXPECT_EQ(f.Auto1, "1");
    s.set("Form4.Check3", "1");
    s.advance(61);
    EXPECT_EQ(stayConnectedBoxes(s), std::make_pair(1, 1));
}

TEST(NetSession, SavesOnceRestoresOnceAndKnowsWhoStillWantsBusyAndListenOnly) {
    nets::NetSession session;
    auto kept = session.started("A", {1, 2});
    EXPECT_EQ(kept.con1, 1);
    session.askedBusy("A");
    kept = session.started("B", {0, 0});
    EXPECT_EQ(kept.con2, 2);
    session.askedListenOnly("B");
    kept = session.started("A", {0, 0});   // A again: it asks afresh, the saved values stay
    EXPECT_EQ(kept.con1, 1);

    auto ending = session.ended("B");
    EXPECT_TRUE(ending.wasRunning);
    EXPECT_FALSE(ending.last);
    EXPECT_FALSE(ending.busyStillWanted);   // A's restart did not ask for busy
    ending = session.ended("A");
    EXPECT_TRUE(ending.last);
    EXPECT_EQ(ending.restore.con1, 1);
    EXPECT_EQ(ending.restore.con2, 2);
    EXPECT_FALSE(session.anyRunning());
    EXPECT_FALSE(session.ended("A").wasRunning);
}

// An end EchoLink did not take leaves the net running: the sysop's values stay kept (a save stores
// them), a later try is still an end, and a new start of the net is no held end.
TEST(NetSession, AHeldEndKeepsTheNetRunningWithTheSysopsValuesKept) {
    nets::NetSession session;
    EXPECT_FALSE(session.sysopStayConnected());
    session.started("A", {1, 2});
    session.askedBusy("A");
    EXPECT_TRUE(session.ending("A").last);   // only asked: nothing changes
    session.holdEnd("A");
    EXPECT_TRUE(session.endHeld("A"));
    ASSERT_TRUE(session.sysopStayConnected());
    EXPECT_EQ(session.sysopStayConnected()->con1, 1);
    EXPECT_EQ(session.sysopStayConnected()->con2, 2);

    session.started("B", {0, 0});
    session.askedBusy("B");
    EXPECT_TRUE(session.ending("A").busyStillWanted);
    EXPECT_FALSE(session.ended("B").last);   // A has not ended yet
    session.started("A", {0, 0});
    EXPECT_FALSE(session.endHeld("A"));
    EXPECT_EQ(session.ended("A").restore.con2, 2);
    EXPECT_FALSE(session.sysopStayConnected());
}
