// Net set 1 on the connect-control window: the start fifteen seconds after the slot's minute, the
// end after its minutes, and the watchdog in between.
#include "net_station.h"

namespace {

// 2026-12-10 is a Thursday.
const char* kThursdayNet =
    "THUR=1\nHOUR=20\nMINS=05\nNETCALL1=w1net\nSHOWBUSY1=1\nDISCONNECTALL1=1\nCHECK23=1\nCHECK14=1\n"
    "CHECK3=1\nDISCMINS1=2\n";

}  // namespace

TEST(NetSet1, AThursdayNetStartsAtFifteenSecondsPastItsMinuteIsWatchedAndEndsAfterItsMinutes) {
    Station s({"2026-12-10 20:05:10"});
    Form4& f = openSet1(s, kThursdayNet);
    s.node().stationConnects("K1OLD");
    stayConnected(s, 1, 2);
    s.advance(4.5);
    EXPECT_FALSE(s.transcript().contains("CONNECT W1NET"));   // not at 20:05:14

    s.advance(1);
    EXPECT_EQ(timedLinkActions(s.transcript()),
              (std::vector<std::string>{"20:05:15 BUSY on", "20:05:15 DISCONNECT-ALL",
                                        "20:05:15 LISTEN-ONLY on", "20:05:15 CONNECT W1NET"}));
    EXPECT_EQ(f.ListBusy, "1");
    EXPECT_EQ(stayConnectedBoxes(s), std::make_pair(0, 0));
    EXPECT_EQ(f.Auto1, "1");
    EXPECT_EQ(f.Auto2, "2");
    EXPECT_EQ(f.Check15.value(), 1);
    EXPECT_EQ(f.DiscPeriod1.caption(), "120");

    // The net station drops; the watchdog's next minute (20:06:10) connects it again.
    s.advance(10);
    s.node().stationDisconnects("W1NET");
    s.transcript().clear();
    s.advance(45);
    EXPECT_EQ(timedLinkActions(s.transcript()), (std::vector<std::string>{"20:06:10 CONNECT W1NET"}));

    s.transcript().clear();
    s.advance(64);   // to 20:07:14.5
    EXPECT_TRUE(timedLinkActions(s.transcript()).empty());
    s.advance(1);
    EXPECT_EQ(timedLinkActions(s.transcript()),
              (std::vector<std::string>{"20:07:15 BUSY off", "20:07:15 LISTEN-ONLY off", "20:07:15 DISCONNECT W1NET"}));
    EXPECT_EQ(f.ListBusy, "0");
    EXPECT_EQ(stayConnectedBoxes(s), std::make_pair(1, 2));
    EXPECT_EQ(f.Check15.value(), 0);
    EXPECT_FALSE(f.Timer3.enabled());
    EXPECT_EQ(f.DiscPeriod1.caption(), "120");

    // Nothing watches it any more.
    s.transcript().clear();
    s.advance(120);
    EXPECT_TRUE(timedLinkActions(s.transcript()).empty());
}

