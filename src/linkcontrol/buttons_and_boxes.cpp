// The operator's side of the connect-control window: buttons and the boxes' change handling.
#include "app/app.h"
#include "beacons/profile_window.h"
#include "echolink/echolink_app.h"
#include "linkcontrol/connect_control_window.h"
#include "linkcontrol/countdowns_and_calls.h"
#include "nets/net_set2_window.h"

using namespace linkcontrol;

void Form4::wireChangeHandlers() {
    BeaconPeriod.onChange([this] { BeaconPeriod_Change(); });
    BeaconPeriod17.onChange([this] { BeaconPeriod17_Change(); });
    DelayPeriod.onChange([this] { DelayPeriod_Change(); });
    DTMFDelaySeconds.onChange([this] { DTMFDelaySeconds_Change(); });
    DiscMins1.onChange([this] { DiscMinsChange(DiscMins1, Timer3, DiscPeriod1); });
    DiscMins2.onChange([this] { DiscMinsChange(DiscMins2, Timer4, DiscPeriod2); });
    DiscMins3.onChange([this] { DiscMinsChange(DiscMins3, Timer5, DiscPeriod3); });
    DiscMins4.onChange([this] { DiscMinsChange(DiscMins4, Timer6, DiscPeriod4); });
}

void Form4::wireButtons() {
    const std::array<TextBox*, 3> group1{&GroupCall1, &GroupCall2, &GroupCall3};
    const std::array<TextBox*, 3> group2{&GroupCall4, &GroupCall5, &GroupCall6};
    Command3.onClick([this, group1] { groupConnect(group1); });
    Command4.onClick([this, group1] { groupDisconnect(group1); });
    Command5.onClick([this, group2] { groupConnect(group2); });
    Command6.onClick([this, group2] { groupDisconnect(group2); });
    Command7.onClick([this] { toggleStation(Call1, true); });
    Command8.onClick([this] { toggleStation(Call2, true); });
    Command9.onClick([this] { toggleStation(Call3, true); });
    Command10.onClick([this] { toggleStation(Call4, false); });
    Command11.onClick([this] { toggleStation(Call5, false); });
    Command12.onClick([this] { toggleStation(Call6, false); });
    Command13.onClick([this] { toggleStation(Call7, false); });
    Command15.onClick([this] { toggleStation(Call8, false); });
    Command18.onClick([this] { endsOnFailure("Form4 Listen Only  OFF", [&] { EchoLink().ListenOnly(false); }); });
    Command21.onClick([this] { listBusy(true); });
    Command22.onClick([this] { listBusy(false); });
    Command23.onClick([this] { startTimedConnection(); });
    Command24.onClick([this] { stopTimedConnection(); });
    Command1.onClick([this] { app().form123().Show(); });
    Command14.onClick([this] { SaveData(); });
    Command16.onClick([this] { Hide(); });
    Command25.onClick([this] { app().form117().Show(); });
}

// ---- minutes fields

// The DTMF re-enable minutes: an emptied box reads "0" until the one-second switch makes it "1".
void Form4::BeaconPeriod_Change() {
    step([&] {
        if (BeaconPeriod.text().empty()) BeaconPeriod.setText("0");
    });
    step([&] { setSecondsFromMinutes(BeaconSeconds, BeaconPeriod); });
}

// The idle minutes: never zero, so the idle count always has a length.
void Form4::BeaconPeriod17_Change() {
    step([&] {
        if (BeaconPeriod17.text().empty() || readsZero(BeaconPeriod17.text())) BeaconPeriod17.setText("1");
    });
    step([&] { setSecondsFromMinutes(BeaconSeconds17, BeaconPeriod17); });
}

// A net's minutes: an emptied box stops that slot's end countdown; any change restarts the
// countdown label from the new minutes.
void Form4::DiscMinsChange(TextBox& minutes, Timer& endTimer, Label& seconds) {
    step([&] {
        if (minutes.text().empty()) {
            minutes.setText("0");
            endTimer.disable();
        }
    });
    step([&] { setSecondsFromMinutes(seconds, minutes); });
}

// ---- stations

// Connect the station, or disconnect it when it is connected. The toggles beside the first three
// boxes pass the callsign in capitals; the others pass it as the box holds it (their boxes take
// capitals only as typed).
void Form4::toggleStation(const TextBox& callBox, bool upperCased) {
    const std::string call = callOf(callBox);
    if (call.empty()) return;
    const std::string passed = upperCased ? ucase(call) : call;
    bool connected = false;
    if (!endsOnFailure("Form4 station toggle " + call, [&] { connected = EchoLink().IsConnected(call); })) return;
    if (connected)
        endsOnFailure("Form4 station toggle " + call, [&] { EchoLink().Disconnect(passed); });
    else
        step([&] { EchoLink().Connect(passed, true); });
}

// Calls each station of the group that is not connected; after the first call, a failure of one
// station does not keep the next ones from being called.
void Form4::groupConnect(const std::array<TextBox*, 3>& group) {
    bool calling = false;
    for (TextBox* box : group) {
        const std::string call = callOf(*box);
        if (call.empty()) continue;
        if (calling) {
            step([&] {
                if (!EchoLink().IsConnected(call)) EchoLink().Connect(ucase(call), true);
            });
            continue;
        }
        bool connected = false;
        if (!endsOnFailure("Form4 group connect " + call, [&] { connected = EchoLink().IsConnected(call); })) return;
        if (connected) continue;
        calling = true;
        step([&] { EchoLink().Connect(ucase(call), true); });
    }
}

void Form4::groupDisconnect(const std::array<TextBox*, 3>& group) {
    endsOnFailure("Form4 group disconnect", [&] {
        for (TextBox* box : group) {
            const std::string call = callOf(*box);
            if (!call.empty() && EchoLink().IsConnected(call)) EchoLink().Disconnect(ucase(call));
        }
    });
}

// ---- timed connection by hand: connects at once instead of a second later

void Form4::startTimedConnection() {
    if (callOf(Text1x).empty()) return;
    if (!endsOnFailure("Form4 timed connection start", [&] {
            if (ticked(Check10) || ucase(Text1x.text()) == kTestStation) EchoLink().DisconnectAllStations();
        }))
        return;
    step([&] { EchoLink().Connect(upperCallOf(Text1x), true); });
    timedEndPending_ = false;
    step([&] { Timer10.enable(); });
    step([&] { DelayCTRL.setValue(1); });
    step([&] { reloadTimedCountdown(); });
    step([&] {
        if (ticked(Check12)) {
            Timer11.setInterval(2000);
            Timer11.enable();
        }
    });
}

void Form4::stopTimedConnection() {
    if (callOf(Text1x).empty()) return;
    if (!endsOnFailure("Form4 timed connection stop", [&] {
            if (ticked(Check10)) EchoLink().DisconnectAllStations();
            if (EchoLink().IsConnected(callOf(Text1x))) EchoLink().Disconnect(upperCallOf(Text1x));
            cancelTimedConnection();
            ListBusy = "0";
            EchoLink().Busy(false);
        }))
        return;
    reconnectStayConnectedStations();
}

void Form4::listBusy(bool busy) {
    ListBusy = busy ? "1" : "0";
    endsOnFailure(busy ? "Form4 List as Busy" : "Form4 List as Not Busy", [&] { EchoLink().Busy(busy); });
}
