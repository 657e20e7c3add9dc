#include "core/text.h"
#include "news/news_player_window.h"
#include "player/player_window.h"
#include "speech/courtesy_window.h"
#include "weather/warning_parser_window.h"
#include "support/test_wav.h"
#include "weather_test_support.h"

using weathertest::WeatherStation;

namespace {
const char* const kNoWarnings = "There are no warnings at this time. EchoLink node. Link : On";

// A station whose weather window was created with these settings lines.
void withSettings(WeatherStation& ws, const std::string& lines) {
    ws.s.writeSettings("abcweather.ini", "[SETTINGS]\r\n" + lines);
    ws.conditions("data.csv");
    ws.forecast("metar.txt");
    ws.warning("warning.txt");
    ws.w();
}

// Puts a silent file of that length on the air through the player.
void putFileOnAir(Station& s, double seconds) {
    const std::string path = writeTestWav(s.dataFile("long.wav"), seconds);
    s.app().act([&] {
        Form1& player = s.app().form1();
        player.txtFile.setText(path);
        player.TempVolSet.setText("0");
        player.TXFile();
    });
}

// Advances `seconds` and returns what was handed to the speak-now entry meanwhile.
std::string after(WeatherStation& ws, double seconds) {
    ws.s.advance(seconds);
    return ws.takeSpoken();
}
}  // namespace

TEST(WeatherBeacons, ConditionsAndTemperatureBeaconSpeakAtTheirPeriod) {
    struct Case {
        const char* settings;
        TextBox Form114::*box;
    };
    const Case cases[] = {{"STOPCLOCK1=1\r\n", &Form114::Text1}, {"CHECK6=1\r\nBEACONPERIOD1=2\r\n", &Form114::Text6}};
    for (const Case& c : cases) {
        WeatherStation ws;
        withSettings(ws, c.settings);
        const double period = ws.w().BeaconPeriod1.text() == "2" ? 120 : 900;
        EXPECT_EQ(ws.w().BeaconSeconds1.caption(), period == 120 ? "120" : "900");
        EXPECT_EQ(after(ws, period - 2), "");
        const std::string first = after(ws, 4);
        EXPECT_NE(first, "");
        EXPECT_EQ(first, (ws.w().*c.box).text());
        EXPECT_EQ(after(ws, period - 4), "");
        EXPECT_EQ(after(ws, 4), first);
    }
}

TEST(WeatherBeacons, ForecastBeaconSpeaksTheForecast) {
    WeatherStation ws;
    withSettings(ws, "STOPCLOCK2=1\r\nBEACONPERIOD2=1\r\n");
    const std::string spoken = after(ws, 62);
    EXPECT_EQ(spoken.rfind("The local weather forecast for . Wednesday", 0), 0u) << spoken;
}

TEST(WeatherBeacons, PeriodBoxesSwitchTheirClocks) {
    WeatherStation ws;
    withSettings(ws, "BEACONPERIOD2=0\r\nBEACONPERIOD3=.5\r\n");
    Form114& w = ws.w();
    EXPECT_FALSE(w.Beacon2.enabled());
    EXPECT_EQ(w.BeaconSeconds2.caption(), "0");
    EXPECT_EQ(w.BeaconPeriod3.text(), "0");
    EXPECT_FALSE(w.Beacon3.enabled());
    EXPECT_TRUE(w.Beacon4.enabled());
    EXPECT_EQ(w.BeaconSeconds4.caption(), "300");

    ws.s.set("Form114.BeaconPeriod2", "15");
    EXPECT_TRUE(w.Beacon2.enabled());
    EXPECT_EQ(w.BeaconSeconds2.caption(), "900");
    w.BeaconPeriod2.setText("");
    EXPECT_EQ(w.BeaconPeriod2.text(), "0");
    EXPECT_FALSE(w.Beacon2.enabled());
    w.BeaconPeriod4.setText(".1");
    EXPECT_EQ(w.BeaconSeconds4.caption(), "6");

    // With its run box clear a beacon's label stands still.
    ws.s.set("Form114.BeaconPeriod1", "1");
    ws.s.advance(10);
    EXPECT_EQ(w.BeaconSeconds1.caption(), "60");
    EXPECT_EQ(ws.takeSpoken(), "");
}

