// The idents window's one-second clock (receive indicator, queue service, announcements) and
// the information beacons at fixed seconds of the hour and every so many minutes.
#include "app/app.h"
#include "beacons/beacon_set1_window.h"
#include "beacons/beacon_set2_window.h"
#include "core/datetime.h"
#include "core/event_loop.h"
#include "core/step.h"
#include "core/text.h"
#include "echolink/echolink_app.h"
#include "speech/countdowns.h"
#include "speech/idents_window.h"

using namespace countdowns;

// Every second once, a late one with its own clock text, so an announcement due in a second that
// speech covered still comes.
void Form3::Timer1_Timer(LocalMs tick) {
    const std::string clockText = timeText(tick);
    step([&] { ShowTime.setCaption(clockText); });
    // While the link is active the idents stay armed; the idle watch starts again from full.
    if (firstBranchOnFailure([&] { return linkActive() || PTT2.caption() == kReceiving; })) {
        step([&] { IDSeconds.setCaption(minutesInSeconds(VoicePeriod)); });
        step([&] { IDTimer.enable(); });
        step([&] { Beacon7.enable(); });
        step([&] { Beacon6.enable(); });
    }
    if (firstBranchOnFailure([&] { return linkActiveOrKeyed(); })) return;
    step([&] { loop().doEvents(); });
    TimeParts parts;
    step([&] { parts = takeTimeParts(); });
    step([&] {
        if (flag2 == 1) SpeakTheText();
    });
    if (firstBranchOnFailure([&] { return EchoLink().ReceivingSignal(); })) {
        step([&] { PTT2.setCaption(kReceiving); });
        step([&] { Beacon7.disable(); });
    } else {
        step([&] { PTT2.setCaption(kNotReceiving); });
        step([&] { Beacon7.setEnabled(Beacon6.enabled()); });
    }
    if (firstBranchOnFailure([&] { return linkActiveOrKeyed(); })) {
        step([&] { IDTimer.enable(); });
        step([&] { Beacon6.enable(); });
        step([&] { Beacon7.enable(); });
    }

    // From here a failure ends the tick. EchoLink may stop answering while the events above ran,
    // after the checks that would have ended the tick early found it well: that is no fault here.
    tickEndsOnFailure("Form3 announcements", [&] { announceAndGreet(parts, clockText); });
}

// The spoken time, the information second for the next tick and the information beacons.
void Form3::announceAndGreet(const TimeParts& parts, const std::string& clockText) {
    announceTime(parts, clockText);

    Label20.setCaption(PlusSeconds.text());
    if (PlusSeconds.text().empty()) {
        PlusSeconds.setText("1");
        Label20.setCaption("1");
    }
    // Corrected for the next tick; this tick compares the text as it was.
    const double second = val(Label20.caption());
    if (second > 59) PlusSeconds.setText("59");
    if (second < 1) PlusSeconds.setText("1");

    if (linkActiveOrKeyed()) return;
    const bool set1 = Option3.value();
    const auto randomGreeting = [&] {
        if (set1)
            app().form111().RandomGreeting();
        else
            app().form110().RandomGreeting();
    };
    const std::string s = Label20.caption();
    const std::string minuteSecond = right(clockText, 5);
    if (minuteSecond == "00:" + s && InfoHourly.value() == 1) randomGreeting();
    if ((minuteSecond == "15:" + s || minuteSecond == "45:" + s) && InfoQuarter.value() == 1) randomGreeting();
    if (minuteSecond == "30:" + s && InfoHalf.value() == 1) randomGreeting();
}

void Form3::Beacon1_Timer() {
    step([&] { loop().doEvents(); });
    step([&] {
        if (StopClock1.value() != 0) countDown(BeaconSeconds1);
    });
    if (!due(BeaconSeconds1)) return;
    step([&] { BeaconSeconds1.setCaption(minutesInSeconds(BeaconPeriod1)); });
    step([&] { app().form111().RandomGreeting(); });
}

void Form3::BeaconPeriod1_Change() {
    step([&] { BeaconPeriod1.numberOnly = true; });
    if (firstBranchOnFailure([&] { return emptyOrZero(BeaconPeriod1.text()); })) {
        step([&] { BeaconPeriod1.setText("0"); });
        step([&] { Beacon1.disable(); });
    } else {
        step([&] { Beacon1.enable(); });
    }
    step([&] { BeaconSeconds1.setCaption(minutesInSeconds(BeaconPeriod1)); });
}

void Form3::SpeakInfo_Click() {
    if (Option3.value())
        app().form111().Show();
    else
        app().form110().Show();
}
