#include "weather/forecast_parser_window.h"
#include "weather/full_warning_window.h"
#include "weather/warning_parser_window.h"
#include "weather/warning_summary_window.h"
#include "weather_test_support.h"

using weathertest::WeatherStation;

namespace {
const char* const kForecast =
    "The local weather forecast for . "
    "Wednesday  : Mostly Sunny with a High of 45 and a Low of 28 Degrees. "
    "Thursday  : Chance  Thunder Storms  with a High of 33 and a Low of 20 Degrees. "
    "Friday  : Cloudy with a High of 38 and a Low of 25 Degrees. "
    "Saturday  : Rain with a High of 50 and a Low of 31 Degrees. "
    "Sunday  : Partly Cloudy with a High of 52 and a Low of 0 Degrees. "
    "EchoLink node. Link : On";

const char* const kShortWarning =
    "The local weather warning . Severe  Thunder Storms  Warning at 10:05 A M CST . Lancaster County . "
    "Seward County . Saunders County . EchoLink node. Link : On";
const char* const kSummary =
    "The local weather warning Severe Thunderstorm Warning for Lancaster County until 11 A M CST . "
    "EchoLink node. Link : On";
const char* const kNoWarnings = "There are no warnings at this time. EchoLink node. Link : On";

std::string forecastOf(WeatherStation& ws) {
    Form115& f = ws.s.app().form115();
    f.GetForcastFile();
    f.SortForcast();
    return ws.w().Text3.text();
}

template <class W>
std::string warningOf(WeatherStation& ws, W& window) {
    ws.w().Text5.setText("");
    window.GetForcastFile();
    window.SortForcast();
    return ws.w().Text5.text();
}
}  // namespace

TEST(ForecastParser, FixtureFilesGiveTheirFiveDays) {
    struct Case {
        const char* fixture;
        std::string content;   // used when no fixture is named
        const char* expected;
    };
    const std::string days = weathertest::readFixture("metar.txt").substr(weathertest::readFixture("metar.txt").find("FORECAST:\r\n") + 11);
    const std::string fullStop =
        "The local weather forecast for . "
        "Wednesday  : Mostly Sunny with a High of 45 and a Low of 28 Degrees. "
        "Thursday  : Rain. Windy with a High of 33 and a Low of 20 Degrees. "
        "Friday  : Cloudy with a High of 38 and a Low of 25 Degrees. "
        "Saturday  : Rain with a High of 50 and a Low of 31 Degrees. "
        "Sunday  : Partly Cloudy with a High of 52 and a Low of 0 Degrees. "
        "EchoLink node. Link : On";
    const std::string badHigh =
        "The local weather forecast for . "
        "Wednesday  : Mostly Sunny with a High of 45 and a Low of 28 Degrees. "
        "Thursday  : Chance  Thunder Storms  with a High of 33 and a Low of 20 Degrees. "
        "Saturday  : Rain with a High of 50 and a Low of 31 Degrees. "
        "Sunday  : Partly Cloudy with a High of 52 and a Low of 0 Degrees. "
        "EchoLink node. Link : On";
    const Case cases[] = {
        {"metar.txt", "", kForecast},
        // Without the tag the first eight characters are dropped.
        {nullptr, "FCST 01 " + days, kForecast},
        // The first tag counts.
        {nullptr, "FORECAST:" + days + "FORECAST:ignored", kForecast},
        // A conditions text with a full stop keeps the later days in their places.
        {"metar_fullstop.txt", "", fullStop.c_str()},
        // A day whose high is no number is left out; nothing of an earlier run stands in for it.
        {"metar_bad_high.txt", "", badHigh.c_str()},
    };
    WeatherStation ws;
    for (const Case& c : cases) {
        if (c.fixture)
            ws.forecast(c.fixture);
        else
            ws.put("data/metar.txt", c.content);
        EXPECT_EQ(forecastOf(ws), c.expected) << (c.fixture ? c.fixture : c.content.substr(0, 20));
    }
}