TEST(NetSet1, ASlotStartsOnlyWhenDayTimeAndCallsignAllMatch) {
    struct Case {
        const char* name;
        const char* settings;
        bool starts;
    };
    const Case cases[] = {
        {"due", "THUR=1\nHOUR=20\nMINS=05\nNETCALL1=W1NET\n", true},
        {"other weekday", "WED=1\nFRI=1\nHOUR=20\nMINS=05\nNETCALL1=W1NET\n", false},
        {"grey day box", "THUR=2\nHOUR=20\nMINS=05\nNETCALL1=W1NET\n", false},
        {"hour 24", "THUR=1\nHOUR=24\nMINS=05\nNETCALL1=W1NET\n", false},
        {"one-digit minute", "THUR=1\nHOUR=20\nMINS=5\nNETCALL1=W1NET\n", false},
        {"empty callsign", "THUR=1\nHOUR=20\nMINS=05\nNETCALL1=\n", false},
        {"blank callsign", "THUR=1\nHOUR=20\nMINS=05\nNETCALL1=\"   \"\n", false},
        {"slot 4", "THUR4=1\nHOUR4=20\nMINS4=05\nNETCALL4=W1NET\n", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Station s({"2026-12-10 20:05:00"});
        openSet1(s, c.settings);
        s.advance(30);
        EXPECT_EQ(s.transcript().contains("CONNECT W1NET"), c.starts);
    }
}

TEST(NetSet1, TwoSlotsDueTogetherStartSlotFourFirstAndCallsignsAreTrimmed) {
    Station s({"2026-12-10 20:05:10"});
    openSet1(s, "THUR=1\nHOUR=20\nMINS=05\nNETCALL1=\"w1one  \"\nTHUR4=1\nHOUR4=20\nMINS4=05\nNETCALL4=W4FOUR\n");
    s.advance(6);
    EXPECT_EQ(linkActions(s.transcript()), (std::vector<std::string>{"CONNECT W4FOUR", "CONNECT W1ONE"}));
}

TEST(NetSet1, LocalReceiveGateHoldsTheStartOnlyWhileRFBusyIsTicked) {
    for (int rfBusy : {0, 1}) {
        SCOPED_TRACE(rfBusy);
        Station s({"2026-12-10 20:05:10"});
        openSet1(s, std::string(kThursdayNet) + "RFBUSY=" + std::to_string(rfBusy) + "\n");
        // The signal alone holds the gate: the idents window's receive caption is not rewritten
        // while the link is busy, so it cannot be what the gate goes by.
        s.node().setReceivingSignal(true);
        s.advance(6);
        EXPECT_EQ(s.transcript().contains("CONNECT W1NET"), rfBusy == 0);
    }
}

TEST(NetSet1, EndCountdownOfANetOfNoMinutesAndOfAHoldingNet) {
    // Minutes "0": slot 1 counts after the box turns "1" and ends in the 60th second; slot 2 counts
    // first and ends in the 61st.
    Station s({"2026-12-10 20:05:10"});
    Form4& f = openSet1(s,
                                  "THUR=1\nHOUR=20\nMINS=05\nNETCALL1=W1ONE\nCHECK3=1\nDISCMINS1=0\n"
                                  "THUR2=1\nHOUR2=20\nMINS2=05\nNETCALL2=W2TWO\nCHECK2=1\nDISCMINS2=0\n"
                                  "THUR3=1\nHOUR3=20\nMINS3=05\nNETCALL3=W3HOLD\nCHECK11=0\nDISCMINS3=3\n");
    s.advance(5.5);
    EXPECT_EQ(f.DiscPeriod1.caption(), "0");
    s.advance(1);
    EXPECT_EQ(f.DiscMins1.text(), "1");
    EXPECT_EQ(f.DiscPeriod1.caption(), "59");
    EXPECT_EQ(f.DiscPeriod2.caption(), "60");
    s.transcript().clear();
    s.advance(300);
    EXPECT_EQ(timedLinkActions(s.transcript()),
              (std::vector<std::string>{"20:06:15 DISCONNECT W1ONE", "20:06:16 DISCONNECT W2TWO"}));
    // Slot 3's use box is clear: its net holds until the box is ticked.
    EXPECT_TRUE(f.Timer5.enabled());
    EXPECT_EQ(f.DiscPeriod3.caption(), "180");
    s.set("Form4.Check11", "1");
    s.advance(180);
    EXPECT_TRUE(s.transcript().contains("DISCONNECT W3HOLD"));
    EXPECT_FALSE(f.Timer5.enabled());
}

TEST(NetSet1, EmptyingTheMinutesOfARunningNetStillEndsIt) {
    Station s({"2026-12-10 20:05:10"});
    Form4& f = openSet1(s, "THUR=1\nHOUR=20\nMINS=05\nNETCALL1=W1NET\nCHECK3=1\nDISCMINS1=30\n");
    s.advance(10);
    s.set("Form4.DiscMins1", "");
    EXPECT_EQ(f.DiscMins1.text(), "0");
    EXPECT_TRUE(f.Timer3.enabled());
    s.advance(62);
    EXPECT_TRUE(s.transcript().contains("DISCONNECT W1NET"));
    EXPECT_FALSE(f.Timer3.enabled());
}

TEST(NetSet1, AFailingEchoLinkSkipsEachCallAndTheNetStillRunsItsCourse) {
    Station s({"2026-12-10 20:05:10"});
    Form4& f = openSet1(s, kThursdayNet);
    stayConnected(s, 1, 0);
    s.node().setUnreachable(true);
    s.advance(6);
    EXPECT_EQ(stayConnectedBoxes(s), std::make_pair(0, 0));
    EXPECT_EQ(f.Check15.value(), 1);
    EXPECT_TRUE(f.Timer3.enabled());
    EXPECT_EQ(f.DiscPeriod1.caption(), "120");
    s.node().setUnreachable(false);
    s.advance(60);   // the watchdog tries the connect again
    EXPECT_TRUE(s.transcript().contains("CONNECT W1NET"));
    s.advance(60);
    EXPECT_TRUE(s.transcript().contains("DISCONNECT W1NET"));
    EXPECT_EQ(stayConnectedBoxes(s), std::make_pair(1, 0));
}

TEST(NetSet1, TheWatchdogHoldsWhileABulletinPlaysThatClearedTheLink) {
    Station s({"2026-12-10 20:05:10"});
    openSet1(s, kThursdayNet);
    s.advance(6);
    s.app().act([&] {
        s.app().form24().DisconnectAll.setValue(1);
        s.app().form1().Label2.setCaption("3");
        s.app().form1().Label3.setCaption("90");
    });
    s.node().stationDisconnects("W1NET");
    s.transcript().clear();
    s.advance(60);
    EXPECT_FALSE(s.transcript().contains("CONNECT W1NET"));
    s.app().act([&] { s.app().form1().Label2.setCaption("90"); });
    s.advance(60);
    EXPECT_TRUE(s.transcript().contains("CONNECT W1NET"));
}

// As the headless console would run it: the whole station started, a net at 12:01, ten seconds before.
TEST(NetSet1, TheStartedStationConnectsANetDueInTheNextMinute) {
    Station s({"2026-12-10 12:00:50"});
    s.writeSettings(Form4::kSettingsFile, "[SETTINGS]\nTHUR=1\nHOUR=12\nMINS=01\nNETCALL1=W1NET\n");
    s.app().act([&] { s.app().createStartupWindows(); });
    s.advance(60);
    EXPECT_TRUE(s.transcript().contains("CONNECT W1NET"));
}

TEST(NetSet1, GreyBoxesAtTheEndAndMinutesThatReadAsZero) {
    // A grey use box counts; a grey show-busy box does not lift busy; "00" minutes last one minute.
    Station s({"2026-12-10 20:05:10"});
    Form4& f = openSet1(s, "THUR=1\nHOUR=20\nMINS=05\nNETCALL1=W1NET\nSHOWBUSY1=1\nCHECK3=2\nDISCMINS1=00\n");
    s.advance(6);
    EXPECT_TRUE(s.transcript().contains("BUSY on"));
    s.app().act([&] { f.ShowBusy1.setValue(2); });
    s.advance(60);
    EXPECT_TRUE(s.transcript().contains("DISCONNECT W1NET"));
    EXPECT_FALSE(s.transcript().contains("BUSY off"));
    EXPECT_EQ(f.DiscMins1.text(), "1");
}
