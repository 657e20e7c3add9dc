// Two services that act on a running transmission: the volume drops while an Internet station
// talks, and long transmissions are broken for radios with a built-in time-out. The 100 ms
// timer also mirrors the progress boxes onto the news player.
#include <cmath>

#include "app/app.h"
#include "core/event_loop.h"
#include "core/step.h"
#include "core/text.h"
#include "echolink/echolink_app.h"
#include "news/news_player_window.h"
#include "player/cross_window.h"
#include "player/player_window.h"
#include "speech/courtesy_window.h"
#include "speech/idents_window.h"

using namespace player_detail;

namespace {
// A whole number inside the slider's range, or a failure that leaves the slider alone.
int sliderValueOf(const std::string& text, const Slider& slider) {
    const auto n = toNumber(text);
    if (!n || *n != std::floor(*n) || *n < slider.min() || *n > slider.max())
        throw ConversionError("not a volume: " + text);
    return static_cast<int>(*n);
}

// Periods and countdowns are compared by value: "00" is 0, and a count below 0 has run out.
bool atOrBelowZero(const std::string& text) {
    const auto n = toNumber(text);
    return n && *n <= 0;
}
}  // namespace

void Form1::duckingTick() {
    step([&] { app().form24().Label2.setCaption(Text1.text()); });
    step([&] { app().form24().Label3.setCaption(Text2.text()); });
    step([&] { app().form24().Label4.setCaption(Text3.text()); });
    step([&] {
        if (Label2.caption() == Label3.caption()) Beacon8.disable();   // nothing plays
    });
    step([&] {
        if (Check1.value() == 1 && shownText(app().form22().PTT1) == "IP  TX  ON")
            V1.setValue(sliderValueOf(Text4.text(), V1));
        else
            V1.setValue(app().form3().V1.value());
    });
}

// ---- transmission breaks

void Form1::wireBreakControls() {
    BeaconPeriod8.numberOnly = true;
    Text6.numberOnly = true;
    BeaconPeriod8.onChange([this] { onBreakPeriodChange(); });
    Text6.onChange([this] { onBreakLengthChange(); });
    StopClock8.onClick([this] { onUseBreaksClick(); });
}

void Form1::breakTimerTick() {
    step([&] { loop().doEvents(); });
    step([&] {
        if (atOrBelowZero(BeaconPeriod8.text())) BeaconPeriod8.setText("1");
    });
    if (StopClock8.value() != 0) {
        step([&] { BeaconSeconds8.setCaption(numberText(toDouble(BeaconSeconds8.caption()) - 1)); });
        step([&] { app().form3().Beacon6.enable(); });
        step([&] { app().form3().Beacon7.enable(); });
    }
    if (atOrBelowZero(BeaconSeconds8.caption())) {
        Timer4.enable();
        Beacon8.disable();
        if (StopClock8.value() == 1) {
            TempDelay = 1;
            step([&] { stopGraph(); });   // keeps its position
        }
        paintPttText(false);
        step([&] { EchoLink().KeyTransmitter(false); });
        step([&] { BeaconSeconds8.setCaption(numberText(toDouble(BeaconPeriod8.text()) * 60)); });
    }
    if (Label2.caption() == Label3.caption()) {
        paintPttText(false);
        // A bulletin's busy listing is its chain's to clear, when the bulletin ends: the end of
        // its file is no end while the 2nd File or the end announcement is still to come.
        if (firstBranchOnFailure([&] { return app().form24().ferrin2 != 0; })) step([&] { EchoLink().Busy(false); });
    }
}

void Form1::breakLengthTick() {
    step([&] { loop().doEvents(); });
    if (StopClock8.value() != 0)
        step([&] { Label19.setCaption(numberText(toDouble(Label19.caption()) - 1)); });
    // A count that cannot be read has run out: a break must never hold the player.
    const auto left = toNumber(Label19.caption());
    if (left && *left > 0) return;
    if (!left && StopClock8.value() == 0 && TempDelay == 0) return;
    Timer4.disable();
    // Only a running break is resumed: the length timer also runs outside one (a stored or
    // edited break length starts it), and keying then would put nothing on the air.
    if (TempDelay == 1) resumeAfterBreak();
    Beacon8.enable();
    Label19.setCaption(Text6.text());
}

void Form1::resumeAfterBreak() {
    TempDelay = 0;
    Beacon8.enable();
    step([&] { runGraph(); });   // continues where it stopped
    paintPttText(true);
    step([&] { EchoLink().KeyTransmitter(true); });
}

// Stopping or killing the file ends a break that is running, so nothing is left on hold.
void Form1::cancelBreak() {
    if (TempDelay != 1) return;
    Timer4.disable();
    TempDelay = 0;
    Label19.setCaption(Text6.text());
}

void Form1::paintPttText(bool on) {
    PTT.setForeColor(on ? kRed : kGreen);
    PTT.setCaption(on ? "PTT ON" : "PTT OFF");
}

void Form1::onBreakPeriodChange() {
    step([&] {
        if (BeaconPeriod8.text().empty() || atOrBelowZero(BeaconPeriod8.text())) {
            BeaconPeriod8.setText("0");
            Beacon8.disable();
        } else {
            Beacon8.enable();
        }
    });
    step([&] { BeaconSeconds8.setCaption(numberText(toDouble(BeaconPeriod8.text()) * 60)); });
}

void Form1::onBreakLengthChange() {
    Text6.numberOnly = true;
    step([&] {
        if (Text6.text().empty() || atOrBelowZero(Text6.text())) {
            Text6.setText("0");
            Timer4.disable();
            // A break whose length timer stops would never end: end it now.
            if (TempDelay == 1) resumeAfterBreak();
        } else {
            Timer4.enable();
        }
    });
    step([&] { Label19.setCaption(Text6.text()); });
}

// Unticking "Use" during a break ends it at once; the transmission goes on.
void Form1::onUseBreaksClick() {
    if (StopClock8.value() != 0 || TempDelay != 1) return;
    Timer4.disable();
    resumeAfterBreak();
    Beacon8.enable();
    Label19.setCaption(Text6.text());
}