TEST(ForecastParser, CentigradeConvertsEachTemperatureOnce) {
    WeatherStation ws;
    ws.forecast("metar.txt");
    ws.w().C.setValue(true);
    const std::string expected =
        "The local weather forecast for . "
        "Wednesday  : Mostly Sunny with a High of 7 and a Low of -2 Degrees. "
        "Thursday  : Chance  Thunder Storms  with a High of 1 and a Low of -7 Degrees. "
        "Friday  : Cloudy with a High of 3 and a Low of -4 Degrees. "
        "Saturday  : Rain with a High of 10 and a Low of -1 Degrees. "
        "Sunday  : Partly Cloudy with a High of 11 and a Low of -18 Degrees. "
        "EchoLink node. Link : On";
    EXPECT_EQ(forecastOf(ws), expected);
    EXPECT_EQ(forecastOf(ws), expected);
    ws.s.app().form115().SortForcast();   // a caller may sort alone
    EXPECT_EQ(ws.w().Text3.text(), expected);
    ws.w().Cels.setValue(true);
    EXPECT_EQ(forecastOf(ws), kForecast);
}

TEST(ForecastParser, MissingOrEmptyFileSpeaksNoForecastAndSaysWhy) {
    WeatherStation ws;
    ws.forecast("metar.txt");
    ASSERT_EQ(forecastOf(ws), kForecast);
    std::filesystem::remove(ws.wxex("data/metar.txt"));
    const int logged = ws.logLines();
    EXPECT_EQ(forecastOf(ws), "");
    EXPECT_EQ(ws.logLines(), logged + 1);
    EXPECT_TRUE(ws.s.dialogs->shown.empty());

    ws.put("data/metar.txt", "");
    EXPECT_EQ(forecastOf(ws), "");
    EXPECT_TRUE(ws.s.dialogs->shown.empty());

    std::filesystem::remove(ws.wxex("data/metar.txt"));
    ws.s.click("Form114.Command4");
    EXPECT_EQ(ws.takeSpoken(), "");
    ASSERT_EQ(ws.s.dialogs->shown.size(), 1u);
    EXPECT_EQ(ws.s.dialogs->shown[0].text, "File Not Found. Please check and try again");
}

TEST(ForecastParser, DelimiterDefaultsAndTheParseDemonstration) {
    WeatherStation ws;
    Form115& f = ws.s.app().form115();
    f.editParse.setText("a:b,c");
    f.editDelimit.setText("");
    f.SortForcast();
    EXPECT_EQ(f.editDelimit.text(), ":");
    EXPECT_EQ(f.lstParse.items(), (std::vector<std::string>{"a", "b,c"}));
    f.editDelimit.setText("");
    f.cmdParse.click();
    EXPECT_EQ(f.editDelimit.text(), ",");
    EXPECT_EQ(f.lstParse.items(), (std::vector<std::string>{"0 -> a:b", "1 -> c"}));
}

TEST(WarningParsers, FixtureFilesGiveEachWindowsReport) {
    WeatherStation ws;
    ws.warning("warning.txt");
    auto& app = ws.s.app();
    EXPECT_EQ(warningOf(ws, app.form121()), kShortWarning);
    EXPECT_FALSE(app.form121().noWarningInForce());
    EXPECT_EQ(warningOf(ws, app.form113()), kSummary);
    ws.w().Check4.setValue(1);
    EXPECT_EQ(warningOf(ws, app.form122()),
              "The local weather warning  .  pre BULLETIN - IMMEDIATE BROADCAST REQUESTED SEVERE THUNDERSTORM "
              "WARNING NATIONAL WEATHER SERVICE OMAHA NE:: UNTIL 1100 AM CST:: HAIL UP TO ONE INCH AND WINDS TO 60 "
              "MPH:    . EchoLink node. Link : On");

    ws.warning("warning_no_summary.txt");
    EXPECT_EQ(warningOf(ws, app.form113()),
              "The local weather warning  : Sorry no summery available  . EchoLink node. Link : On");

    ws.warning("warning_none.txt");
    EXPECT_EQ(warningOf(ws, app.form121()), kNoWarnings);
    EXPECT_TRUE(app.form121().noWarningInForce());
    EXPECT_EQ(warningOf(ws, app.form113()), kNoWarnings);
}

