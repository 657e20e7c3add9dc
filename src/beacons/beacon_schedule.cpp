// The timed beacon, the information beacons at twenty seconds past the hour, quarters and half
// hour, and the housekeeping of the serial counter.
#include "app/app.h"
#include "beacons/beacon_set_window.h"
#include "core/datetime.h"
#include "core/text.h"
#include "player/held_beacon.h"

void BeaconSetWindow::sendScheduledBeacon() {
    if (Check1.value() == 1) {
        RandomGreeting();
    } else {
        TempText2 = Text21.text();
        PlayBeacon();
    }
}

void BeaconSetWindow::Beacon1_Timer() {
    step([&] {
        if (StopClock1.value() != 0) BeaconSeconds1.setCaption(numberText(toDouble(BeaconSeconds1.caption()) - 1));
    });
    // The countdown acts at or below zero, compared by value.
    bool due = false;
    step([&] { due = toDouble(BeaconSeconds1.caption()) <= 0; });
    if (due) step([&] { BeaconSeconds1.setCaption(numberText(toDouble(BeaconPeriod1.text()) * 60)); });
    // A beacon due while its set is inactive or a station talks is dropped, not deferred; one due
    // during this station's own transmission goes out when that ends, unless its set has gone
    // inactive meanwhile: then it is dropped as one due then would be.
    step([&] {
        bool wanted = false;
        if (due || timedTurn_.waiting()) step([&] { wanted = timedBeaconWanted(); });
        if (!wanted) timedTurn_.drop();
        if (takeBeaconTurn(timedTurn_, due && wanted, *this)) sendScheduledBeacon();
    });
}

void BeaconSetWindow::Timer1_Timer(LocalMs second) {
    Label5.setCaption(Text22.text());
    Label6.setCaption(Text23.text());
    // Past slot 20 the counter starts again at From.
    const auto next = toNumber(NextNo.caption());
    if (next && *next >= 21) NextNo.setCaption(Text22.text());

    if (!infoBeaconsActive()) {
        infoTurn_.drop();
        return;
    }
    // Every second comes once, a late one with its own time. A second in which a station talks
    // is not made up, but one that came during this station's own transmission goes out when
    // that ends.
    const std::string clockText = timeText(second);
    const auto at = [&](const char* minuteSecond) { return right(clockText, 5) == minuteSecond; };
    const bool due = (at("00:20") && InfoHourly.value() == 1) ||
                     ((at("45:20") || at("15:20")) && InfoQuarter.value() == 1) ||
                     (at("30:20") && InfoHalf.value() == 1);
    // As the timed beacon's tick: a send that fails part-way (set 2's DTMF string that EchoLink
    // did not take after the beacon went out) ends the send, not the station's tick.
    step([&] {
        if (takeBeaconTurn(infoTurn_, due, *this)) sendScheduledBeacon();
    });
}

void BeaconSetWindow::Timer2_Timer() {
    StartNo.setCaption(Label5.caption());
    NextNo.setCaption(Label5.caption());
    Timer2.disable();
}

void BeaconSetWindow::BeaconPeriod1_Change() {
    step([&] { BeaconPeriod1.numberOnly = true; });
    step([&] {
        // An empty period, zero or below stops the timed beacon.
        if (firstBranchOnFailure([&] { return BeaconPeriod1.text().empty() || toDouble(BeaconPeriod1.text()) <= 0; })) {
            BeaconPeriod1.setText("0");
            Beacon1.disable();
        } else {
            Beacon1.enable();
        }
    });
    step([&] { BeaconSeconds1.setCaption(numberText(toDouble(BeaconPeriod1.text()) * 60)); });
}

void BeaconSetWindow::serialRange_Change(TextBox& box) {
    step([&] { box.numberOnly = true; });
    step([&] {
        StartNo.setCaption(Label5.caption());
        NextNo.setCaption(Label5.caption());
    });
    step([&] {
        if (box.text().empty()) box.setText("1");
    });
}
