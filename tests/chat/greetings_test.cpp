#include "chat/greetings_window.h"
#include "speech/idents_window.h"
#include "support/station_fixture.h"

namespace {
struct GreetingFixture : ::testing::Test {
    Station s{{"2026-12-10 09:05:00"}};
    Form10* greet = nullptr;
    void start(const std::string& ini = "") {
        if (!ini.empty()) s.writeSettings("marogreeting.ini", "[SETTINGS]\n" + ini);
        greet = &s.app().form10();
    }
    const std::vector<std::string>& sent() { return s.node().chatSent(); }
};
}  // namespace

TEST_F(GreetingFixture, ConnectingStationIsGreetedAfterItsDelayWithTheChosenText) {
    start("OPTION3=True\nOPTION10=False\n");
    EXPECT_EQ(greet->caption(), "MVSmall    N0CALL-L   v1.0      Text Box Greeting Message");
    EXPECT_FALSE(greet->visible());
    s.node().stationConnects("W1ABC", "John", "1.2.3.4");
    s.advance(2.9);
    EXPECT_TRUE(sent().empty());
    EXPECT_EQ(greet->BeaconSecondsDelay.caption(), "1");
    s.advance(0.2);
    EXPECT_EQ(sent(), std::vector<std::string>{"Hello John Welcome"});
    EXPECT_EQ(greet->BeaconSecondsDelay.caption(), "3");
    EXPECT_FALSE(greet->Timer2Delay.enabled());
    s.node().stationDisconnects("W1ABC");   // no notice without option 10
    s.advance(5);
    EXPECT_EQ(sent().size(), 1u);
}

TEST_F(GreetingFixture, OnlyTheLastStationOfABurstIsGreeted) {
    start("OPTION1=True\nOPTION10=False\nTEXTTXMESSAGE=\n");
    s.node().stationConnects("W1ABC", "John");
    s.advance(2);
    s.node().stationConnects("K2XYZ", "Mary");
    s.advance(1.5);
    EXPECT_TRUE(sent().empty());
    s.advance(2);
    EXPECT_EQ(sent(), std::vector<std::string>{"Hello Mary "});
}

TEST_F(GreetingFixture, ConnectNoticeAndDisconnectNoticesWithOptionTen) {
    start();   // the first start selects option 10 with the time stamp on
    EXPECT_TRUE(greet->Option10.value());
    s.node().stationConnects("W1ABC-L", "John");
    s.advance(3.1);
    s.node().stationDisconnects("W1ABC-L");
    s.advance(0.1);
    greet->TimeStamp.setValue(0);
    s.node().stationDisconnects("K9NEVER");   // never connected here: no event, no notice
    s.node().stationConnects("K2XYZ");
    s.node().stationDisconnects("K2XYZ");
    s.advance(0.1);
    EXPECT_EQ(sent(), (std::vector<std::string>{"W1ABC-L John Connected", "(09:05) W1ABC-L Disconnected 73's",
                                                "K2XYZ Disconnected 73's"}));
}

TEST_F(GreetingFixture, GreetingRequestFromOutsideTurnsAWaitingGreetingIntoTheNotice) {
    start("OPTION2=True\nOPTION10=False\n");
    s.node().stationConnects("W1ABC", "John");
    s.advance(1);
    greet->Option10.setValue(true);   // as the launcher does for a chat line holding "Hello" or "/greeting/"
    s.advance(2.1);
    EXPECT_EQ(sent(), std::vector<std::string>{"W1ABC John Connected"});
}

TEST_F(GreetingFixture, ConferenceSelectsTheNotice) {
    start("OPTION4=True\nOPTION10=False\n");
    s.node().stationConnects("*IRELAND*", "Conference");
    s.advance(3.1);
    EXPECT_EQ(sent(), std::vector<std::string>{"*IRELAND* Conference Connected"});
    EXPECT_TRUE(greet->Option10.value());
}

TEST_F(GreetingFixture, DelayZeroGoesOutOnTheSecondTick) {
    start("OPTION5=True\nBEACONPERIODDELAY=0\n");
    s.node().stationConnects("W1ABC", "John");
    s.advance(1.1);
    EXPECT_TRUE(sent().empty());
    EXPECT_EQ(greet->BeaconPeriodDelay.text(), "1");
    s.advance(1);
    EXPECT_EQ(sent().size(), 1u);
}