TEST(WarningParsers, ReplacementListsAndCuts) {
    struct Case {
        const char* content;
        const char* shortWarning;   // Form121
        const char* summary;        // Form113
    };
    const Case cases[] = {
        // " am" is replaced also where it begins a word; "am" at the very start stays.
        {"RADREGION:NEx:1 -->:amid among:3:4:5:6:7:8WarningSum:x", "The local weather warning . amid A Mong at 3:4 . 6 . 7 . 8 . EchoLink node. Link : On", nullptr},
        // "T -Storms" before "T-Storms"; "*" and ". " become separators.
        {"RADREGION:NEx:1 -->:T -Storms*T-Storms:3. 4:5:6:7:8", "The local weather warning .  Thunder Storms  at  Thunder Storms :3 . 5 . 6 . 7 . EchoLink node. Link : On", nullptr},
        // Without the tag: from the 12th character.
        {"0123456789ABx:1 -->:two:3:4:5:6:7:8", "The local weather warning . two at 3:4 . 6 . 7 . 8 . EchoLink node. Link : On", nullptr},
        // EDT only with a blank on each side; the blank between two belongs to the first match.
        {"WarningSum:until 4 pm EDT EDT (Edt) edt.:1 -->", nullptr, "The local weather warning until 4 pm E D T EDT (Edt) edt. . EchoLink node. Link : On"},
        // A summary of blanks and letters is no no-summary case; only "nce" is.
        {"WarningSum: nce:1 -->", nullptr, "The local weather warning  nce . EchoLink node. Link : On"},
        // The summary as the file's last item: only the marker says that no warning is in force.
        {"RADREGION:NE WarningSum:Flood watch until noon", nullptr,
         "The local weather warning Flood watch until noon . EchoLink node. Link : On"},
        {"WarningSum:Flood watch:0 -->", nullptr, "There are no warnings at this time. EchoLink node. Link : On"},
    };
    WeatherStation ws;
    for (const Case& c : cases) {
        ws.put("data/warning.txt", c.content);
        if (c.shortWarning) {
            EXPECT_EQ(warningOf(ws, ws.s.app().form121()), c.shortWarning) << c.content;
        }
        if (c.summary) {
            EXPECT_EQ(warningOf(ws, ws.s.app().form113()), c.summary) << c.content;
        }
    }
}

TEST(WarningParsers, FieldsOfAnEarlierWarningAreNeverReused) {
    WeatherStation ws;
    ws.warning("warning.txt");
    ASSERT_EQ(warningOf(ws, ws.s.app().form121()), kShortWarning);
    ws.put("data/warning.txt", "RADREGION:NEWarningCount:1 -->WarningType:Flood Watch");
    EXPECT_EQ(warningOf(ws, ws.s.app().form121()),
              "The local weather warning . Flood Watch at : .  .  .  . EchoLink node. Link : On");
}

TEST(WarningParsers, MissingWarningFileMeansNoWarningAndIsLoggedOnce) {
    WeatherStation ws;
    ws.warning("warning.txt");
    ASSERT_EQ(warningOf(ws, ws.s.app().form121()), kShortWarning);
    ws.removeWarning();
    const int logged = ws.logLines();
    EXPECT_EQ(warningOf(ws, ws.s.app().form121()), kNoWarnings);
    EXPECT_EQ(warningOf(ws, ws.s.app().form113()), kNoWarnings);
    EXPECT_EQ(warningOf(ws, ws.s.app().form122()), kNoWarnings);
    EXPECT_EQ(ws.logLines(), logged + 1);
    EXPECT_TRUE(ws.s.dialogs->shown.empty());
    ws.put("data/warning.txt", "");
    EXPECT_EQ(warningOf(ws, ws.s.app().form121()), kNoWarnings);
    ws.removeWarning();
    warningOf(ws, ws.s.app().form121());
    EXPECT_EQ(ws.logLines(), logged + 2) << "found again, then missing again: told again";
}
