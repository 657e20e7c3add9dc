// Net set 1: the four weekly nets of the connect-control window. Its one-second clock starts
// them; each slot's end timer ends it; the watchdog keeps a stay-connected net's station connected.
#include "linkcontrol/connect_control_window.h"

nets::NetSet Form4::netSet() { return {*this, Auto1, Auto2, RFBusy}; }

std::array<nets::NetSlot, 4> Form4::netSlots() {
    return nets::weeklySlots(*this, name(), &Check23, &Check24, &Check25, &Check26);
}

void Form4::startDueNets(LocalMs second) {
    nets::NetSet set = netSet();
    std::array<nets::NetSlot, 4> slots = netSlots();
    nets::startDueWeeklyNets(set, slots, second);
}

void Form4::wireNets() {
    SecondTimer* endTimers[] = {&Timer3, &Timer4, &Timer5, &Timer6};
    for (int n = 0; n < 4; ++n) {
        endTimers[n]->setSecondHandler([this, n](LocalMs) {
            nets::NetSet set = netSet();
            std::array<nets::NetSlot, 4> slots = netSlots();
            nets::endCountdownTick(set, slots[n]);
        });
    }
    Timer15.setHandler([this] {
        nets::NetSet set = netSet();
        std::array<nets::NetSlot, 4> slots = netSlots();
        nets::watchdogTick(set, slots);
    });
    // The nets' own minutes rule: an emptied box no longer stops a running net's countdown.
    TextBox* minutes[] = {&DiscMins1, &DiscMins2, &DiscMins3, &DiscMins4};
    for (int n = 0; n < 4; ++n) {
        minutes[n]->onChange([this, n] {
            std::array<nets::NetSlot, 4> slots = netSlots();
            nets::minutesRule(slots[n]);
        });
    }
}
