// Stay-connected stations, the timed connection and the "Con/Disc" buttons of the idents window.
#include "idents_support.h"

using V = std::vector<std::string>;

TEST(IdentsStayConnected, TickedStationsAreConnectedEachMinuteInOrderTrimmedAndInCapitals) {
    Station s;
    openIdents(s,
               "CONNECTSTATION1=w1abc\nSTAYCON1=1\n"
               "CONNECTSTATION2=\" k2xyz \"\nSTAYCON2=1\n"
               "CONNECTSTATION3=N3OTH\nSTAYCON3=0\n"   // not ticked
               "CONNECTSTATION4=\"   \"\nSTAYCON4=1\n");  // ticked, nobody to call
    s.advance(59);
    EXPECT_TRUE(connects(s).empty()) << "the check runs once a minute";
    s.advance(2);
    EXPECT_EQ(connects(s), (V{"CONNECT W1ABC", "CONNECT K2XYZ"}));
    s.advance(60);
    EXPECT_EQ(connects(s).size(), 2u) << "connected stations are only asked about";
}

TEST(IdentsStayConnected, ADroppedStationIsReconnectedWithinAMinuteButNotWhileABulletinPlays) {
    Station s;
    openIdents(s, "CONNECTSTATION1=W1ABC\nSTAYCON1=1\n");
    s.advance(61);
    ASSERT_TRUE(s.node().isConnected("W1ABC"));

    s.node().stationDisconnects("W1ABC");
    bulletinPlaying(s, true);
    s.advance(180);
    EXPECT_FALSE(s.node().isConnected("W1ABC")) << "no reconnect while the bulletin file plays";

    bulletinPlaying(s, false);
    s.advance(60);
    EXPECT_TRUE(s.node().isConnected("W1ABC"));
    EXPECT_EQ(connects(s), (V{"CONNECT W1ABC", "CONNECT W1ABC"}));
}

TEST(IdentsStayConnected, APlayingFileHoldsNothingBackWhenTheBulletinDoesNotDisconnectAll) {
    Station s;
    openIdents(s, "CONNECTSTATION1=W1ABC\nSTAYCON1=1\n");
    bulletinPlaying(s, true);
    s.app().form24().DisconnectAll.setValue(0);
    s.advance(61);
    EXPECT_TRUE(s.node().isConnected("W1ABC"));
}

namespace {
const char* kTimed = "ConnectStationx=W1ABC\nBeaconPeriodx=1\nStopClockx=1\nCONDISC=0\n";
}

TEST(IdentsTimedConnection, ConnectsOnceWhenTheCountdownRunsOutThenWaitsForARearm) {
    Station s;
    Form3& f = openIdents(s, kTimed);
    EXPECT_EQ(f.BeaconSecondsx.caption(), "60") << "the countdown starts from the stored period";
    s.advance(58);
    EXPECT_TRUE(connects(s).empty());
    s.advance(3);
    EXPECT_EQ(connects(s), V{"CONNECT W1ABC"});
    EXPECT_FALSE(f.Timer3.enabled());
    EXPECT_EQ(f.BeaconSecondsx.caption(), "60");

    // Its station leaving re-arms it; the callsign must equal the box exactly.
    s.node().stationDisconnects("W1ABC");
    s.advance(1);
    EXPECT_TRUE(f.Timer3.enabled());
    s.advance(61);
    EXPECT_EQ(connects(s), (V{"CONNECT W1ABC", "CONNECT W1ABC"}));
}

// A callsign stored in lower case is in capitals from the start, so its station leaving re-arms
// the timed connection as it does for one typed in.
TEST(IdentsTimedConnection, AStoredLowerCaseCallsignIsInCapitalsAndItsDisconnectRearms) {
    Station s;
    Form3& f = openIdents(s, "ConnectStationx=w1abc\nBeaconPeriodx=1\nStopClockx=1\nCONDISC=0\n");
    EXPECT_EQ(f.ConnectStationx.text(), "W1ABC");
    s.advance(61);
    ASSERT_EQ(connects(s), V{"CONNECT W1ABC"});
    s.node().stationDisconnects("W1ABC");
    s.advance(5);
    EXPECT_TRUE(f.Timer3.enabled());
}

TEST(IdentsTimedConnection, CountdownRunningOutWhileABulletinPlaysOrItsStationIsConnectedConnectsNothing) {
    for (const bool bulletin : {true, false}) {
        Station s;
        Form3& f = openIdents(s, kTimed);
        if (bulletin)
            bulletinPlaying(s, true);
        else
            s.node().stationConnects("W1ABC");
        s.advance(61);
        EXPECT_TRUE(connects(s).empty()) << bulletin;
        EXPECT_FALSE(f.Timer3.enabled()) << bulletin;
        EXPECT_EQ(f.BeaconSecondsx.caption(), "60") << bulletin;
    }
}