TEST_F(GreetingFixture, DelayThatDoesNotConvertFallsBackAndSaysSo) {
    start("OPTION7=True\nOPTION10=False\nBEACONPERIODDELAY=x\n");
    s.node().stationConnects("W1ABC", "John");
    s.advance(3.1);
    EXPECT_EQ(sent(), std::vector<std::string>{"Hello John Great having you aboard"});
    EXPECT_EQ(greet->BeaconPeriodDelay.text(), "3");
    EXPECT_TRUE(s.transcript().contains("LOG \"marogreeting.ini <-- BEACONPERIODDELAY has the value \\\"x\\\", not a number"));
}

TEST_F(GreetingFixture, RandomChoiceStaysInRangeAndFollowsAConference) {
    start("CHECK1=1\n");
    greet->MaxRand.setText("");
    s.node().stationConnects("W1ABC", "John");
    s.advance(3.1);
    EXPECT_EQ(greet->MaxRand.text(), "1");
    EXPECT_TRUE(greet->option(1).value());
    EXPECT_EQ(sent().back(), "Hello John Welcome. If I don't answer then I might be away or busy. Please leave a short delay "
                             "between Transmission's !");

    greet->MaxRand.setText("15");
    s.app().form3().ConDisc.setValue(0);   // no spoken notice: the idents window leaves the callsign in TempCall
    s.node().stationConnects("*ECHOTEST*", "Mary");
    s.advance(3.1);
    EXPECT_EQ(greet->MaxRand.text(), "10");
    EXPECT_EQ(sent().back(), "*ECHOTEST* Mary Connected");

    greet->MaxRand.setText("abc");
    s.app().form3().TempCall = "K2XYZ";
    s.node().stationConnects("W3DEF", "Ann");
    s.advance(3.1);
    EXPECT_EQ(greet->MaxRand.text(), "10");
    EXPECT_EQ(sent().size(), 3u);
    EXPECT_TRUE(s.transcript().contains("LOG \"Highest random greeting \\\"abc\\\" is not a number"));
}

TEST_F(GreetingFixture, NothingGoesOutWithGreetingsOffOrNoOptionSelected) {
    start("USEGREETING=0\n");
    s.node().stationConnects("W1ABC", "John");
    s.advance(3.1);
    s.node().stationDisconnects("W1ABC");
    s.advance(0.1);
    greet->UseGreeting.setValue(1);
    greet->Option10.setValue(false);
    s.node().stationConnects("K2XYZ", "Mary");
    s.advance(3.1);
    EXPECT_TRUE(sent().empty());
}

TEST_F(GreetingFixture, ClosePromptAndEchoLinkClosing) {
    start();
    s.dialogs->answer(MsgAnswer::No);
    greet->closeRequest();
    EXPECT_FALSE(s.app().ended());
    EXPECT_FALSE(std::filesystem::exists(s.settingsFile("marogreeting.ini")));
    ASSERT_EQ(s.dialogs->shown.size(), 1u);
    EXPECT_EQ(s.dialogs->shown[0].text, "Quit - Remember to save your settings - Are You Sure ? ");

    s.node().close();
    s.advance(0.1);
    EXPECT_TRUE(s.app().ended());
    EXPECT_TRUE(std::filesystem::exists(s.settingsFile("marogreeting.ini")));
}

TEST_F(GreetingFixture, ClockShowsTheTime) {
    start();
    s.advance(2);
    EXPECT_EQ(greet->ShowTime.caption().substr(0, 6), "09:05:");
}

TEST_F(GreetingFixture, GreetingThatCannotBeSentIsLogged) {
    start();
    s.node().stationConnects("W1ABC", "John");
    s.node().setUnreachable(true);
    s.advance(3.1);
    EXPECT_TRUE(s.transcript().contains("LOG \"Greeting for W1ABC not sent"));
    EXPECT_FALSE(greet->Timer2Delay.enabled());
    s.node().setUnreachable(false);
    s.node().stationConnects("K2XYZ", "Mary");
    s.advance(3.1);
    EXPECT_EQ(sent(), std::vector<std::string>{"K2XYZ Mary Connected"});
}
