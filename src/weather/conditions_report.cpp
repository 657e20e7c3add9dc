// The current-conditions report: the newest record of the weather program's CSV file turned into
// the conditions sentence (Text1) and the temperature sentence (Text6).
#include <cstdio>

#include "app/app.h"
#include "core/datetime.h"
#include "core/step.h"
#include "core/text.h"
#include "speech/idents_window.h"
#include "weather/read_csv.h"
#include "weather/weather_requests.h"
#include "weather/weather_window.h"

namespace {
// Field positions of the record.
constexpr int kHour = 4, kMinute = 5, kWindSpeed = 7, kWindDir = 9, kHumidity = 11, kTemperature = 13,
              kPressure = 14, kCondition = 18, kDewPoint = 31;
constexpr int kFieldsNeeded = kDewPoint + 1;

const char* const kConditionWords[] = {
    " chance of storms. ", " chance of flurries. ", " chance of rain. ", " chance of sleat. ", " clear. ",
    " cloudy. ",           " foggy. ",              " flurries. ",       " hazy. ",            " mostly cloudy. ",
    " mostly sunny. ",     " partley cloudy. ",     " partly sunny. ",   " rain. ",            " sleat. ",
    " snow. ",             " sunny. ",              " thunder storms. "};

double numberOf(const std::string& text, const char* what) {
    const auto v = toNumber(text);
    if (!v) throw WeatherReportError(std::string(what) + " \"" + text + "\" is not a number");
    return *v;
}

std::string twoDigits(int n) {
    char buf[8];
    std::snprintf(buf, sizeof buf, "%02d", n);
    return buf;
}
}  // namespace

void Form114::Timer1_Timer() {
    const LocalMs t = now();
    const int hour12 = (hourOf(t) + 11) % 12 + 1;
    ClockHour = std::to_string(hour12);
    ClockMin = twoDigits(minuteOf(t));
}

void Form114::GetWeather() {
    editParse.setText("");
    conditionsFileRead_ = false;
    const std::string path = app().mapPath(WhereIsFile.text());
    const weather::WeatherText record = weather::lastLineOf(path);
    recordProblem_ = record.problem;
    if (!record.read) {
        weather::tellFileProblem(*this, App::kProductName, "Weather File Not Found. Please check and try again",
                                 record.named(path) + " <-- Weather conditions file not found; no conditions are spoken ");
        return;
    }
    conditionsFileRead_ = true;
    editParse.setText(record.text);
}

void Form114::CurrentConditions() {
    ConditionsNow = " unknown. ";
    const double code = numberOf(CondNum, "The condition code");
    for (int k = 1; k <= 18; ++k)
        if (code == k) ConditionsNow = kConditionWords[k - 1];
}

void Form114::GetBearing() {
    const double d = numberOf(WindDir, "The wind direction");
    struct Sector {
        double above, upTo;
        const char* words;
    };
    static const Sector sectors[] = {
        {10, 35, "north north east :"},  {35, 55, "north east :"},   {55, 80, "east north east :"},
        {80, 100, "east :"},             {100, 125, "east south east :"}, {125, 145, "south east :"},
        {145, 170, "south south east :"}, {170, 190, "south :"},     {190, 215, "south south west :"},
        {215, 235, "south west :"},      {235, 260, "west south west :"}, {260, 280, "west :"},
        {280, 305, "west north west :"}, {305, 325, "north west :"}, {325, 350, "north north west :"}};
    // Every test that holds overwrites the words, so exactly 350 ends as north north west.
    if (d <= 10 || d >= 350) BearingText = "north :";
    for (const Sector& s : sectors)
        if (d > s.above && d <= s.upTo) BearingText = s.words;
}

void Form114::clearConditions() {
    WXHour.clear(), WXMinute.clear(), WindSpeed.clear(), WindDir.clear(), Humidity.clear();
    Temperature.clear(), Pressure.clear(), DewPoint.clear(), CondNum.clear(), ConditionsNow.clear();
    Text1.setText("");
    Text6.setText("");
}

void Form114::TXWeather() {
    try {
        buildConditions();
    } catch (const ProgramEnded&) {
        throw;
    } catch (const std::exception& e) {
        // Nothing of an earlier report, nor the help text, may go out as the current conditions.
        clearConditions();
        if (conditionsFileRead_)
            LogError(app().mapPath(WhereIsFile.text()) + " <-- Weather conditions record could not be read: " +
                     e.what() + "; no conditions are spoken ");
        throw WeatherReportError(e.what());
    }
}

