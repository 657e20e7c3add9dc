#include <map>

#include "weather/read_csv.h"
#include "weather_test_support.h"

using weathertest::WeatherStation;

namespace {
// The report with the "24 Hr" clock chosen.
const char* const kFahrenheitReport =
    "The local weather conditions  at 15 30 Hours .  The Temperature is 41.5 degrees  fahrenheit. "
    "Relative Humidity is 45 per cent. The dew point is 21 Degrees. The wind direction is 270 Degrees west : "
    "with a speed of 9 miles per hour.  The barometric pressure is 30.12 inches.  The Current conditions are  "
    "sunny. EchoLink node. Link : On";

// The fixture's newest record with some fields changed.
std::string recordWith(const std::map<int, std::string>& changes) {
    const std::string csv = weathertest::readFixture("data.csv");
    const size_t end = csv.rfind("\r\n");
    const size_t start = csv.rfind("\r\n", end - 1) + 2;
    auto fields = ReadCSV::ParseCSV(csv.substr(start, end - start), ",", "\"");
    for (const auto& [at, value] : changes) fields[static_cast<size_t>(at)] = value;
    std::string line;
    for (size_t i = 0; i < fields.size(); ++i) line += (i ? "," : "") + (i == 1 ? "\"" + fields[i] + "\"" : fields[i]);
    return "Date,Station\r\n" + line + "\r\n";
}
}  // namespace

TEST(ConditionsReport, SpeaksTheNewestRecordInTheChosenUnitWords) {
    struct Units {
        OptionButton Form114::*temp;
        OptionButton Form114::*wind;
        OptionButton Form114::*pressure;
        const char *tempWords, *windWords, *pressureWords;
    };
    const Units cases[] = {
        {&Form114::F, &Form114::mph, &Form114::inHg, " fahrenheit. ", " miles per hour. ", " inches. "},
        {&Form114::C, &Form114::km_hr, &Form114::hPa, " centegrade. ", " kilometres per hour. ", " hectorpascals. "},
        {&Form114::Cels, &Form114::km_hr, &Form114::mb, " celsius. ", " kilometres per hour. ", " milly bars. "},
    };
    for (const Units& u : cases) {
        WeatherStation ws;
        ws.twentyFourHourClock();
        ws.conditions("data.csv");
        Form114& w = ws.w();
        (w.*u.temp).setValue(true);
        (w.*u.wind).setValue(true);
        (w.*u.pressure).setValue(true);
        ws.s.click("Form114.cmdParse");
        std::string expected = kFahrenheitReport;
        // The values are spoken as the file writes them; only the unit words change.
        expected.replace(expected.find(" fahrenheit. "), 13, u.tempWords);
        expected.replace(expected.find(" miles per hour. "), 17, u.windWords);
        expected.replace(expected.find(" inches. "), 9, u.pressureWords);
        EXPECT_EQ(ws.takeSpoken(), expected);
        EXPECT_EQ(w.Text1.text(), expected);
    }
}

TEST(ConditionsReport, TwelveHourRuleSpeaksTheHourWithItsTimeWords) {
    const std::pair<const char*, const char*> cases[] = {
        {"15", " at 3 30 P M. "}, {"12", " at 12 30 P M. "}, {"09", " at 09 30 A M. "}, {"0", " at 0 30 A M. "}};
    for (const auto& [hour, spoken] : cases) {
        WeatherStation ws;
        ws.put("csv/data.csv", recordWith({{4, hour}}));
        ws.s.app().form3().Option1.setValue(true);
        ws.w().TXWeather();
        EXPECT_NE(ws.w().Text1.text().find(spoken), std::string::npos) << hour << ": " << ws.w().Text1.text();
    }
}

TEST(ConditionsReport, WindDirectionAndConditionCodeBecomeWords) {
    const std::tuple<const char*, const char*, const char*, const char*> cases[] = {
        {"350", "north north west :", "5.0", " clear. "}, {"351", "north :", "19", " unknown. "},
        {"10", "north :", "18", " thunder storms. "},       {"10.5", "north north east :", "2.5", " unknown. "},
        {"-20", "north :", "1", " chance of storms. "},     {"190", "south :", "12", " partley cloudy. "}};
    for (const auto& [direction, bearing, code, words] : cases) {
        WeatherStation ws;
        ws.put("csv/data.csv", recordWith({{9, direction}, {18, code}}));
        ws.w().TXWeather();
        const std::string text = ws.w().Text1.text();
        EXPECT_NE(text.find(std::string(" Degrees ") + bearing + " with"), std::string::npos) << direction;
        EXPECT_NE(text.find(std::string(" The Current conditions are ") + words), std::string::npos) << code;
    }
}