TEST(WeatherBeacons, BusyOrConnectedAtZeroLosesThatPeriod) {
    WeatherStation ws;
    withSettings(ws, "STOPCLOCK1=1\r\nBEACONPERIOD1=1\r\nSTOPCLOCK3=1\r\nBEACONPERIOD3=1\r\nCHECK3=1\r\n");
    ws.s.node().setCarrier(true);
    EXPECT_EQ(after(ws, 62), "");
    EXPECT_NEAR(val(ws.w().BeaconSeconds1.caption()), 60, 2) << "the label is back at the full period";
    ws.s.node().setCarrier(false);
    // A file on the air: the player shows the news player's PTT as on while it keys. The
    // beacons due meanwhile wait for it and go out, one after the other, once it has ended.
    putFileOnAir(ws.s, 90);
    ws.s.advance(1);
    ASSERT_EQ(ws.s.app().form24().PTT.caption(), "PTT ON");
    EXPECT_EQ(after(ws, 59), "");
    ws.s.app().act([&] { ws.s.app().form1().StopFile(); });
    ASSERT_EQ(ws.s.app().form24().PTT.caption(), "PTT OFF");
    EXPECT_EQ(after(ws, 1.5).rfind("The local weather conditions", 0), 0u);
    ws.s.advance(30);
    ws.takeSpoken();
    ws.w().BeaconSeconds1.setCaption("60");
    ws.w().BeaconSeconds3.setCaption("60");

    // With "No TX When Station Connected" the conditions beacon waits; the warning beacon does not.
    ws.connectStations(2);
    ws.w().StopClock3.setValue(1);
    const std::string spoken = after(ws, 60);
    EXPECT_EQ(spoken.rfind("The local weather warning . Severe", 0), 0u) << spoken;
    ws.w().StopClock3.setValue(0);
    EXPECT_EQ(after(ws, 60), "");
    ws.disconnectStations(2);
    EXPECT_EQ(after(ws, 60).rfind("The local weather conditions", 0), 0u);
}

TEST(WeatherBeacons, WarningBeaconChoosesItsText) {
    struct Case {
        const char* settings;
        const char* file;
        const char* spoken;
    };
    const Case cases[] = {
        {"CHECK1=1\r\n", "warning_none.txt", ""},
        {"CHECK1=1\r\nOption2=1\r\n", "warning_none.txt", ""},
        {"CHECK1=1\r\nOption3=1\r\n", "warning_none.txt", ""},
        {"", "warning_none.txt", kNoWarnings},
        {"Option3=1\r\nTEXT9=Tune to the weather channel\r\n", "warning.txt", "Tune to the weather channel"},
        {"CHECK1=1\r\nOption2=1\r\n", "warning_no_summary.txt", ""},
        {"Option2=1\r\n", "warning_no_summary.txt",
         "The local weather warning  : Sorry no summery available  . EchoLink node. Link : On"},
        {"CHECK1=1\r\nOption2=1\r\n", "warning.txt",
         "The local weather warning Severe Thunderstorm Warning for Lancaster County until 11 A M CST . EchoLink node. Link : On"},
    };
    for (const Case& c : cases) {
        WeatherStation ws;
        withSettings(ws, std::string("STOPCLOCK3=1\r\nBEACONPERIOD3=1\r\n") + c.settings);
        ws.warning(c.file);
        EXPECT_EQ(after(ws, 62), c.spoken) << c.settings << c.file;
    }
}

TEST(WeatherBeacons, MissingConditionsFileIsLoggedAndNothingStaleIsSpoken) {
    WeatherStation ws;
    withSettings(ws, "STOPCLOCK1=1\r\nBEACONPERIOD1=1\r\n");
    ASSERT_NE(after(ws, 62), "");
    std::filesystem::remove(ws.wxex("csv/data.csv"));
    const int logged = ws.logLines();
    EXPECT_EQ(after(ws, 60), "");
    EXPECT_EQ(ws.logLines(), logged + 1);
    EXPECT_EQ(ws.w().Text1.text(), "");
    EXPECT_TRUE(ws.s.dialogs->shown.empty());
}

