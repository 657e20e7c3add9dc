// The connect-control window's buttons, quit prompt and closing.
#include "beacons/profile_window.h"
#include "link_station.h"
#include "nets/net_set2_window.h"

TEST(ConnectControlWindow, ButtonsListBusyEndListenOnlyAndToggleStations) {
    Station s;
    Form4& f = openConnectControl(s, "CALL1=w1abc\nCALL4=K2XYZ\nGROUPCALL2=N3OTH\nGROUPCALL3=W1ABC\n");
    f.EchoLink().ListenOnly(true);
    s.transcript().clear();
    s.click("Form4.Command21");
    EXPECT_EQ(f.ListBusy, "1");
    s.click("Form4.Command22");
    EXPECT_EQ(f.ListBusy, "0");
    s.click("Form4.Command18");
    s.click("Form4.Command7");            // Call1, in capitals
    s.click("Form4.Command10");           // Call4
    s.advance(1);
    s.click("Form4.Command3");            // group 1: only N3OTH is not connected yet
    s.advance(1);
    s.click("Form4.Command4");
    s.click("Form4.Command10");
    EXPECT_EQ(linkActions(s.transcript()),
              (std::vector<std::string>{"BUSY on", "BUSY off", "LISTEN-ONLY off", "CONNECT W1ABC", "CONNECT K2XYZ",
                                        "CONNECT N3OTH", "DISCONNECT N3OTH", "DISCONNECT W1ABC",
                                        "DISCONNECT K2XYZ"}));
}

TEST(ConnectControlWindow, ShowsOtherWindowsAndHidesItself) {
    Station s;
    Form4& f = openConnectControl(s);
    f.Show();
    s.click("Form4.Command16");
    EXPECT_FALSE(f.visible());
    s.click("Form4.Command1");
    EXPECT_TRUE(s.app().form123().visible());
    s.click("Form4.Command25");
    Form117* first = &s.app().form117();
    s.click("Form4.Command25");
    EXPECT_EQ(&s.app().form117(), first);
    EXPECT_TRUE(first->visible());
}

TEST(ConnectControlWindow, TheQuitPromptEndsTheProgramOnlyOnYesWithoutSaving) {
    Station s;
    Form4& f = openConnectControl(s);
    f.EchoLink().Busy(true);
    f.EchoLink().KeyTransmitter(true);
    s.dialogs->answer(MsgAnswer::No);
    s.app().act([&] { f.closeRequest(); });
    ASSERT_EQ(s.dialogs->shown.size(), 1u);
    EXPECT_EQ(s.dialogs->shown[0].title, "Exit Program");
    EXPECT_EQ(s.dialogs->shown[0].text, "Quit MaroTTS - Are You Sure ? Remember To Save Any Changes  ");
    EXPECT_FALSE(s.app().ended());
    s.advance(1.5);
    EXPECT_EQ(f.ShowTime.caption(), "12:00:01");

    s.dialogs->answer(MsgAnswer::Yes);
    s.app().act([&] { f.closeRequest(); });
    EXPECT_TRUE(s.app().ended());
    EXPECT_FALSE(s.node().keyed());
    EXPECT_FALSE(s.node().busy());
    EXPECT_EQ(s.transcript().lines().back(), "EXIT");
    EXPECT_EQ(s.readSettings(Form4::kSettingsFile), "");
}

TEST(ConnectControlWindow, EchoLinkClosingReleasesTheTransmitterAndBusyListingAndEnds) {
    Station s;
    Form4& f = openConnectControl(s);
    f.EchoLink().Busy(true);
    s.node().close();
    s.advance(1);
    EXPECT_TRUE(s.app().ended());
    EXPECT_FALSE(s.node().busy());
    EXPECT_EQ(s.transcript().count("EXIT"), 1);
}

TEST(ConnectControlWindow, AnEchoLinkThatStopsAnsweringIsLoggedOnceAndNothingBreaks) {
    Station s;
    Form4& f = openConnectControl(s, "STOPCLOCK17=1\nBEACONPERIOD17=1\nTEXT5=HOME1\nCHECK1=0\nBEACONPERIOD=5\n");
    s.node().setUnreachable(true);
    s.advance(150);
    EXPECT_EQ(s.transcript().count("LOG \"Form4 busy display"), 1);
    EXPECT_EQ(s.transcript().count("LOG \"Form4 idle disconnect"), 1);
    s.click("Form4.Command21");
    EXPECT_EQ(s.transcript().count("LOG \"Form4 List as Busy"), 1);
    EXPECT_EQ(f.ListBusy, "1");
    s.node().setUnreachable(false);
    s.advance(1);
    EXPECT_EQ(f.Label43.caption(), "Listed Not Busy");
}

// What the console's "dtmf" and "wait 5" do, with every start-up window in place.
TEST(ConnectControlWindow, TheConnectCodeConnectsItsStationWithTheWholeStationRunning) {
    Station fresh;
    fresh.writeSettings(Form4::kSettingsFile, "[SETTINGS]\nDTMF1=101\nCALL1=W1ABC\nTEXT1X=K2XYZ\nTEXT2X=21\n");
    fresh.app().act([&] { fresh.app().createStartupWindows(); });
    fresh.node().receiveDtmf("101");
    fresh.advance(5);
    EXPECT_EQ(fresh.transcript().count("CONNECT W1ABC"), 1);
    fresh.node().receiveDtmf("21");
    fresh.advance(5);
    EXPECT_EQ(fresh.transcript().count("CONNECT K2XYZ"), 1);
}