void Form114::buildConditions() {
    GetWeather();
    if (!conditionsFileRead_) throw WeatherReportError("the conditions file was not found");
    if (!recordProblem_.empty()) throw WeatherReportError(recordProblem_);
    lstParse.clear();
    if (editDelimit.text().empty()) editDelimit.setText(",");
    if (editQuote.text().empty()) editQuote.setText("\"");
    lstParse.setItems(ReadCSV::ParseCSV(editParse.text(), editDelimit.text(), editQuote.text()));
    if (lstParse.listCount() < kFieldsNeeded)
        throw WeatherReportError("the record has " + std::to_string(lstParse.listCount()) + " fields, " +
                                 std::to_string(kFieldsNeeded) + " are needed");

    WXHour = lstParse.item(kHour);
    WXMinute = lstParse.item(kMinute);
    WindSpeed = lstParse.item(kWindSpeed);
    WindDir = lstParse.item(kWindDir);
    Humidity = lstParse.item(kHumidity);
    Temperature = lstParse.item(kTemperature);
    Pressure = lstParse.item(kPressure);
    DewPoint = lstParse.item(kDewPoint);
    CondNum = lstParse.item(kCondition);

    const bool twelveHour = app().form3().Option1.value();
    if (twelveHour) {
        const double hour = numberOf(WXHour, "The hour");
        if (hour > 12) {
            AMPM = " P M";
            WXHour = numberText(hour - 12);
        } else {
            AMPM = hour == 12 ? " P M" : " A M";
        }
    } else {
        AMPM = " Hours ";
    }

    if (C.value()) TempUnit = " centegrade. ";
    if (F.value()) TempUnit = " fahrenheit. ";
    if (Cels.value()) TempUnit = " celsius. ";
    WindUnit = mph.value() ? " miles per hour. " : " kilometres per hour. ";
    if (inHg.value()) PressUnit = " inches. ";
    if (mb.value()) PressUnit = " milly bars. ";
    if (hPa.value()) PressUnit = " hectorpascals. ";

    CurrentConditions();
    GetBearing();

    Text1.setText(StartMessage.text() + " at " + WXHour + " " + WXMinute + AMPM + ". " + " The Temperature is " +
                  Temperature + " degrees " + TempUnit + "Relative Humidity is " + Humidity + " per cent. " +
                  "The dew point is " + DewPoint + " Degrees. " + "The wind direction is " + WindDir + " Degrees " +
                  BearingText + " with a speed of " + WindSpeed + WindUnit + " The barometric pressure is " +
                  Pressure + PressUnit + " The Current conditions are " + ConditionsNow + EndMessage.text());
    Convtxt();

    const std::string temperature = Temperature + " degrees " + TempUnit + EndMessage.text();
    if (Option4.value()) {
        Text6.setText("At " + WXHour + " " + WXMinute + AMPM + ". " + " The Temperature Was " + temperature);
    } else if (Option5.value()) {
        Timer1_Timer();
        const LocalMs t = now();
        if (twelveHour)
            Text6.setText("At " + ClockHour + " " + ClockMin + (hourOf(t) < 12 ? "AM" : "PM") + ". " +
                          " The Temperature is " + temperature);
        else
            Text6.setText("At " + twoDigits(hourOf(t)) + " " + twoDigits(minuteOf(t)) + ". " +
                          " The Temperature Is " + temperature);
    } else if (Option6.value()) {
        Text6.setText(" The Temperature is " + temperature);
    }
}

// The abbreviation changer, pairs 1 to 10 in order, on the warning text and then the conditions
// text. A text the changer has just written is not changed a second time.
void Form114::Convtxt() {
    auto change = [&](std::string t) {
        for (size_t k = 0; k < TextRep.size(); ++k) t = replaceAll(t, TextRep[k]->text(), TextRepB[k]->text());
        return t;
    };
    if (Text5.text() != convertedText5_) {
        convertedText5_ = change(Text5.text());
        Text5.setText(convertedText5_);
    }
    if (Text1.text() != convertedText1_) {
        convertedText1_ = change(Text1.text());
        Text1.setText(convertedText1_);
    }
}
