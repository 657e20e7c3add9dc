// Voice and CW idents, and the idle watch that stops them on a quiet node.
#include "app/app.h"
#include "core/event_loop.h"
#include "core/step.h"
#include "core/text.h"
#include "echolink/echolink_app.h"
#include "player/player_window.h"
#include "speech/idents_window.h"

#include "speech/countdowns.h"

namespace {
using namespace countdowns;

// A period box: an empty or zero period reads "1" and stops its timer; its countdown follows it.
void periodChanged(TextBox& period, Timer& timer, Label& countdown) {
    step([&] { period.numberOnly = true; });
    if (firstBranchOnFailure([&] { return emptyOrZero(period.text()); })) {
        step([&] { period.setText("1"); });
        step([&] { timer.disable(); });
    } else {
        step([&] { timer.enable(); });
    }
    step([&] { countdown.setCaption(minutesInSeconds(period)); });
}
}  // namespace

void Form3::wireIdents() {
    // Number boxes from the start, so the load knows a stored value that is not a number.
    for (TextBox* box : {&BeaconPeriod6, &BeaconPeriod7, &VoicePeriod, &LongID}) box->numberOnly = true;
    BeaconPeriod6.onChange([this] { periodChanged(BeaconPeriod6, Beacon6, BeaconSeconds6); });
    BeaconPeriod7.onChange([this] { periodChanged(BeaconPeriod7, Beacon7, BeaconSeconds7); });
    VoicePeriod.onChange([this] {
        step([&] { VoicePeriod.numberOnly = true; });
        if (firstBranchOnFailure([&] { return emptyOrZero(VoicePeriod.text()); })) {
            step([&] { VoicePeriod.setText("1"); });
            step([&] { IDCheck.setEnabled(false); });
        } else {
            step([&] { IDCheck.setEnabled(true); });
        }
        step([&] { IDSeconds.setCaption(minutesInSeconds(VoicePeriod)); });
    });
    LongID.onChange([this] { LongID.numberOnly = true; });
    SayCall.onClick([this] {
        if (Callsign.text().empty()) Callsign.setText("NoCall");
        TextField.setText(Callsign.text());
        step([&] { SaveToWav(); });
        handToPlayer(true);
    });
    SendCW.onClick([this] {
        if (CWCallsign.text().empty()) CWCallsign.setText(" ");
        if (EchoLink().CarrierDetected() || PTT2.caption() == kReceiving)
            CWIdentPending = "1";
        else
            EchoLink().SendCWText(0, CWCallsign.text());
    });
}

void Form3::Beacon6_Timer() {
    step([&] { loop().doEvents(); });
    step([&] {
        if (isZero(BeaconPeriod6.text())) BeaconPeriod6.setText("1");
    });
    step([&] {
        if (StopClock6.value() != 0) countDown(BeaconSeconds6);
    });
    if (!due(BeaconSeconds6)) return;
    step([&] { BeaconSeconds6.setCaption(minutesInSeconds(BeaconPeriod6)); });
    if (firstBranchOnFailure([&] { return InUse == 1; })) return;
    if (firstBranchOnFailure([&] {
            return EchoLink().LinkBusy() || PTT.caption() == "PTT ON" || app().form1().PTT2.caption() == "PLAY";
        }))
        return;
    step([&] { TextField.setText(Callsign.text()); });
    step([&] { SaveToWav(); });
    handToPlayer(true);
}

void Form3::Beacon7_Timer() {
    const auto busy = [this] {
        return PTT2.caption() == kReceiving || EchoLink().LinkBusy() || PTT.caption() == "PTT ON";
    };
    step([&] { loop().doEvents(); });
    step([&] {
        if (isZero(BeaconPeriod7.text())) BeaconPeriod7.setText("1");
    });
    if (firstBranchOnFailure([&] { return Check1.value() == 1 && Check6.value() == 0; })) return;
    step([&] {
        if (StopClock7.value() != 0) countDown(BeaconSeconds7);
    });
    if (due(BeaconSeconds7)) {
        step([&] { BeaconSeconds7.setCaption(minutesInSeconds(BeaconPeriod7)); });
        if (firstBranchOnFailure(busy))
            step([&] { CWIdentPending = "1"; });
        else
            step([&] { SendCWIdent(); });
    }
    if (firstBranchOnFailure(busy)) return;
    if (firstBranchOnFailure([&] { return CWIdentPending != "1"; })) return;
    step([&] { SendCWIdent(); });
    step([&] { CWIdentPending = "0"; });
}

void Form3::SendCWIdent() {
    if (UseLongCheck.value() == 1) {
        i = i + 1;
        if (i >= val(LongID.text())) {
            EchoLink().SendCWText(0, CWCallsignLong.text());
            i = 0;
        } else {
            EchoLink().SendCWText(0, CWCallsign.text());
        }
    } else {
        EchoLink().SendCWText(0, CWCallsign.text());
    }
}

void Form3::IDTimer_Timer() {
    step([&] { loop().doEvents(); });
    step([&] {
        if (isZero(VoicePeriod.text())) VoicePeriod.setText("1");
    });
    step([&] {
        if (IDCheck.value() != 0) countDown(IDSeconds);
    });
    if (IDCheck.value() == 1 && due(IDSeconds)) {
        step([&] { Beacon6.disable(); });
        step([&] { Beacon7.disable(); });
        step([&] { BeaconSeconds6.setCaption("15"); });
        step([&] { BeaconSeconds7.setCaption("10"); });
    }
    if (firstBranchOnFailure([&] {
            return EchoLink().LinkBusy() || PTT.caption() == "PTT ON" || PTT2.caption() == kReceiving;
        })) {
        step([&] { IDSeconds.setCaption(minutesInSeconds(VoicePeriod)); });
        step([&] { IDTimer.enable(); });
    }
    if (due(IDSeconds)) {
        step([&] { IDSeconds.setCaption(minutesInSeconds(VoicePeriod)); });
        step([&] { IDTimer.disable(); });
    }
}