TEST(ConditionsReport, TemperatureSentenceCarriesTheChosenTime) {
    struct Case {
        OptionButton Form114::*option;
        bool twelveHour;
        const char* text6;
    };
    const Case cases[] = {
        {&Form114::Option4, false, "At 15 30 Hours .  The Temperature Was 41.5 degrees  fahrenheit. EchoLink node. Link : On"},
        {&Form114::Option5, true, "At 3 05PM.  The Temperature is 41.5 degrees  fahrenheit. EchoLink node. Link : On"},
        {&Form114::Option5, false, "At 15 05.  The Temperature Is 41.5 degrees  fahrenheit. EchoLink node. Link : On"},
        {&Form114::Option6, false, " The Temperature is 41.5 degrees  fahrenheit. EchoLink node. Link : On"}};
    for (const Case& c : cases) {
        WeatherStation ws("2026-12-10 15:05:40");
        ws.conditions("data.csv");
        (ws.w().*c.option).setValue(true);
        ws.s.app().form3().Option1.setValue(c.twelveHour);
        ws.s.app().form3().Option2.setValue(!c.twelveHour);
        ws.s.click("Form114.Command3");
        EXPECT_EQ(ws.takeSpoken(), c.text6);
    }
}

TEST(ConditionsReport, AbbreviationChangerAppliesItsPairsInOrderOnce) {
    WeatherStation ws;
    ws.conditions("data.csv");
    Form114& w = ws.w();
    w.EndMessage.setText("Lincoln WX net. t-storms");
    w.TextRep[1]->setText("WX");
    w.TextRepB[1]->setText("weather");
    w.TextRep[2]->setText("weather net");
    w.TextRepB[2]->setText("weather network");
    ws.s.click("Form114.cmdParse");
    const std::string spoken = ws.takeSpoken();
    EXPECT_NE(spoken.find("sunny. Lincoln weather network. t-storms"), std::string::npos) << spoken;
    // A warning request runs the changer again: the conditions text is not changed twice.
    w.Convtxt();
    EXPECT_EQ(w.Text1.text(), spoken);
}

TEST(ConditionsReport, RecordThatCannotBeReadIsLoggedAndNothingEarlierIsSpoken) {
    const char* const broken[] = {"", "data_empty_last_line.csv", "data_short_record.csv",
                                  "data_no_condition_code.csv"};
    for (const char* fixture : broken) {
        WeatherStation ws;
        ws.twentyFourHourClock();
        ws.conditions("data.csv");
        ws.s.click("Form114.cmdParse");
        ASSERT_EQ(ws.takeSpoken(), kFahrenheitReport);
        if (*fixture)
            ws.conditions(fixture);
        else
            std::filesystem::remove(ws.wxex("csv/data.csv"));
        const int logged = ws.logLines();

        EXPECT_THROW(ws.w().TXWeather(), WeatherReportError) << fixture;
        EXPECT_EQ(ws.w().Text1.text(), "") << fixture;
        EXPECT_EQ(ws.w().Text6.text(), "") << fixture;
        EXPECT_EQ(ws.logLines(), logged + 1) << fixture;
        EXPECT_TRUE(ws.s.dialogs->shown.empty()) << "an unattended report never waits on a box";

        ws.s.click("Form114.cmdParse");
        ws.s.click("Form114.Command3");
        EXPECT_EQ(ws.takeSpoken(), "") << fixture;
    }
}

TEST(ConditionsReport, MissingFileAtTheButtonAlsoTellsTheOperator) {
    WeatherStation ws;
    ws.s.click("Form114.cmdParse");
    ASSERT_EQ(ws.s.dialogs->shown.size(), 1u);
    EXPECT_EQ(ws.s.dialogs->shown[0].text, "Weather File Not Found. Please check and try again");
    EXPECT_EQ(ws.takeSpoken(), "");
    EXPECT_TRUE(ws.s.transcript().contains("LOG \"" + ws.wxex("csv/data.csv") + " <-- Weather conditions file not found"));
}

TEST(ConditionsReport, EmptyDelimiterBoxIsSetBackToAComma) {
    WeatherStation ws;
    ws.twentyFourHourClock();
    ws.conditions("data.csv");
    ws.w().editDelimit.setText("");
    ws.w().TXWeather();
    EXPECT_EQ(ws.w().editDelimit.text(), ",");
    EXPECT_EQ(ws.w().Text1.text(), kFahrenheitReport);
    EXPECT_EQ(ws.w().lstParse.item(1), "KLNK Lincoln, NE");
}
