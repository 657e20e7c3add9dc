// The serial lines behind EchoLink: which one keys the transmitter (the PTT line), duplex
// keying while local RF is received, and the other line (the control line) held for a fan or
// an alternate control after each transmission.
#include "app/app.h"
#include "core/colours.h"
#include "core/event_loop.h"
#include "core/step.h"
#include "core/text.h"
#include "echolink/echolink_app.h"
#include "speech/countdowns.h"
#include "speech/courtesy_window.h"
#include "speech/idents_window.h"

using namespace countdowns;

namespace {
using namespace colours;
constexpr std::int64_t kGreen = 0x008000;

void showFan(Label& label, bool on) {
    label.setForeColor(on ? kGreen : kDarkRed);
    label.setCaption(on ? "Fan ON" : "Fan OFF");
}
}  // namespace

void Form3::wireControlLines() {
    FanPeriod.numberOnly = true;
    DelayPeriod.numberOnly = true;
    Check5.onClick([this] {
        if (Check5.value() == 0) Label43.setCaption("");
    });
    FanPeriod.onChange([this] {
        step([&] { FanPeriod.numberOnly = true; });
        if (firstBranchOnFailure([&] { return emptyOrZero(FanPeriod.text()); })) {
            step([&] { FanPeriod.setText("1"); });
            step([&] { Fan.disable(); });
        } else {
            step([&] { DelaySeconds.setCaption(DelayPeriod.text()); });
            step([&] { FanOn(); });
        }
        step([&] { FanSeconds.setCaption(minutesInSeconds(FanPeriod)); });
    });
    DelayPeriod.onChange([this] {
        step([&] { DelayPeriod.numberOnly = true; });
        if (firstBranchOnFailure([&] { return emptyOrZero(DelayPeriod.text()); })) {
            step([&] { DelayPeriod.setText("1"); });
            step([&] { FanDelay.disable(); });
        }
        step([&] { DelaySeconds.setCaption(DelayPeriod.text()); });
    });
}

void Form3::FanOn() {
    if (DelayCTRL.value() == 1) {
        FanDelay.enable();
    } else if (FanCTRL.value() == 1 || FanCTRL2.value() == 1) {
        Fan.enable();
        FanSeconds.setCaption(minutesInSeconds(FanPeriod));
    }
}

SerialLine Form3::pttLine() const { return RTS.value() ? SerialLine::RTS : SerialLine::DTR; }

void Form3::raiseControlLine() {
    if (!UseDTR.value() && !UseRTS.value()) return;
    app().raisedLines().raise(EchoLink(), LineReason::ControlLine, UseDTR.value() ? SerialLine::DTR : SerialLine::RTS);
}

// A failing line call ends the tick. The RF box reads "Receiving  RF" while the carrier cannot be
// read, so an EchoLink that does not answer fails here every 100 ms: that is logged once.
void Form3::Timer8_Timer() {
    tickEndsOnFailure("Form3 duplex keying", [&] {
        keepDuplexKeying();
        publishPttLine();
    });
    // The control line's run-on ends once (the fan timer stops with it): a lowering EchoLink did
    // not take is tried again here until it does, so the line never stays up with nothing holding it.
    RaisedLines& lines = app().raisedLines();
    if (lines.loweringFailed(LineReason::ControlLine))
        tickEndsOnFailure("Form3 control line lowering", [&] { lines.lower(EchoLink(), LineReason::ControlLine); });
}

void Form3::keepDuplexKeying() {
    Form22& courtesy = app().form22();
    const bool rf = courtesy.RFUser.text() == Form22::kReceivingRF;
    RaisedLines& lines = app().raisedLines();
    if (Check5.value() == 1 && rf) {
        Label43.setCaption("Repeater ON");
        lines.raise(EchoLink(), LineReason::DuplexKeying, pttLine());
        return;
    }
    if (Check5.value() == 1) Label43.setCaption("");
    // The line raised for duplex keying drops once the RF has ended or duplex is switched off,
    // unless this program is transmitting.
    if (lines.lineOf(LineReason::DuplexKeying) && !EchoLink().TransmitterKeyed())
        lines.lower(EchoLink(), LineReason::DuplexKeying);
}

void Form3::publishPttLine() {
    Form22& courtesy = app().form22();
    if (RTS.value()) {
        courtesy.UseRTS.setValue(true);
        UseDTR.setValue(true);
        Label44.setCaption("This will put RTS on when a signal is received");
        UseDTR.setEnabled(true);
        UseRTS.setEnabled(false);
    } else {
        courtesy.UseDTR.setValue(true);
        UseRTS.setValue(true);
        Label44.setCaption("This will put DTR on when a signal is received");
        UseDTR.setEnabled(false);
        UseRTS.setEnabled(true);
    }
}

