// The weather beacons (conditions / temperature, forecast, warning) and the live-warning watcher:
// four one-second clocks that count down while their run boxes are ticked and speak at zero.
#include "app/app.h"
#include "core/step.h"
#include "core/text.h"
#include "echolink/echolink_app.h"
#include "news/news_player_window.h"
#include "player/held_beacon.h"
#include "player/player_window.h"
#include "speech/courtesy_window.h"
#include "weather/forecast_parser_window.h"
#include "weather/warning_parser_window.h"
#include "weather/warning_summary_window.h"
#include "weather/weather_window.h"

namespace {
// Runs one step of an unattended tick; a failure goes to the error log and the step reports it.
template <class F>
bool loggedStep(Form& form, const char* where, F&& f) {
    return stepOr(std::forward<F>(f), [&](const std::string& why) { form.LogError(std::string(where) + ": " + why + " "); });
}
}  // namespace

// Counts the label down while the beacon runs and, at zero, reloads it with the period. True when
// the beacon's turn has come; a turn that is then skipped waits a full period.
bool Form114::countDown(Label& seconds, const TextBox& period, bool running) {
    if (running) seconds.setCaption(numberText(val(seconds.caption()) - 1));
    if (val(seconds.caption()) > 0) return false;
    const auto minutes = toNumber(period.text());
    seconds.setCaption(numberText((minutes ? *minutes : 0.0) * 60));
    return true;
}

bool Form114::stationConnectedAndQuiet() {
    return Check3.value() == 1 && val(app().form22().HowManyConnected.caption()) != 0;
}

void Form114::periodChanged(TextBox& period, Label& seconds, Timer& beacon, bool dotMeansOff) {
    period.numberOnly = true;
    const std::string text = period.text();
    const auto minutes = toNumber(text);
    if (!text.empty() && !minutes)
        LogError(period.name() + " <-- the period \"" + text + "\" is not a number; the beacon is off ");
    const bool off = !minutes || *minutes <= 0 || (dotMeansOff && text[0] == '.');
    if (off) {
        if (text != "0") period.setText("0");
        beacon.disable();
        seconds.setCaption("0");
        return;
    }
    beacon.enable();
    seconds.setCaption(numberText(*minutes * 60));
}

void Form114::Beacon1_Timer() {
    const bool due = countDown(BeaconSeconds1, BeaconPeriod1, StopClock1.value() == 1 || Check6.value() == 1);
    if (!takeBeaconTurn(conditionsTurn_, due, *this) || stationConnectedAndQuiet()) return;
    bool built = false;
    step([&] {
        TXWeather();   // a failed report is logged and cleared; nothing earlier is spoken instead
        built = true;
    });
    if (!built) return;
    step([&] { speakNow(StopClock1.value() == 1 ? Text1.text() : Text6.text()); });
}

void Form114::Beacon2_Timer() {
    const bool due = countDown(BeaconSeconds2, BeaconPeriod2, StopClock2.value() != 0);
    if (!takeBeaconTurn(forecastTurn_, due, *this) || stationConnectedAndQuiet()) return;
    Text3.setText("");
    if (!loggedStep(*this, "Weather forecast beacon", [&] {
            app().form115().GetForcastFile();
            app().form115().SortForcast();
        }))
        return;
    step([&] { speakNow(Text3.text()); });
}

void Form114::Beacon3_Timer() {
    const bool due = countDown(BeaconSeconds3, BeaconPeriod3, StopClock3.value() != 0);
    if (!takeBeaconTurn(warningTurn_, due, *this)) return;
    loggedStep(*this, "Weather warning beacon", [&] { warningBeaconTurn(); });
}

void Form114::warningBeaconTurn() {
    Form121& shortWarning = app().form121();
    Text5.setText("");
    shortWarning.GetForcastFile();
    shortWarning.SortForcast();
    Convtxt();
    const std::string warning = Text5.text();
    auto summary = [&] {
        Text5.setText("");
        app().form113().GetForcastFile();
        app().form113().SortForcast();
        Convtxt();
    };
    if (Check1.value() == 1) {
        if (shortWarning.noWarningInForce()) return;   // stay silent
        if (Option3.value()) {
            speakNow(Text9.text());
        } else if (Option2.value()) {
            summary();
            if (instr(Text5.text(), "Sorry no summery") > 1) return;
            speakNow(Text5.text());
        } else {
            speakNow(warning);
        }
        return;
    }
    if (Option3.value()) {
        speakNow(Text9.text());
    } else if (Option2.value()) {
        summary();
        speakNow(Text5.text());
    } else {
        speakNow(warning);
    }
}

void Form114::Beacon4_Timer() {
    if (!countDown(BeaconSeconds4, BeaconPeriod4, StopClock4.value() != 0)) return speakUnspokenWarning();
    Text5.setText("");
    if (!loggedStep(*this, "Live weather warning watcher", [&] {
            app().form121().GetForcastFile();
            app().form121().SortForcast();
        }))
        return;
    // Busy: the change stays unrecorded, so the next check finds it again.
    if (firstBranchOnFailure([&] { return EchoLink().LinkBusy(); })) return;
    if (Text5.text() == Text4.text()) return speakUnspokenWarning();
    Text4.setText(Text5.text());
    if (Check2.value() == 1) {
        StopClock3.setValue(1);
        BeaconSeconds3.setCaption("60");
    }
    unspokenWarning_.clear();   // a newer warning replaces one still waiting
    if (stationConnectedAndQuiet()) return;   // recorded and not spoken, by choice
    step([&] {
        Convtxt();
        unspokenWarning_ = Text5.text();
    });
    speakUnspokenWarning();
}

// A warning whose speech was dropped (the station on the air, announcements off) stays new: it is
// tried again every second until it goes on the air. Speaking it while the station's own
// transmission is on the air, in one of its breaks too, would replace that transmission.
void Form114::speakUnspokenWarning() {
    if (unspokenWarning_.empty()) return;
    if (firstBranchOnFailure([&] { return EchoLink().LinkBusy(); }) || app().form1().transmissionOnAir()) return;
    if (stationConnectedAndQuiet()) return;
    if (speakNow(unspokenWarning_)) unspokenWarning_.clear();
}
