// The idents window's stay-connected stations (checked every minute), its timed connection
// (one connect when a countdown of some minutes runs out) and their "Con/Disc" buttons.
#include "app/app.h"
#include "core/event_loop.h"
#include "linkcontrol/idents_link_support.h"
#include "echolink/echolink_app.h"
#include "news/news_player_window.h"
#include "player/player_window.h"

using namespace identslink;

namespace {
// A period is a number of minutes; "0" and "00" read as zero.
bool readsZero(const std::string& text) {
    const auto n = toNumber(text);
    return n && *n == 0;
}

// A countdown acts at or below zero.
bool runOut(const Label& countdown) {
    const auto n = toNumber(countdown.caption());
    return n && *n <= 0;
}

// The period in seconds; throws when the box holds no number.
std::string periodSeconds(const TextBox& minutes, double extra = 0) {
    return numberText(toDouble(minutes.text()) * 60 + extra);
}
}  // namespace

// A news bulletin is on the air with "Disconnect All Before Playing File" ticked: no station is
// connected back while it plays. The player's hold labels differ while a file plays.
bool Form3::bulletinFilePlaying() {
    return ticked(app().form24().DisconnectAll) && app().form1().Label2.caption() != app().form1().Label3.caption();
}

// ---- stay-connected check, every minute

void Form3::Timer2_Timer() {
    step([&] { loop().doEvents(); });
    stayConnectedCheck(StayCon1, ConnectStation1);
    stayConnectedCheck(StayCon2, ConnectStation2);
    stayConnectedCheck(StayCon3, ConnectStation3);
    stayConnectedCheck(StayCon4, ConnectStation4);
}

void Form3::stayConnectedCheck(CheckBox& stay, const TextBox& station) {
    step([&] {
        if (!ticked(stay)) return;
        const std::string call = callOf(station);
        if (firstBranchOnFailure([&] { return EchoLink().IsConnected(call); })) return;
        if (firstBranchOnFailure([&] { return bulletinFilePlaying(); })) return;
        if (call.empty()) return;
        EchoLink().Connect(call, true);
    });
}

// ---- timed connection, every second while its countdown runs

void Form3::Timer3_Timer() {
    step([&] { loop().doEvents(); });
    step([&] {
        if (readsZero(BeaconPeriodx.text())) BeaconPeriodx.setText("1");
    });
    // While a local carrier is present the countdown stands at the full period.
    step([&] {
        if (ticked(StopClockx) && firstBranchOnFailure([&] { return EchoLink().CarrierDetected(); }))
            BeaconSecondsx.setCaption(periodSeconds(BeaconPeriodx, 1));
    });
    step([&] {
        if (StopClockx.value() != 0)
            BeaconSecondsx.setCaption(numberText(toDouble(BeaconSecondsx.caption()) - 1));
    });
    if (!runOut(BeaconSecondsx)) return;
    step([&] { BeaconSecondsx.setCaption(periodSeconds(BeaconPeriodx)); });
    Timer3.disable();
    // One connect attempt per countdown; the next one waits for a re-arm.
    step([&] {
        if (!ticked(StopClockx)) return;
        const std::string call = callOf(ConnectStationx);
        if (firstBranchOnFailure([&] { return EchoLink().IsConnected(call); })) return;
        if (firstBranchOnFailure([&] { return bulletinFilePlaying(); })) return;
        if (call.empty()) return;
        EchoLink().Connect(call, true);
    });
}

void Form3::RearmTimedConnection() {
    if (!ticked(StopClockx)) return;
    step([&] { BeaconSecondsx.setCaption(periodSeconds(BeaconPeriodx)); });
    Timer3.enable();
}

// Every edit restarts the countdown from the new period, without starting a stopped countdown.
// An empty box holds "0", which the next countdown tick corrects to one minute.
void Form3::BeaconPeriodx_Change() {
    BeaconPeriodx.numberOnly = true;
    const std::string text = BeaconPeriodx.text();
    if (trim(text).empty() || readsZero(text)) {
        BeaconPeriodx.setText("0");
    } else if (!toNumber(text)) {
        LogError(std::string(kSettingsFile) + " <-- BeaconPeriodx \"" + text +
                 "\" is not a number of minutes; the timed connection keeps 5 minutes ");
        BeaconPeriodx.setText("5");
        return;
    }
    step([&] { BeaconSecondsx.setCaption(periodSeconds(BeaconPeriodx)); });
}

// ---- "Con/Disc": connects the box's station, or disconnects it when it is connected

void Form3::conDisc(const TextBox& station) {
    const std::string call = callOf(station);
    if (call.empty()) return;   // nobody to connect or disconnect
    bool answered = false, connected = false;
    orLog("the connected test of " + call, [&] {
        connected = EchoLink().IsConnected(call);
        answered = true;
    });
    if (!answered) return;   // whether to connect or disconnect is unknown: neither is done
    if (connected) {
        orLog("the disconnect of " + call, [&] { EchoLink().Disconnect(call); });
        return;
    }
    step([&] { EchoLink().Connect(call, true); });
}
