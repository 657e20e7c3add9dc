// The timed connection: connect, busy listing, countdown held by activity, disconnect.
#include "link_station.h"

namespace {
const char* kTimed = "TEXT1X=W1ABC\nTEXT2X=21\nTEXT3X=31\nDELAYPERIOD=1\nCHECK12=1\n";

void stayConnected(Station& s) {
    Form3& idents = s.app().form3();
    idents.ConDisc.setValue(0);         // a spoken connect notice would hold the countdown as local TX does
    idents.ConnectStation1.setText("k2xyz");
    idents.StayCon1.setValue(1);
    idents.StayCon2.setValue(1);        // ticked with an empty callsign: nobody to call
    idents.ConnectStation3.setText("N3OTH");
    idents.StayCon3.setValue(0);
}
}  // namespace

TEST(TimedConnection, ConnectsListsBusyCountsDownAndDisconnects) {
    Station s;
    Form4& f = openConnectControl(s, kTimed);
    stayConnected(s);
    s.advance(0.5);
    s.transcript().clear();
    dtmf(s, "21", 2.6);
    EXPECT_EQ(linkActions(s.transcript()), (std::vector<std::string>{"CONNECT W1ABC", "BUSY on"}));
    EXPECT_EQ(f.ListBusy, "1");
    EXPECT_EQ(f.DelayCTRL.value(), 1);
    const double left = toDouble(f.DelaySeconds.caption());
    EXPECT_GE(left, 57);
    EXPECT_LE(left, 60);

    s.advance(55);
    EXPECT_EQ(s.transcript().count("DISCONNECT-ALL"), 0);
    s.advance(10);
    EXPECT_EQ(s.transcript().count("DISCONNECT-ALL"), 1);
    const auto actions = linkActions(s.transcript());
    ASSERT_GE(actions.size(), 3u);
    EXPECT_EQ(std::vector<std::string>(actions.end() - 3, actions.end()),
              (std::vector<std::string>{"DISCONNECT-ALL", "BUSY off", "CONNECT K2XYZ"}));
    EXPECT_FALSE(s.node().isConnected("W1ABC"));
    EXPECT_EQ(f.ListBusy, "0");
    EXPECT_FALSE(f.Timer10.enabled());
    EXPECT_EQ(f.DelaySeconds.caption(), "60");
    EXPECT_EQ(f.DelayCTRL.value(), 1);   // only a stop clears the indicator
}

TEST(TimedConnection, LocalActivityKeepsItUpUntilAFullPeriodHasPassedWithoutIt) {
    Station s;
    Form4& f = openConnectControl(s, kTimed);
    dtmf(s, "21", 2);
    localSignal(s, true);
    s.advance(90);
    EXPECT_EQ(f.DelaySeconds.caption(), "60");
    localSignal(s, false);
    s.advance(50);
    EXPECT_EQ(s.transcript().count("DISCONNECT-ALL"), 0);
    s.advance(20);
    EXPECT_EQ(s.transcript().count("DISCONNECT-ALL"), 1);
}

TEST(TimedConnection, AStopRightAfterTheStartLeavesNothingBehind) {
    Station s;
    Form4& f = openConnectControl(s, kTimed);
    s.advance(0.3);
    s.transcript().clear();
    dtmf(s, "21", 0.1);
    dtmf(s, "31", 5);
    EXPECT_EQ(s.transcript().count("CONNECT W1ABC"), 0);
    EXPECT_EQ(s.transcript().count("BUSY on"), 0);
    EXPECT_EQ(f.DelayCTRL.value(), 0);
    EXPECT_EQ(f.ListBusy, "0");
}

TEST(TimedConnection, StopDisconnectsClearsBusyAndCallsTheStayConnectedStations) {
    Station s;
    Form4& f = openConnectControl(s, kTimed);
    stayConnected(s);
    dtmf(s, "21", 4);
    ASSERT_TRUE(s.node().isConnected("W1ABC"));
    s.transcript().clear();
    dtmf(s, "31", 0.1);
    EXPECT_EQ(linkActions(s.transcript()), (std::vector<std::string>{"DISCONNECT W1ABC", "BUSY off", "CONNECT K2XYZ"}));
    EXPECT_EQ(f.DelayCTRL.value(), 0);
    EXPECT_FALSE(f.Timer10.enabled());
    EXPECT_EQ(f.DelaySeconds.caption(), "60");
}

TEST(TimedConnection, TheTestStationIsReachedWithEverybodyDisconnected) {
    Station s;
    Form4& f = openConnectControl(s, "TEXT1X=*echotest*\nCHECK10=1\n");
    s.node().stationConnects("W1ABC");
    s.advance(0.5);
    s.transcript().clear();
    dtmf(s, "7093", 2);
    EXPECT_EQ(s.transcript().count("DISCONNECT-ALL"), 2);
    EXPECT_EQ(s.transcript().count("CONNECT *ECHOTEST*"), 1);

    f.Text1x.setText("*ECHOTEST*");
    s.advance(1);
    EXPECT_EQ(f.Check10.value(), 0);
    EXPECT_FALSE(f.Check10.visible());
    EXPECT_TRUE(f.Label49.visible());
}

TEST(TimedConnection, ButtonsStartAtOnceAndStop) {
    Station s;
    Form4& f = openConnectControl(s, "TEXT1X=W1ABC\nDELAYPERIOD=2\n");
    s.transcript().clear();
    s.click("Form4.Command23");
    EXPECT_EQ(linkActions(s.transcript()), (std::vector<std::string>{"CONNECT W1ABC"}));
    EXPECT_EQ(f.DelayCTRL.value(), 1);
    EXPECT_EQ(f.DelaySeconds.caption(), "120");
    s.advance(3);
    s.click("Form4.Command24");
    EXPECT_EQ(s.transcript().count("DISCONNECT W1ABC"), 1);
    EXPECT_EQ(f.DelayCTRL.value(), 0);

    f.Text1x.setText("");
    s.transcript().clear();
    s.click("Form4.Command23");
    s.click("Form4.Command24");
    s.advance(2);
    EXPECT_TRUE(linkActions(s.transcript()).empty());
}

TEST(TimedConnection, AnEmptiedPeriodBecomesOneMinute) {
    Station s;
    Form4& f = openConnectControl(s);
    s.set("Form4.DelayPeriod", "");
    EXPECT_EQ(f.DelayPeriod.text(), "1");
    EXPECT_EQ(f.DelaySeconds.caption(), "60");
    s.set("Form4.DelayPeriod", "00");
    EXPECT_EQ(f.DelayPeriod.text(), "1");
}
