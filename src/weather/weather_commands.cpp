// The weather commands: six reports asked for by DTMF code or by a button of the window.
#include <exception>

#include "app/app.h"
#include "beacons/beacon_set1_window.h"
#include "core/step.h"
#include "speech/idents_window.h"
#include "weather/forecast_parser_window.h"
#include "weather/full_warning_window.h"
#include "weather/warning_parser_window.h"
#include "weather/warning_summary_window.h"
#include "weather/weather_requests.h"
#include "weather/weather_window.h"

namespace {
// A DTMF request is spoken even while announcements are disabled: the idents window's
// "Disable Announcements" box is lifted for the request and put back however the request ends.
class AnnouncementsLift {
public:
    explicit AnnouncementsLift(CheckBox& box) : box_(box), lifted_(box.value() == 1) {
        if (lifted_) box_.setValue(0);
    }
    ~AnnouncementsLift() {
        if (lifted_) step([&] { box_.setValue(1); });
    }
    AnnouncementsLift(const AnnouncementsLift&) = delete;
    AnnouncementsLift& operator=(const AnnouncementsLift&) = delete;

private:
    CheckBox& box_;
    bool lifted_;
};

// `Check4` asks the full-warning parser for the whole message. A long-warning request that a
// failure ends early (EchoLink not answering its "Stand By") puts the switch back as it found it,
// so the next warning beacon is not read out whole by mistake; a request that runs to its end
// leaves the switch as the request set it.
class LongWarningSwitch {
public:
    LongWarningSwitch(CheckBox& box, bool longWarning) : box_(box), before_(box.value()), exceptions_(std::uncaught_exceptions()) {
        if (longWarning) box_.setValue(1);
    }
    ~LongWarningSwitch() {
        if (std::uncaught_exceptions() > exceptions_) step([&] { box_.setValue(before_); });
    }
    LongWarningSwitch(const LongWarningSwitch&) = delete;
    LongWarningSwitch& operator=(const LongWarningSwitch&) = delete;

private:
    CheckBox& box_;
    int before_;
    int exceptions_;
};
}  // namespace

// An empty text is nothing to say: the transmitter is not keyed for it.
bool Form114::speakNow(const std::string& text) {
    if (text.empty()) return false;
    Form111& beacons = app().form111();
    beacons.TempText = text;
    return beacons.TestTTW();
}

const TextBox& Form114::reportBox(Report report) const {
    switch (report) {
    case Report::Conditions: return Text1;
    case Report::Temperature: return Text6;
    case Report::Forecast: return Text3;
    default: return Text5;
    }
}

// Builds the report into its box. False when it could not be built; the reason is in the error log.
bool Form114::buildReport(Report report, bool fromDtmf) {
    longWarningUsedFull_ = false;
    try {
        switch (report) {
        case Report::Conditions:
        case Report::Temperature:
            TXWeather();
            break;
        case Report::Forecast:
            if (fromDtmf) Text3.setText("");
            app().form115().GetForcastFile();
            app().form115().SortForcast();
            break;
        case Report::ShortWarning:
            Text5.setText("");
            app().form121().GetForcastFile();
            app().form121().SortForcast();
            Convtxt();
            break;
        case Report::LongWarning:
            Text5.setText("");
            app().form121().GetForcastFile();
            app().form121().SortForcast();
            if (Text5.text() != noWarningsText(*this)) {
                app().form122().GetForcastFile();
                app().form122().SortForcast();
                longWarningUsedFull_ = true;
            }
            Convtxt();
            break;
        case Report::Summary:
            Text5.setText("");
            app().form113().GetForcastFile();
            app().form113().SortForcast();
            Convtxt();
            break;
        }
        return true;
    } catch (const ProgramEnded&) {
        throw;
    } catch (const WeatherReportError&) {
        return false;   // TXWeather has logged it
    } catch (const std::exception& e) {
        LogError(std::string("Weather report could not be built: ") + e.what() + " ");
        return false;
    }
}

void Form114::serveDtmf(Report report) {
    AnnouncementsLift lift(app().form3().Check1);
    LongWarningSwitch longWarning(Check4, report == Report::LongWarning);
    Form3& idents = app().form3();
    idents.SayTheText = "Stand By";
    idents.SpeakTheText();
    if (!buildReport(report, true)) return;
    speakNow(reportBox(report).text());
    if (longWarningUsedFull_) Check4.setValue(0);
}

void Form114::reportButton(Report report) {
    weather::OperatorRequest asking;
    LongWarningSwitch longWarning(Check4, report == Report::LongWarning);
    if (!buildReport(report, false)) return;
    speakNow(reportBox(report).text());
    if (longWarningUsedFull_) Check4.setValue(0);
}

void Form114::EchoLink_DTMFString(const std::string& sDigits) {
    if (sDigits.empty()) return;
    const std::pair<TextBox*, Report> codes[] = {
        {&DTMFCon, Report::Conditions},     {&PlayTemp, Report::Temperature},     {&DTMFFor, Report::Forecast},
        {&DTMFWarn, Report::ShortWarning}, {&DTMFLongWarn, Report::LongWarning}, {&DTMFSum, Report::Summary}};
    // Every box that holds the digits is served, in this order; one that fails (EchoLink not
    // answering) is logged and the next is still served.
    for (const auto& code : codes)
        if (code.first->text() == sDigits)
            endsOnFailure("Form114 weather request " + sDigits, [&] { serveDtmf(code.second); });
}
