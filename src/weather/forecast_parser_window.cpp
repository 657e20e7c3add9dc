#include "weather/forecast_parser_window.h"

#include <cmath>
#include <limits>

#include "app/app.h"
#include "core/step.h"
#include "core/text.h"
#include "weather/weather_requests.h"
#include "weather/weather_window.h"

namespace {
const char* const kIcons[] = {"chancerain", "chanceflurries", "chancesleet", "chancesnow", "chancetstorms",
                              "clear",      "cloudy",         "flurries",    "fog",        "hazy",
                              "mostlycloudy", "mostlysunny",  "partlycloudy", "partlysunny", "rain",
                              "sleet",      "snow",           "sunny",       "tstorms",    "unknown"};

std::int16_t toShort(const std::string& text) {
    const long v = toLong(text);
    if (v < std::numeric_limits<std::int16_t>::min() || v > std::numeric_limits<std::int16_t>::max())
        throw ConversionError("temperature out of range: " + text);
    return static_cast<std::int16_t>(v);
}

std::int16_t toCentigrade(std::int16_t f) {
    const double c = std::nearbyint((static_cast<double>(f) - 32.0) / 1.8);
    return static_cast<std::int16_t>(c);
}
}  // namespace

Form115::Form115(FormHost& host) : ParserWindow(host, "Form115", "C:\\wxex\\data\\metar.txt") {}

std::string Form115::sourcePath() { return app().mapPath(weather().WhereIsFile2.text()); }

std::string Form115::cutAfterTag(const std::string& joined) {
    return fromCharacter(joined, instr(joined, "FORECAST:") + 9);
}

const ParserWindow::Replacements& Form115::replacements() const {
    static const Replacements list = [] {
        Replacements r = {{"Conds:", ": Conditions :"}, {"High:", " : High :"},  {"Low:", " : Low :"},
                          {"T-Storms", " Thunder Storms "}, {"T-storms", " Thunder Storms "}};
        for (const char* day : {"Mon", "Tue", "Wed", "Thu", "Fri", "Sat", "Sun"}) r.push_back({std::string("Day:") + day, ""});
        r.push_back({"DayFull:", ""});
        for (const char* icon : kIcons) r.push_back({std::string("Icon:") + icon, ". "});
        for (const char* icon : kIcons) r.push_back({std::string("Icon:nt_") + icon, ". "});
        r.push_back({". ", ":"});
        return r;
    }();
    return list;
}

void Form115::fileMissing(const std::string& path) {
    weather::tellFileProblem(*this, App::kProductName, "File Not Found. Please check and try again",
                             path + " <-- Weather forecast file not found; no forecast is spoken ");
}

// A day is found by its labels, not by a fixed place: "Name, High, h, Low, l, Conditions, text".
// A conditions text that held a full stop and a blank was split in two; its pieces run up to the
// next day's name and are put together again, so the later days stay in their places. Whatever
// follows the last day is not read.
void Form115::readDays() {
    auto label = [&](int n) { return trim(field(n)); };
    int at = 0;
    for (int k = 0; k < kDays; ++k) {
        if (!hasField(at + 6) || label(at + 1) != "High" || label(at + 3) != "Low" || label(at + 5) != "Conditions")
            return;
        Day& day = days_[static_cast<size_t>(k)];
        day.name = field(at);
        day.conditions = field(at + 6);
        step([&] { day.high = toShort(field(at + 2)); });
        step([&] { day.low = toShort(field(at + 4)); });
        int next = at + 7;
        while (hasField(next + 1) && label(next + 1) != "High") ++next;
        if (!hasField(next + 1)) return;   // no further day
        for (int piece = at + 7; piece < next; ++piece)
            if (!field(piece).empty()) day.conditions += ". " + field(piece);
        at = next;
    }
}

void Form115::SortForcast() {
    splitIntoList();
    // Every run starts clean: a value the file does not give this time is not taken from an
    // earlier run, and a temperature is converted only once.
    days_ = {};
    if (fileWasRead()) step([&] { readDays(); });
    Form114& w = weather();
    if (w.C.value())
        for (Day& d : days_) {
            if (d.high) d.high = toCentigrade(*d.high);
            if (d.low) d.low = toCentigrade(*d.low);
        }
    std::string days;
    for (const Day& d : days_) {
        if (!d.complete()) continue;
        days += d.name + " : " + d.conditions + " with a High of " + std::to_string(*d.high) + " and a Low of " +
                std::to_string(*d.low) + " Degrees. ";
    }
    if (days.empty()) {
        w.Text3.setText("");
        if (fileWasRead()) LogError(sourcePath() + " <-- Weather forecast holds no day that can be read; no forecast is spoken ");
        return;
    }
    w.Text3.setText(w.StartMessage2.text() + ". " + days + w.EndMessage2.text());
}