void Form3::Timer4_Timer() {
    step([&] { loop().doEvents(); });
    if (firstBranchOnFailure([&] { return FanCTRL2.value() == 1 && EchoLink().ReceivingSignal(); }))
        step([&] { FanOn(); });
    if (showTransmitState() && (FanCTRL.value() == 1 || FanCTRL2.value() == 1)) step([&] { FanOn(); });
}

bool Form3::showTransmitState() {
    if (firstBranchOnFailure([&] { return EchoLink().TransmitterKeyed(); })) {
        step([&] {
            PTT.setBackColor(kRed);
            PTT.setCaption("PTT ON");
        });
        return true;
    }
    step([&] {
        PTT.setBackColor(kButtonFace);
        PTT.setCaption("PTT OFF");
    });
    return false;
}

void Form3::FanDelay_Timer() {
    step([&] { loop().doEvents(); });
    step([&] {
        if (isZero(DelayPeriod.text())) DelayPeriod.setText("1");
    });
    step([&] {
        if (DelayCTRL.value() != 0) countDown(DelaySeconds);
    });
    if (!due(DelaySeconds)) return;
    step([&] { DelaySeconds.setCaption(DelayPeriod.text()); });
    step([&] { FanDelay.disable(); });
    if (FanCTRL.value() != 1 && FanCTRL2.value() != 1) return;
    if (PTT.caption() == "PTT ON") {
        step([&] { Fan.enable(); });
        step([&] { FanSeconds.setCaption(minutesInSeconds(FanPeriod)); });
    }
    if (firstBranchOnFailure([&] { return FanCTRL2.value() == 1 && EchoLink().CarrierDetected(); })) {
        step([&] { Fan.enable(); });
        step([&] { FanSeconds.setCaption(minutesInSeconds(FanPeriod)); });
    }
}

void Form3::Fan_Timer() {
    step([&] { loop().doEvents(); });
    step([&] {
        if (isZero(FanPeriod.text())) FanPeriod.setText("1");
    });
    if (FanCTRL.value() == 1 || FanCTRL2.value() == 1) {
        step([&] { countDown(FanSeconds); });
        step([&] { showFan(FanOnOff, true); });
        step([&] {
            if (UseFanMessage.value() == 1 && due(FanSeconds)) {
                SayTheText = FanOffMessage.text();
                flag2 = 1;
            }
        });
        step([&] { raiseControlLine(); });
    } else {
        step([&] { showFan(FanOnOff, false); });
        endAlternateControl();
    }
    if (!due(FanSeconds)) return;
    step([&] { FanSeconds.setCaption(minutesInSeconds(FanPeriod)); });
    step([&] { Fan.disable(); });
    step([&] { showFan(FanOnOff, false); });
    endAlternateControl();
}

// The control line drops and the alternate control switches itself off.
void Form3::endAlternateControl() {
    step([&] { app().raisedLines().lower(EchoLink(), LineReason::ControlLine); });
    if (UseDTR.value() || UseRTS.value()) step([&] { FanCTRL2.setValue(0); });
}

void Form3::Timer6_Timer() {
    if (Check4.value() == 1) {
        step([&] { FanCTRL.setValue(0); });
        step([&] { FanCTRL2.setValue(1); });
        step([&] { FanSeconds.setCaption(minutesInSeconds(FanPeriod)); });
        step([&] { Fan.enable(); });
    }
    if (FanCTRL.value() == 1) {
        step([&] { FanCTRL2.setEnabled(false); });
        step([&] { FanCTRL2.setValue(0); });
        step([&] { UseFanMessage.setValue(0); });
        step([&] { UseFanMessage.setEnabled(false); });
    } else {
        step([&] { FanCTRL2.setEnabled(true); });
        step([&] { UseFanMessage.setEnabled(true); });
    }
    if (FanCTRL2.value() == 1) {
        step([&] { FanCTRL.setEnabled(false); });
        step([&] { FanCTRL.setValue(0); });
        step([&] { DelayCTRL.setEnabled(false); });
        step([&] { DelayCTRL.setValue(0); });
    } else {
        step([&] { FanCTRL.setEnabled(true); });
        step([&] { DelayCTRL.setEnabled(true); });
    }
}
