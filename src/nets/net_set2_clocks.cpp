// Set 2's clocks: the weekly clock starts slots 1 to 4 fifteen seconds after their minute on their
// weekdays; the dated clock starts slot 5 on its date. The end timers and the watchdog are those
// of every net.
#include "core/datetime.h"
#include "core/event_loop.h"
#include "core/step.h"
#include "nets/net_set2_window.h"

void Form117::Timer2_Timer(LocalMs second) {
    if (visible()) closePending_ = false;   // opened again since it was closed
    step([&] { loop().doEvents(); });
    ShowTime.setCaption(timeText(second));
    // Shows the operator how to write the dated net's day.
    FrameDate.setCaption(kDateFramePrefix + shortDate(second));
    if (closePending_) return;               // a closed window starts no more nets
    nets::NetSet set = netSet();
    std::array<nets::NetSlot, 4> slots = weeklySlots();
    nets::startDueWeeklyNets(set, slots, second);
}

void Form117::Timer1_Timer(LocalMs second) {
    if (closePending_) return;
    nets::NetSet set = netSet();
    nets::NetSlot slot = datedSlot();
    const std::string due = nets::startTime(slot);
    if (nets::localReceiveGate(set)) return;
    if (!firstBranchOnFailure([&] { return slot.NetDate->text() == shortDate(second); })) return;
    if (!firstBranchOnFailure([&] { return timeText(second) == due; })) return;
    if (nets::netCall(slot).empty()) return;
    nets::startNet(set, slot);
}

void Form117::endTick(int n) {
    nets::NetSet set = netSet();
    std::array<nets::NetSlot, 4> slots = weeklySlots();
    nets::endCountdownTick(set, slots[n]);
    unloadIfClosedAndIdle();
}

void Form117::Timer7_Timer() {
    nets::NetSet set = netSet();
    nets::NetSlot slot = datedSlot();
    nets::endCountdownTick(set, slot);
    unloadIfClosedAndIdle();
}

void Form117::Timer15_Timer() {
    nets::NetSet set = netSet();
    std::array<nets::NetSlot, 4> slots = weeklySlots();
    nets::watchdogTick(set, slots);
}
