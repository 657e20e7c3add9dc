#pragma once
// One scheduled net as the controls of its window hold it, and the steps every net of either set
// goes through: its start, its end countdown, the watchdog that keeps it connected and the rule
// of its minutes box. The slot has no copy of its own: every step reads the boxes as they stand,
// so an edit applies at the next tick.
#include <array>
#include <string>

#include "core/controls.h"
#include "core/timer.h"

class Form;

namespace nets {

struct NetSlot {
    std::string id;                      // "Form4.1" .. "Form117.5": the net's name among the running nets
    std::array<CheckBox*, 7> days{};     // Sunday .. Saturday; none for the dated slot
    TextBox* NetDate;                    // the dated slot's day, "dd/mm/yyyy"; none for weekly slots
    TextBox& Hour;
    TextBox& Mins;
    TextBox& NetCall;
    CheckBox& DisconnectAll;
    CheckBox& ShowBusy;
    CheckBox& StayConnected;
    CheckBox& StayActive;                // the running flag the watchdog looks at
    CheckBox* NetListenOnly;             // none in set 2's weekly slots
    bool listenOnlyLast;                 // the dated slot asks for listen-only after its connect
    CheckBox& UseDisconnect;
    TextBox& DiscMins;
    Label& DiscPeriod;
    Timer& EndTimer;
    bool countFirst;                     // slots 2 and 3 count before they look at a "0" minutes box
    bool minutesRule;                    // the minutes box reloads the seconds left on every change
};

// The window a set lives in, with the pair of stay-connected values its nets keep.
struct NetSet {
    Form& window;                        // its EchoLink object makes the calls
    std::string& Auto1;
    std::string& Auto2;
    CheckBox& RFBusy;
};

// The four weekly slots; set 1 and set 2 name their controls alike.
template <class W>
std::array<NetSlot, 4> weeklySlots(W& w, const std::string& window, CheckBox* l1, CheckBox* l2, CheckBox* l3,
                                   CheckBox* l4) {
    return {{
        {window + ".1", {&w.Sun, &w.Mon, &w.Tue, &w.Wed, &w.Thur, &w.Fri, &w.Sat}, nullptr, w.Hour, w.Mins,
         w.NetCall1, w.DisconnectAll1, w.ShowBusy1, w.Check14, w.Check15, l1, false, w.Check3, w.DiscMins1,
         w.DiscPeriod1, w.Timer3, false, true},
        {window + ".2", {&w.Sun2, &w.Mon2, &w.Tue2, &w.Wed2, &w.Thur2, &w.Fri2, &w.Sat2}, nullptr, w.Hour2,
         w.Mins2, w.NetCall2, w.DisconnectAll2, w.ShowBusy2, w.Check16, w.Check17, l2, false, w.Check2,
         w.DiscMins2, w.DiscPeriod2, w.Timer4, true, true},
        {window + ".3", {&w.Sun3, &w.Mon3, &w.Tue3, &w.Wed3, &w.Thur3, &w.Fri3, &w.Sat3}, nullptr, w.Hour3,
         w.Mins3, w.NetCall3, w.DisconnectAll3, w.ShowBusy3, w.Check18, w.Check19, l3, false, w.Check11,
         w.DiscMins3, w.DiscPeriod3, w.Timer5, true, true},
        {window + ".4", {&w.Sun4, &w.Mon4, &w.Tue4, &w.Wed4, &w.Thur4, &w.Fri4, &w.Sat4}, nullptr, w.Hour4,
         w.Mins4, w.NetCall4, w.DisconnectAll4, w.ShowBusy4, w.Check21, w.Check22, l4, false, w.Check20,
         w.DiscMins4, w.DiscPeriod4, w.Timer6, false, true},
    }};
}

// The net's station as EchoLink gets it: trimmed, in capitals; empty means no net.
std::string netCall(const NetSlot& slot);
// "hh:mm:15" of the slot's hour and minute boxes, as they read.
std::string startTime(const NetSlot& slot);
// The local receiver is busy and the set asks for quiet then: no net starts, nothing reconnects.
bool localReceiveGate(const NetSet& set);

// The weekly slots due this second (slots 4, 3, 2, 1 in turn) are started.
// The weekly slots due in `second` (its clock text and weekday), slot 4 first.
void startDueWeeklyNets(NetSet& set, std::array<NetSlot, 4>& slots, LocalMs second);
// Starts one due net.
void startNet(NetSet& set, NetSlot& slot);
// One tick of the slot's end countdown; ends the net when its seconds have run out.
void endCountdownTick(NetSet& set, NetSlot& slot);
// One minute of the set's watchdog over its weekly slots.
void watchdogTick(NetSet& set, std::array<NetSlot, 4>& slots);
// The minutes box changed: an emptied box reads "0"; the seconds left follow the minutes.
void minutesRule(NetSlot& slot);

}  // namespace nets
