// The daily scheduled disconnect and connect, and the idle disconnect.
#include "link_station.h"

TEST(DailySchedule, DisconnectsAtItsTimeOnceThenConnectsAtTheOther) {
    Station s({"2026-12-10 12:00:00"});
    Form4& f = openConnectControl(s,
                                  "Hour0=12\nMins0=01\nCHECK5=1\nCHECK7=1\nCHECK8=1\nDISCONNECT1= w1abc \n"
                                  "Hour00=12\nMins00=02\nCHECK6=1\nCONNECT1=k2xyz\nCHECK9=1\n");
    s.node().stationConnects("N3OTH");
    s.advance(74.9);                      // 12:01:14.9
    EXPECT_EQ(s.transcript().count("DISCONNECT-ALL"), 0);
    s.advance(2);
    EXPECT_TRUE(inOrder(linkActions(s.transcript()), {"BUSY on", "DISCONNECT-ALL"}));
    EXPECT_EQ(s.transcript().count("DISCONNECT-ALL"), 1);   // once, although the second is seen twice
    EXPECT_EQ(f.ListBusy, "1");
    EXPECT_EQ(f.Label43.caption(), "Listed As Busy");
    EXPECT_EQ(f.Label45.caption(), "Listed As Busy");

    s.transcript().clear();
    s.advance(60);                        // 12:02:16.9
    EXPECT_TRUE(inOrder(linkActions(s.transcript()), {"CONNECT K2XYZ", "BUSY off"}));
    EXPECT_EQ(s.transcript().count("CONNECT K2XYZ"), 1);
    EXPECT_EQ(f.ListBusy, "0");
}

TEST(DailySchedule, DisconnectsOneStationTrimmedAndAvailableOnlyWithTheConnect) {
    Station s({"2026-12-10 08:30:00"});
    openConnectControl(s, "Hour0=08\nMins0=30\nCHECK8=1\nDISCONNECT1= w1abc \nHour00=08\nMins00=31\nCHECK9=1\n"
                          "CONNECT1=K2XYZ\n");
    s.node().stationConnects("W1ABC");
    s.node().stationConnects("N3OTH");
    s.app().form4().EchoLink().Busy(true);
    s.advance(80);
    EXPECT_EQ(s.transcript().count("DISCONNECT W1ABC"), 1);
    EXPECT_TRUE(s.node().isConnected("N3OTH"));
    EXPECT_EQ(s.transcript().count("BUSY off"), 0);   // "List as Available" needs "Connect Station"
    EXPECT_EQ(s.transcript().count("CONNECT K2XYZ"), 0);
}

TEST(DailySchedule, AnHourWithoutItsLeadingZeroAndTheShippedTimesNeverAct) {
    for (const char* settings : {"Hour0=8\nMins0=30\nCHECK5=1\n", "CHECK5=1\nCHECK6=1\nCONNECT1=K2XYZ\n"}) {
        Station s({"2026-12-10 08:29:50"});
        openConnectControl(s, settings);
        s.node().stationConnects("W1ABC");
        s.advance(40);
        EXPECT_EQ(s.transcript().count("DISCONNECT-ALL"), 0) << settings;
        EXPECT_EQ(s.transcript().count("CONNECT K2XYZ"), 0) << settings;
    }
}

TEST(IdleDisconnect, DropsEverybodyAfterItsPeriodAndCallsTheHomeStationBack) {
    Station s;
    Form4& f = openConnectControl(s, "STOPCLOCK17=1\nBEACONPERIOD17=1\nTEXT5=HOME1\nCHECK13=1\n");
    EXPECT_EQ(f.BeaconSeconds17.caption(), "60");
    s.node().stationConnects("HOME1");
    s.node().stationConnects("W1ABC");
    s.advance(58.5);
    EXPECT_EQ(s.transcript().count("DISCONNECT-ALL"), 0);
    s.advance(2);
    EXPECT_EQ(s.transcript().count("DISCONNECT-ALL"), 1);
    EXPECT_EQ(s.transcript().count("CONNECT HOME1"), 1);
    EXPECT_EQ(f.BeaconSeconds17.caption(), "60");
}

TEST(IdleDisconnect, LeavesTheHomeStationAloneAndDoesNothingWhenOffOrWithoutAHomeStation) {
    struct Case {
        const char* name;
        const char* settings;
    };
    for (const Case& c : {Case{"home station alone", "STOPCLOCK17=1\nBEACONPERIOD17=1\nTEXT5=HOME1\n"},
                          Case{"feature off", "STOPCLOCK17=0\nBEACONPERIOD17=1\nTEXT5=HOME1\n"},
                          Case{"no home station", "STOPCLOCK17=1\nBEACONPERIOD17=1\nTEXT5= \n"}}) {
        SCOPED_TRACE(c.name);
        Station s;
        openConnectControl(s, c.settings);
        s.node().stationConnects("HOME1");
        if (std::string(c.name) != "home station alone") s.node().stationConnects("W1ABC");
        s.advance(600);
        EXPECT_EQ(s.transcript().count("DISCONNECT-ALL"), 0);
    }
}

TEST(IdleDisconnect, ALocalCarrierRestartsTheCountWhileDtmfUseIsOn) {
    Station s;
    Form4& f = openConnectControl(s, "STOPCLOCK17=1\nBEACONPERIOD17=1\nTEXT5=HOME1\n");
    s.node().stationConnects("W1ABC");
    s.advance(40);
    s.node().setCarrier(true);
    s.advance(30);
    s.node().setCarrier(false);
    s.advance(45);
    EXPECT_EQ(s.transcript().count("DISCONNECT-ALL"), 0);
    s.advance(20);
    EXPECT_EQ(s.transcript().count("DISCONNECT-ALL"), 1);
    EXPECT_EQ(f.HowManyConnected.caption(), "0");
}

TEST(LastConnected, HoldsTheStationThatConnectedLast) {
    Station s;
    Form4& f = openConnectControl(s);
    s.node().stationConnects("W1ABC");
    s.node().stationConnects("K2XYZ-L", "Town", "10.0.0.1");
    s.advance(0.5);
    EXPECT_EQ(f.LastConnected.text(), "K2XYZ-L");
}
