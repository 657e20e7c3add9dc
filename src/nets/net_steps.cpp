// The start, end countdown, watchdog and minutes rule shared by every net of both sets. Every step
// stands on its own: a failing EchoLink call is skipped and the next step runs; a test that cannot
// be read counts as holding, so what it guards runs. The end is the exception: it must reach
// EchoLink, so an end that fails is logged and tried again until it gets through.
#include "app/app.h"
#include "core/datetime.h"
#include "core/event_loop.h"
#include "core/step.h"
#include "core/text.h"
#include "echolink/echolink_app.h"
#include "linkcontrol/connect_control_window.h"
#include "linkcontrol/countdowns_and_calls.h"
#include "news/news_player_window.h"
#include "nets/net_session.h"
#include "nets/net_slot.h"
#include "player/player_window.h"
#include "speech/idents_window.h"

using linkcontrol::countDown;
using linkcontrol::readsZero;
using linkcontrol::runOut;
using linkcontrol::setSecondsFromMinutes;

namespace nets {

namespace {

NetSession& session(NetSet& set) { return set.window.app().form4().netSession; }

std::string savedText(int value) { return std::to_string(value); }

void askListenOnly(NetSet& set, NetSlot& slot) {
    if (!slot.NetListenOnly) return;
    if (firstBranchOnFailure([&] { return slot.NetListenOnly->value() == 1; })) {
        session(set).askedListenOnly(slot.id);
        step([&] { set.window.EchoLink().ListenOnly(true); });
    }
}

// A net of no minutes lasts one: the box turns "1", and the seconds left follow it.
void minutesAtLeastOne(NetSlot& slot) {
    step([&] {
        if (firstBranchOnFailure([&] { return readsZero(slot.DiscMins.text()); })) {
            slot.DiscMins.setText("1");
            if (!slot.minutesRule) setSecondsFromMinutes(slot.DiscPeriod, slot.DiscMins);
        }
    });
}

void countOneSecond(NetSlot& slot) {
    step([&] {
        if (!firstBranchOnFailure([&] { return slot.UseDisconnect.value() == 0; })) countDown(slot.DiscPeriod);
    });
}

void endNet(NetSet& set, NetSlot& slot);

}  // namespace

std::string netCall(const NetSlot& slot) { return ucase(trim(slot.NetCall.text())); }

std::string startTime(const NetSlot& slot) { return slot.Hour.text() + ":" + slot.Mins.text() + ":15"; }

bool localReceiveGate(const NetSet& set) {
    return firstBranchOnFailure([&] {
        if (set.RFBusy.value() != 1) return false;
        // The idents window's receive caption is rewritten only on seconds that begin with the
        // link free, so it goes stale exactly while a signal comes in: the gate asks EchoLink.
        return set.window.EchoLink().ReceivingSignal();
    });
}

void startDueWeeklyNets(NetSet& set, std::array<NetSlot, 4>& slots, LocalMs second) {
    const int today = weekday(second);
    const std::string clockText = timeText(second);
    std::array<std::string, 4> times;
    for (int n = 3; n >= 0; --n) times[n] = startTime(slots[n]);
    if (localReceiveGate(set)) return;
    for (int n = 3; n >= 0; --n) {
        NetSlot& slot = slots[n];
        step([&] {
            const bool dayTicked = firstBranchOnFailure([&] { return slot.days.at(today - 1)->value() == 1; });
            if (!dayTicked) return;
            if (!firstBranchOnFailure([&] { return clockText == times[n]; })) return;
            if (netCall(slot).empty()) return;
            startNet(set, slot);
        });
    }
}

void startNet(NetSet& set, NetSlot& slot) {
    Form3& idents = set.window.app().form3();
    const NetSession::StayConnected kept =
        session(set).started(slot.id, {idents.StayCon1.value(), idents.StayCon2.value()});
    set.Auto1 = savedText(kept.con1);
    set.Auto2 = savedText(kept.con2);
    step([&] { idents.StayCon1.setValue(0); });
    step([&] { idents.StayCon2.setValue(0); });
    if (firstBranchOnFailure([&] { return slot.ShowBusy.value() == 1; })) {
        session(set).askedBusy(slot.id);
        set.window.app().form4().ListBusy = "1";
        step([&] { set.window.EchoLink().Busy(true); });
    }
    step([&] {
        if (firstBranchOnFailure([&] { return slot.DisconnectAll.value() == 1; }))
            set.window.EchoLink().DisconnectAllStations();
    });
    step([&] {
        if (firstBranchOnFailure([&] { return slot.StayConnected.value() == 1; })) slot.StayActive.setValue(1);
    });
    if (!slot.listenOnlyLast) askListenOnly(set, slot);
    step([&] {
        const std::string call = netCall(slot);
        if (!call.empty()) set.window.EchoLink().Connect(call, true);
    });
    step([&] { setSecondsFromMinutes(slot.DiscPeriod, slot.DiscMins); });
    slot.EndTimer.enable();
    if (slot.listenOnlyLast) askListenOnly(set, slot);
}

void endCountdownTick(NetSet& set, NetSlot& slot) {
    // An end EchoLink did not answer holds the countdown at its end and is tried again each
    // second, as the timed connection's end is.
    if (session(set).endHeld(slot.id)) {
        endNet(set, slot);
        return;
    }
    if (slot.countFirst) {
        countOneSecond(slot);
        step([&] { set.window.loop().doEvents(); });
        minutesAtLeastOne(slot);
    } else {
        minutesAtLeastOne(slot);
        countOneSecond(slot);
        step([&] { set.window.loop().doEvents(); });
    }
    // Pending events may have ended or restarted the net meanwhile.
    if (!slot.EndTimer.enabled()) return;
    if (!firstBranchOnFailure([&] { return runOut(slot.DiscPeriod); })) return;
    step([&] { setSecondsFromMinutes(slot.DiscPeriod, slot.DiscMins); });
    endNet(set, slot);
}

namespace {

// What the end asks of EchoLink: busy and listen-only lifted where this net asked for them and no
// other running net still wants them, and the net's station dropped. A failing call ends it there.
void endOnEchoLink(NetSet& set, NetSlot& slot, const NetSession::Ending& ending) {
    const bool wantsListenOnly =
        slot.NetListenOnly && firstBranchOnFailure([&] { return slot.NetListenOnly->value() == 1; }) &&
        !ending.listenOnlyStillWanted;
    if (firstBranchOnFailure([&] { return slot.ShowBusy.value() == 1; }) && !ending.busyStillWanted) {
        set.window.app().form4().ListBusy = "0";
        set.window.EchoLink().Busy(false);
    }
    if (wantsListenOnly && !slot.listenOnlyLast) set.window.EchoLink().ListenOnly(false);
    const std::string call = netCall(slot);
    if (!call.empty() && set.window.EchoLink().IsConnected(call)) set.window.EchoLink().Disconnect(call);
    if (wantsListenOnly && slot.listenOnlyLast) set.window.EchoLink().ListenOnly(false);
}

// The net ends once EchoLink has taken the end; until then it runs on, its boxes kept clear, and
// the end is tried again at the next tick.
void endNet(NetSet& set, NetSlot& slot) {
    const std::string what =
        "Net " + slot.id + " (" + netCall(slot) + ") end: tried again each second until EchoLink answers";
    if (!set.window.tickEndsOnFailure(what, [&] { endOnEchoLink(set, slot, session(set).ending(slot.id)); })) {
        session(set).holdEnd(slot.id);
        return;
    }
    const NetSession::Ending ending = session(set).ended(slot.id);
    step([&] {
        Form3& idents = set.window.app().form3();
        if (ending.wasRunning) {
            if (!ending.last) return;   // the boxes stay clear while another net runs
            idents.StayCon1.setValue(ending.restore.con1);
            idents.StayCon2.setValue(ending.restore.con2);
        } else if (!set.Auto1.empty() || !set.Auto2.empty()) {
            idents.StayCon1.setValue(toInt(set.Auto1));
            idents.StayCon2.setValue(toInt(set.Auto2));
        }
    });
    slot.EndTimer.disable();
    slot.StayActive.setValue(0);
}

// The news player is set to clear the link for its bulletins and the player is playing a file.
bool bulletinHolds(App& app) {
    return firstBranchOnFailure([&] {
        if (!app.exists("Form24") || !app.exists("Form1")) return false;
        return app.form24().DisconnectAll.value() == 1 && app.form1().Label2.caption() != app.form1().Label3.caption();
    });
}

}  // namespace

void watchdogTick(NetSet& set, std::array<NetSlot, 4>& slots) {
    if (localReceiveGate(set)) return;
    for (NetSlot& slot : slots) {
        step([&] {
            if (!firstBranchOnFailure([&] { return slot.StayActive.value() == 1; })) return;
            const std::string call = netCall(slot);
            if (call.empty()) return;
            bool connected = true;   // unknown counts as connected: no reconnect this minute
            step([&] { connected = set.window.EchoLink().IsConnected(call); });
            if (connected || bulletinHolds(set.window.app())) return;
            set.window.EchoLink().Connect(call, true);
        });
    }
}

void minutesRule(NetSlot& slot) {
    // An emptied box reads "0"; a running net keeps counting and so still ends (in a minute, as a
    // net of no minutes does) instead of running on unattended.
    step([&] {
        if (slot.DiscMins.text().empty()) slot.DiscMins.setText("0");
    });
    step([&] { setSecondsFromMinutes(slot.DiscPeriod, slot.DiscMins); });
}

}  // namespace nets