TEST(WeatherBeacons, FailureInsideABeaconTickIsLoggedAndTheStationGoesOn) {
    WeatherStation ws;
    withSettings(ws, "STOPCLOCK3=1\r\nBEACONPERIOD3=1\r\n");
    ws.put("data/warning.txt", "RADREGION:NEx:1 -->:" + std::string(40000, 'x'));
    const int logged = ws.logLines();
    EXPECT_EQ(after(ws, 62), "");
    EXPECT_EQ(ws.logLines(), logged + 1);
    EXPECT_FALSE(ws.s.app().ended());
    ws.warning("warning.txt");
    EXPECT_NE(after(ws, 60), "");
}

TEST(LiveWarningWatcher, SpeaksEachNewWarningOnce) {
    WeatherStation ws;
    withSettings(ws, "STOPCLOCK4=1\r\n");
    ws.warning("warning_none.txt");
    EXPECT_EQ(after(ws, 298), "");
    EXPECT_EQ(after(ws, 4), kNoWarnings) << "the first check after start-up counts as a change";
    EXPECT_EQ(after(ws, 300), "");
    ws.warning("warning.txt");
    const std::string spoken = after(ws, 300);
    EXPECT_EQ(spoken.rfind("The local weather warning . Severe  Thunder Storms  Warning", 0), 0u) << spoken;
    EXPECT_EQ(after(ws, 600), "");
    EXPECT_EQ(ws.w().Text4.text(), ws.w().Text5.text());
}

TEST(LiveWarningWatcher, BusyCheckKeepsTheChangeForTheNextCheck) {
    WeatherStation ws;
    withSettings(ws, "STOPCLOCK4=1\r\nBEACONPERIOD4=1\r\n");
    ws.s.node().setActivity(true);
    EXPECT_EQ(after(ws, 62), "");
    ws.s.node().setActivity(false);
    EXPECT_EQ(after(ws, 60).rfind("The local weather warning", 0), 0u);
}

TEST(LiveWarningWatcher, ConnectedStationRecordsTheChangeWithoutSpeaking) {
    WeatherStation ws;
    withSettings(ws, "STOPCLOCK4=1\r\nBEACONPERIOD4=1\r\nCHECK3=1\r\n");
    ws.connectStations(1);
    EXPECT_EQ(after(ws, 62), "");
    ws.disconnectStations(1);
    EXPECT_EQ(after(ws, 60), "") << "already recorded";
}

TEST(LiveWarningWatcher, AutoStartSwitchesTheWarningBeaconOnSixtySecondsLater) {
    WeatherStation ws;
    withSettings(ws, "STOPCLOCK4=1\r\nBEACONPERIOD4=1\r\nCHECK2=1\r\nBEACONPERIOD3=15\r\n");
    EXPECT_EQ(ws.w().StopClock3.value(), 0);
    const std::string announced = after(ws, 61.5);
    EXPECT_NE(announced, "");
    EXPECT_EQ(ws.w().StopClock3.value(), 1);
    EXPECT_NEAR(val(ws.w().BeaconSeconds3.caption()), 60, 1);
    // The watcher's next check finds nothing new; the warning beacon speaks at its turn.
    EXPECT_EQ(after(ws, 57), "");
    EXPECT_EQ(after(ws, 4), announced);
}

// Two beacons with one period fall due in the same second: the second waits for the first to
// end instead of cutting it off, and both go out whole within their period.
TEST(WeatherBeacons, TwoBeaconsWithOnePeriodBothGoOutWhole) {
    WeatherStation ws;
    withSettings(ws, "STOPCLOCK1=1\r\nBEACONPERIOD1=1\r\nSTOPCLOCK2=1\r\nBEACONPERIOD2=1\r\n");
    ws.s.transcript().clear();
    ws.s.advance(118);
    std::vector<std::string> air;
    for (const std::string& line : ws.s.transcript().lines())
        if (line.rfind("KEY", 0) == 0 || line.rfind("PLAY", 0) == 0 || line.rfind("STOP", 0) == 0 ||
            line.rfind("WAV", 0) == 0)
            air.push_back(line);
    ASSERT_EQ(air.size(), 8u) << ::testing::PrintToString(air);
    for (int turn = 0; turn < 2; ++turn) {
        EXPECT_EQ(air[turn * 4].rfind("WAV", 0), 0u);
        EXPECT_EQ(air[turn * 4 + 1], "KEY on");
        EXPECT_EQ(air[turn * 4 + 2].rfind("PLAY", 0), 0u);
        EXPECT_EQ(air[turn * 4 + 3], "KEY off");
    }
    EXPECT_NE(air[0], air[4]) << "each beacon says its own text";
}
