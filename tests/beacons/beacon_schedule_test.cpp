// Timed and information beacons of the active set, and the serial counter's housekeeping.
#include "beacon_test_support.h"

namespace {
// Set 2 active, its beacons marked on the transcript, speech quiet.
Form110& activeSet2(Station& s) {
    markSet2Beacons(s);
    s.app().form3().Check1.setValue(1);
    s.app().form3().Option4.setValue(true);
    return s.app().form110();
}
}  // namespace

TEST(TimedBeacon, GoesOutEveryPeriodAndIsDroppedWhileBusy) {
    Station s({"2026-12-10 12:00:00"});
    Form110& set = activeSet2(s);
    set.StopClock1.operatorClick();
    EXPECT_EQ(set.BeaconSeconds1.caption(), "900");
    s.advance(10);                               // a tick a whole second after the click and each second on
    EXPECT_EQ(set.BeaconSeconds1.caption(), "890");
    s.advance(889);                              // 12:14:59
    EXPECT_TRUE(s.node().dtmfSent().empty());
    s.advance(2);
    EXPECT_EQ(timesOf(s.transcript(), "DTMF-OUT"), (std::vector<std::string>{"12:15:00"}));
    EXPECT_EQ(set.BeaconSeconds1.caption(), "899");   // reloaded at 12:15:00, one tick since

    s.advance(898);                              // 12:29:59: the link turns busy over the due second
    s.node().setCarrier(true);
    s.advance(2);
    s.node().setCarrier(false);
    s.advance(900);
    EXPECT_EQ(timesOf(s.transcript(), "DTMF-OUT"), (std::vector<std::string>{"12:15:00", "12:45:00"}))
        << "a busy beacon is dropped, not deferred";
}

TEST(TimedBeacon, FollowsTheActiveSetWithSet1sAllowance) {
    struct Case {
        bool set2Active;
        int allow;          // set 1's Check2
        size_t beacons;
    };
    for (const Case c : {Case{true, 0, 1}, Case{false, 0, 0}, Case{false, 1, 1}}) {
        SCOPED_TRACE("set 2 active " + std::to_string(c.set2Active) + ", Check2 " + std::to_string(c.allow));
        Station s({"2026-12-10 12:00:00"});
        Form110& set2 = activeSet2(s);
        if (!c.set2Active) s.app().form3().Option3.setValue(true);
        s.app().form111().Check2.setValue(c.allow);
        set2.StopClock1.setValue(1);
        set2.InfoHourly.setValue(1);   // the allowance covers the timed beacon only
        // Timed beacons at 12:15, 12:30, 12:45 and 13:00; information beacons at 12:00:20 and 13:00:20.
        s.advance(3630);
        EXPECT_EQ(s.node().dtmfSent().size(), c.set2Active ? 6u : c.beacons * 4);
    }
}

TEST(TimedBeacon, Set1SendsItsExtraBeaconOrItsChoice) {
    Station s({"2026-12-10 12:00:00"});
    s.app().form3().Check1.setValue(1);
    s.app().form3().Option3.setValue(true);
    Form111& set = s.app().form111();
    nameSlots(set);
    set.Text21.setText("extra beacon");
    set.Option6.setValue(true);
    set.BeaconPeriod1.operatorType("1");
    set.StopClock1.setValue(1);
    s.advance(61);
    EXPECT_EQ(set.TempText, "extra beacon");
    set.Check1.setValue(1);
    s.advance(60);
    EXPECT_EQ(set.TempText, "slot 6");
    s.app().form3().Option4.setValue(true);
    set.TempText = "-";
    s.advance(60);
    EXPECT_EQ(set.TempText, "-") << "set 1 is not the active set";
}

TEST(TimedBeacon, TheCountdownStandsStillWhileSwitchedOff) {
    Station s({"2026-12-10 12:00:00"});
    Form110& set = activeSet2(s);
    set.StopClock1.setValue(1);
    s.advance(600.5);
    EXPECT_EQ(set.BeaconSeconds1.caption(), "300");
    set.StopClock1.setValue(0);
    s.advance(1000);
    EXPECT_EQ(set.BeaconSeconds1.caption(), "300");
    EXPECT_TRUE(s.node().dtmfSent().empty());
    set.StopClock1.setValue(1);
    s.advance(300);
    EXPECT_EQ(s.node().dtmfSent().size(), 1u);
}

