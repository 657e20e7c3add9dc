#include "weather_test_support.h"

using weathertest::WeatherStation;

namespace {
struct Served {
    std::string standBy, spoken;
};

Served dtmf(WeatherStation& ws, const std::string& digits) {
    ws.s.node().receiveDtmf(digits);
    ws.s.advance(1);
    return {ws.takeStandBy(), ws.takeSpoken()};
}

void allFiles(WeatherStation& ws) {
    ws.conditions("data.csv");
    ws.forecast("metar.txt");
    ws.warning("warning.txt");
    ws.w();
}
}  // namespace

TEST(WeatherCommands, DefaultCodesSpeakTheirReportsAfterStandBy) {
    WeatherStation ws;
    ws.twentyFourHourClock();
    allFiles(ws);
    Form114& w = ws.w();
    const std::pair<const char*, const char*> cases[] = {
        {"**1", "The local weather conditions  at 15 30 Hours ."},
        {"55*", " The Temperature is 41.5 degrees  fahrenheit. EchoLink node. Link : On"},
        {"**2", "The local weather forecast for . Wednesday  : Mostly Sunny"},
        {"**3", "The local weather warning . Severe  Thunder Storms  Warning at 10:05 A M CST"},
        {"**5", "The local weather warning  .  pre BULLETIN - IMMEDIATE BROADCAST REQUESTED"},
        {"**4", "The local weather warning Severe Thunderstorm Warning for Lancaster County"}};
    for (const auto& [code, beginning] : cases) {
        const Served served = dtmf(ws, code);
        EXPECT_EQ(served.standBy, "Stand By") << code;
        EXPECT_EQ(served.spoken.rfind(beginning, 0), 0u) << code << ": " << served.spoken;
    }
    EXPECT_EQ(w.Check4.value(), 0) << "the long warning puts its switch back";

    for (const char* other : {"**", "*1", "**1 ", " **1", "**6", "551*"}) {
        const Served served = dtmf(ws, other);
        EXPECT_EQ(served.standBy, "") << other;
        EXPECT_EQ(served.spoken, "") << other;
    }
}

TEST(WeatherCommands, EmptyCodeBoxNeverMatchesAndCodesAreCaseSensitive) {
    WeatherStation ws;
    allFiles(ws);
    ws.w().DTMFCon.setText("");
    ws.w().DTMFFor.setText("a1");
    ws.s.app().act([&] { ws.w().EchoLink_DTMFString(""); });
    EXPECT_EQ(ws.takeStandBy(), "");
    EXPECT_EQ(dtmf(ws, "A1").spoken, "");
    EXPECT_NE(dtmf(ws, "a1").spoken, "");
}

TEST(WeatherCommands, DisabledAnnouncementsAreLiftedForTheRequestAndPutBackHoweverItEnds) {
    WeatherStation ws;
    allFiles(ws);
    CheckBox& disable = ws.s.app().form3().Check1;
    std::vector<int> seen;
    disable.onClick([&] { seen.push_back(disable.value()); });
    disable.setValue(1);
    seen.clear();

    EXPECT_NE(dtmf(ws, "**1").spoken, "");
    EXPECT_EQ(seen, (std::vector<int>{0, 1}));
    EXPECT_EQ(disable.value(), 1);

    // A request that ends early (no conditions file) also puts the box back, and speaks nothing.
    std::filesystem::remove(ws.wxex("csv/data.csv"));
    seen.clear();
    const Served served = dtmf(ws, "55*");
    EXPECT_EQ(served.standBy, "Stand By");
    EXPECT_EQ(served.spoken, "");
    EXPECT_EQ(seen, (std::vector<int>{0, 1}));
    EXPECT_EQ(disable.value(), 1);
    EXPECT_TRUE(ws.s.dialogs->shown.empty()) << "a DTMF request never waits on a box";

    // A greyed box (2) is left alone.
    disable.setValue(2);
    seen.clear();
    dtmf(ws, "**2");
    EXPECT_TRUE(seen.empty());
}

TEST(WeatherCommands, TwoBoxesWithOneCodeAreBothServedInOrder) {
    WeatherStation ws;
    allFiles(ws);
    ws.w().PlayTemp.setText("**1");
    CheckBox& disable = ws.s.app().form3().Check1;
    disable.setValue(1);
    std::vector<int> seen;
    disable.onClick([&] { seen.push_back(disable.value()); });
    const Served served = dtmf(ws, "**1");
    EXPECT_EQ(seen, (std::vector<int>{0, 1, 0, 1})) << "two requests, each lifting the box";
    EXPECT_EQ(served.spoken, ws.w().Text6.text()) << "the temperature is served after the conditions";
}

TEST(WeatherCommands, LongWarningWithoutAWarningSpeaksTheNoWarningSentenceOnly) {
    WeatherStation ws;
    allFiles(ws);
    ws.warning("warning_none.txt");
    EXPECT_EQ(dtmf(ws, "**5").spoken, "There are no warnings at this time. EchoLink node. Link : On");
    EXPECT_FALSE(ws.s.app().exists("Form122"));
    EXPECT_EQ(ws.w().Check4.value(), 1);
}

TEST(WeatherCommands, ButtonsSpeakWithoutStandByAndLeaveAnnouncementsAlone) {
    WeatherStation ws;
    allFiles(ws);
    ws.s.app().form3().Check1.setValue(1);
    const std::pair<const char*, TextBox Form114::*> buttons[] = {
        {"Form114.cmdParse", &Form114::Text1}, {"Form114.Command3", &Form114::Text6},
        {"Form114.Command4", &Form114::Text3}, {"Form114.Command11", &Form114::Text5},
        {"Form114.Command8", &Form114::Text5}, {"Form114.Command12", &Form114::Text5}};
    for (const auto& [button, box] : buttons) {
        ws.s.click(button);
        EXPECT_EQ(ws.takeStandBy(), "") << button;
        const std::string spoken = ws.takeSpoken();
        EXPECT_NE(spoken, "") << button;
        EXPECT_EQ(spoken, (ws.w().*box).text()) << button;
        EXPECT_EQ(ws.s.app().form3().Check1.value(), 1);
    }
}

TEST(WeatherCommands, CodesAreLiveFromStartUp) {
    Station s(StationOptions{"2026-12-10 15:31:00", "N0CALL-L", true});
    ASSERT_TRUE(s.app().exists("Form114"));
    s.node().receiveDtmf("**3");
    s.advance(1);
    EXPECT_EQ(s.app().form3().SayTheText, "Stand By");
    EXPECT_EQ(s.app().form111().TempText, "There are no warnings at this time. EchoLink node. Link : On")
        << "no warning file: no warning in force";
}
