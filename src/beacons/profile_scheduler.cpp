// Applying a profile entry: on its weekly schedule, by its DTMF code, or at once by its button.
#include "app/app.h"
#include "beacons/profile_window.h"
#include "core/datetime.h"
#include "core/step.h"
#include "core/text.h"
#include "echolink/echolink_app.h"
#include "speech/idents_window.h"

void Form123::ApplyProfile(int k) {
    const Entry& e = entry(k);
    if (!e.profile->text().empty()) EchoLink().Profile(e.profile->text());
    if (e.set1->value())
        app().form3().Option3.setValue(true);
    else
        app().form3().Option4.setValue(true);
}

// The schedule's way: a profile EchoLink refuses still leaves the entry's beacon set selected.
void Form123::applyProfileSkippingFailures(int k) {
    const Entry& e = entry(k);
    step([&] {
        if (!e.profile->text().empty()) EchoLink().Profile(e.profile->text());
    });
    step([&] {
        if (e.set1->value())
            app().form3().Option3.setValue(true);
        else
            app().form3().Option4.setValue(true);
    });
}

void Form123::applyFromOperator(int k) {
    try {
        ApplyProfile(k);
    } catch (const EchoLinkError&) {
        LogError(entry(k).profile->text() + " <-- Profile could not be changed ");
    }
}

// Each second once, a late one with its own clock text, so a spoken notice covering seconds 15
// to 17 does not lose the change.
void Form123::Timer2_Timer(LocalMs tick) {
    loop().doEvents();
    const LocalMs t = tick;
    step([&] { ShowTime.setCaption(timeText(t)); });
    const int today = weekday(t);
    // Seconds 15 to 17 of the set minute match; any other second looks for ":15".
    std::string seconds = "15";
    step([&] {
        const std::string last = right(ShowTime.caption(), 2);
        const auto n = toNumber(last);
        if (n && *n > 14 && *n < 18) seconds = last;
    });
    const std::string clockText = ShowTime.caption();
    // Entry 4 first, so the lowest-numbered entry due in this second is the one left in force.
    for (int k = 4; k >= 1; --k) {
        step([&] {
            const Entry& e = entry(k);
            const std::string first = e.hour->text() + ":" + e.mins->text() + ":" + seconds;
            const std::string second = e.hourx->text() + ":" + e.minsx->text() + ":" + seconds;
            if (e.days.at(static_cast<size_t>(today - 1))->value() == 1 && (clockText == first || clockText == second))
                applyProfileSkippingFailures(k);
        });
    }
}

// Every entry whose code equals the digits is applied, 1 to 4, so the highest-numbered wins. An
// empty string matches nothing. A profile EchoLink refuses ends the handler there.
void Form123::EchoLink_DTMFString(const std::string& sDigits) {
    if (sDigits.empty()) return;
    int k = 1;
    try {
        for (; k <= 4; ++k)
            if (entry(k).code->text() == sDigits) ApplyProfile(k);
    } catch (const EchoLinkError&) {
        LogError(entry(k).profile->text() + " <-- Profile could not be changed ");
    }
}