TEST(TimedBeacon, ThePeriodBoxRestartsOrStopsTheCountdown) {
    Station s;
    Form111& set = s.app().form111();
    set.StopClock1.setValue(1);
    s.advance(5.5);
    EXPECT_EQ(set.BeaconSeconds1.caption(), "895");
    set.BeaconPeriod1.operatorType("");
    EXPECT_EQ(set.BeaconPeriod1.text(), "0");
    EXPECT_EQ(set.BeaconSeconds1.caption(), "0");
    EXPECT_FALSE(set.Beacon1.enabled());
    set.BeaconPeriod1.operatorType("10");
    EXPECT_EQ(set.BeaconSeconds1.caption(), "600");
    EXPECT_TRUE(set.Beacon1.enabled());
    set.BeaconPeriod1.operatorType("0");
    EXPECT_FALSE(set.Beacon1.enabled());
    set.BeaconPeriod1.operatorType("7a");
    EXPECT_EQ(set.BeaconPeriod1.text(), "7") << "the box takes digits only once it has changed";
}

TEST(InformationBeacon, GoesOutAtTwentySecondsPastTheTickedTimes) {
    struct Case {
        int hourly, quarter, half;
        std::vector<std::string> times;
    };
    const std::vector<Case> cases = {
        {1, 0, 0, {"13:00:20"}},
        {0, 1, 0, {"13:15:20", "13:45:20"}},
        {0, 0, 1, {"13:30:20"}},
        {1, 1, 1, {"13:00:20", "13:15:20", "13:30:20", "13:45:20"}},
        {0, 0, 0, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.hourly) + std::to_string(c.quarter) + std::to_string(c.half));
        Station s({"2026-12-10 12:59:50"});
        Form110& set = activeSet2(s);
        set.InfoHourly.setValue(c.hourly);
        set.InfoQuarter.setValue(c.quarter);
        set.InfoHalf.setValue(c.half);
        s.advance(3600);
        EXPECT_EQ(timesOf(s.transcript(), "DTMF-OUT"), c.times);
    }
}

TEST(InformationBeacon, ABusySecondOrAnInactiveSetIsNotMadeUp) {
    Station s({"2026-12-10 13:15:00"});
    Form110& set = activeSet2(s);
    set.InfoQuarter.setValue(1);
    s.advance(19.5);
    s.node().setActivity(true);
    s.advance(1);
    s.node().setActivity(false);
    s.advance(60);
    EXPECT_TRUE(s.node().dtmfSent().empty());
    s.app().form3().Option3.setValue(true);
    s.advance(1800);
    EXPECT_TRUE(s.node().dtmfSent().empty()) << "13:45:20 passes while set 1 is active";
}

TEST(InformationBeacon, EchoLinkNotAnsweringAtTheDueSecondDropsItWithoutAnInternalError) {
    Station s({"2026-12-10 13:14:50"});
    Form110& set = activeSet2(s);
    set.InfoQuarter.setValue(1);
    s.node().setUnreachable(true);
    s.advance(40);
    s.node().setUnreachable(false);
    EXPECT_TRUE(s.node().dtmfSent().empty());
    EXPECT_EQ(s.transcript().count("LOG \"Internal error"), 0);
}

TEST(InformationBeacon, Set1FollowsItsOwnBoxesAndItsChoice) {
    Station s({"2026-12-10 12:30:19"});
    s.app().form3().Check1.setValue(1);
    s.app().form3().Option3.setValue(true);
    Form111& set = s.app().form111();
    set.Text21.setText("half past");
    set.InfoHalf.setValue(1);
    set.TempText = "-";
    s.advance(0.5);
    EXPECT_EQ(set.TempText, "-");
    s.advance(1);
    EXPECT_EQ(set.TempText, "half past");
}

TEST(SerialCounter, StartsAtFromAndFollowsTheRange) {
    Station s;
    s.writeSettings("beaconabc.ini", "[SETTINGS]\nTEXT22=3\nTEXT23=5\n");
    Form111& set = s.app().form111();
    s.advance(1.5);
    EXPECT_EQ(set.NextNo.caption(), "1") << "the counter starts two seconds after creation";
    s.advance(1);
    EXPECT_EQ(set.StartNo.caption(), "3");
    EXPECT_EQ(set.NextNo.caption(), "3");

    set.NextNo.setCaption("21");
    s.advance(1);
    EXPECT_EQ(set.NextNo.caption(), "3");

    set.NextNo.setCaption("5");
    set.Text23.operatorType("9");   // a new To restarts the counter at From
    EXPECT_EQ(set.NextNo.caption(), "3");
    set.Text22.operatorType("4");   // a new From restarts it at the From of the last tick
    EXPECT_EQ(set.StartNo.caption(), "3");
    s.advance(1);
    EXPECT_EQ(set.Label5.caption(), "4");
    set.Text22.operatorType("");
    EXPECT_EQ(set.Text22.text(), "1") << "the range is never left empty";
}
