// The daily scheduled disconnect and connect, the idle disconnect and the last connected station.
#include "core/datetime.h"
#include "core/text.h"
#include "echolink/echolink_app.h"
#include "linkcontrol/connect_control_window.h"
#include "linkcontrol/countdowns_and_calls.h"

using namespace linkcontrol;

// Each second of the one-second clock, once: the two daily times ("hh:mm:15", compared as text
// with that second's clock text). A second the thread was blocked in still comes, late.
void Form4::dailySchedule(LocalMs second) {
    const std::string shown = timeText(second);
    if (shown == Hour0.text() + ":" + Mins0.text() + ":15")
        tickEndsOnFailure("Form4 daily disconnect", [&] { dailyDisconnect(); });
    if (shown == Hour00.text() + ":" + Mins00.text() + ":15") dailyConnect();
}

// Twice a second: the clock text and whether EchoLink lists the node busy.
void Form4::Timer8_Timer() {
    ShowTime2.setCaption(timeNow());
    tickEndsOnFailure("Form4 busy display", [&] {
        const char* listing = EchoLink().Busy() ? "Listed As Busy" : "Listed Not Busy";
        Label43.setCaption(listing);
        Label45.setCaption(listing);
    });
}

// A failure before the single disconnect ends the tick; the disconnect itself may fail alone.
void Form4::dailyDisconnect() {
    if (ticked(Check7)) {
        ListBusy = "1";
        EchoLink().Busy(true);
    }
    if (ticked(Check5)) EchoLink().DisconnectAllStations();
    if (!upperCallOf(Disconnect1).empty() && ticked(Check8) && EchoLink().IsConnected(upperCallOf(Disconnect1)))
        step([&] { EchoLink().Disconnect(upperCallOf(Disconnect1)); });
}

// "List as Available" acts only together with the daily connect.
void Form4::dailyConnect() {
    if (!ticked(Check6) || callOf(Connect1).empty()) return;
    step([&] { EchoLink().Connect(upperCallOf(Connect1), true); });
    if (ticked(Check9)) {
        ListBusy = "0";
        step([&] { EchoLink().Busy(false); });
    }
}

// Every 100 ms: the number of connected stations, and a local carrier restarts the idle count
// while DTMF use is enabled (a carrier that cannot be read counts as present).
void Form4::Timer13_Timer() {
    step([&] { HowManyConnected.setCaption(std::to_string(EchoLink().ConnectedCount())); });
    step([&] {
        if (firstBranchOnFailure([&] { return EchoLink().CarrierDetected(); }) && ticked(Check1))
            setSecondsFromMinutes(BeaconSeconds17, BeaconPeriod17);
    });
}

// Every second: the idle count. When it runs out everybody is dropped, unless the home station
// is the only one connected; the home station may then be called back.
void Form4::Timer14_Timer() {
    step([&] {
        if (StopClock17.value() != 0) countDown(BeaconSeconds17);
    });
    if (!runOut(BeaconSeconds17)) return;
    setSecondsFromMinutes(BeaconSeconds17, BeaconPeriod17);
    bool callBack = false;
    const bool reached = tickEndsOnFailure("Form4 idle disconnect", [&] {
        if (ticked(Check4) && EchoLink().CarrierDetected()) return;
        const std::string home = callOf(Text5);
        if (home.empty()) return;
        const bool homeAlone = EchoLink().IsConnected(home) && toNumber(HowManyConnected.caption()) == 1.0;
        if (!homeAlone) EchoLink().DisconnectAllStations();
        callBack = ticked(Check13) && !EchoLink().IsConnected(home);
    });
    if (reached && callBack) step([&] { EchoLink().Connect(callOf(Text5), true); });
}

void Form4::Echolink_connected(const std::string& sCallConnected, const std::string&, const std::string&) {
    LastConnected.setText(sCallConnected);
}