TEST(IdentsTimedConnection, ALocalCarrierHoldsTheCountdownAtTheFullPeriod) {
    Station s;
    Form3& f = openIdents(s, kTimed);
    s.advance(30.5);
    s.node().setCarrier(true);
    s.advance(40);
    EXPECT_EQ(f.BeaconSecondsx.caption(), "60");
    EXPECT_TRUE(connects(s).empty());
    s.node().setCarrier(false);
    s.advance(61);
    EXPECT_EQ(connects(s), V{"CONNECT W1ABC"});
}

TEST(IdentsTimedConnection, UntickedItStandsStillAndARearmChangesNothing) {
    Station s;
    Form3& f = openIdents(s, kTimed);
    s.advance(10.5);
    const std::string shown = f.BeaconSecondsx.caption();
    f.StopClockx.setValue(0);
    s.advance(120);
    EXPECT_EQ(f.BeaconSecondsx.caption(), shown);
    EXPECT_TRUE(connects(s).empty());

    f.Timer3.disable();
    s.app().act([&] { f.RearmTimedConnection(); });
    EXPECT_FALSE(f.Timer3.enabled());
    EXPECT_EQ(f.BeaconSecondsx.caption(), shown);

    f.StopClockx.setValue(1);   // ticking it does not start a stopped countdown
    s.advance(5);
    EXPECT_EQ(f.BeaconSecondsx.caption(), shown);
    s.app().act([&] { f.RearmTimedConnection(); });
    EXPECT_TRUE(f.Timer3.enabled());
    EXPECT_EQ(f.BeaconSecondsx.caption(), "60");
}

TEST(IdentsTimedConnection, APeriodOfZeroBecomesOneMinuteAndANewPeriodRestartsTheCountdown) {
    Station s;
    Form3& f = openIdents(s, kTimed);
    s.advance(10.5);
    s.set("Form3.BeaconPeriodx", "3");
    EXPECT_EQ(f.BeaconSecondsx.caption(), "180");
    s.set("Form3.BeaconPeriodx", "");
    EXPECT_EQ(f.BeaconPeriodx.text(), "0");
    EXPECT_EQ(f.BeaconSecondsx.caption(), "0");
    s.advance(1);
    EXPECT_EQ(f.BeaconPeriodx.text(), "1");
    EXPECT_EQ(f.BeaconSecondsx.caption(), "59") << "restarted at 60 instead of connecting";
    EXPECT_TRUE(connects(s).empty());
}

TEST(IdentsTimedConnection, AStoredPeriodThatIsNotANumberIsLoggedAndTheDesignedPeriodKept) {
    Station s;
    Form3& f = openIdents(s, "BeaconPeriodx=five\n");
    EXPECT_EQ(f.BeaconPeriodx.text(), "5");
    EXPECT_EQ(f.BeaconSecondsx.caption(), "300");
    EXPECT_TRUE(s.transcript().contains("LOG \"identabc.ini <-- BeaconPeriodx has the value \\\"five\\\", not a number"));
}

TEST(IdentsConDisc, EachButtonConnectsItsStationOrDisconnectsItWhenConnected) {
    struct Case {
        const char* button;
        const char* box;
    };
    for (const Case c : {Case{"Connect1", "ConnectStation1"}, Case{"Command3", "ConnectStation2"},
                         Case{"Command9", "ConnectStation3"}, Case{"Command8", "ConnectStation4"},
                         Case{"Command15", "ConnectStationx"}}) {
        Station s;
        Form3& f = openIdents(s, "CONDISC=0\n");
        static_cast<TextBox*>(f.findControl(c.box))->setText(" w1abc");
        s.click(std::string("Form3.") + c.button);
        s.advance(1);
        EXPECT_TRUE(s.node().isConnected("W1ABC")) << c.button;
        s.click(std::string("Form3.") + c.button);
        s.advance(1);
        EXPECT_FALSE(s.node().isConnected("W1ABC")) << c.button;
        EXPECT_EQ(connects(s), (V{"CONNECT W1ABC", "DISCONNECT W1ABC"})) << c.button;
    }
}

TEST(IdentsConDisc, AnEmptyBoxCallsNobodyAndAnUnansweredTestIsLogged) {
    Station s;
    Form3& f = openIdents(s);
    s.click("Form3.Connect1");
    s.advance(1);
    EXPECT_TRUE(connects(s).empty());
    f.ConnectStation1.setText("W1ABC");
    s.node().setUnreachable(true);
    s.click("Form3.Connect1");
    s.node().setUnreachable(false);
    s.advance(1);
    EXPECT_TRUE(connects(s).empty());
    EXPECT_TRUE(s.transcript().contains("LOG \"Idents: the connected test of W1ABC failed"));
}
