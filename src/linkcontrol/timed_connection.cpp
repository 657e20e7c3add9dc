// The timed connection, the DTMF-use switch, the DTMF delay and the close-down.
#include "app/app.h"
#include "core/event_loop.h"
#include "echolink/echolink_app.h"
#include "linkcontrol/connect_control_window.h"
#include "linkcontrol/countdowns_and_calls.h"
#include "speech/courtesy_window.h"
#include "speech/idents_window.h"

using namespace linkcontrol;

// ---- timed connection

// One second after the start command: connect the station and start the countdown.
void Form4::Timer12_Timer() {
    step([&] { EchoLink().Connect(upperCallOf(Text1x), true); });
    timedEndPending_ = false;   // a new connection supersedes an end still waiting for EchoLink
    step([&] { Timer10.enable(); });
    step([&] { DelayCTRL.setValue(1); });
    step([&] { reloadTimedCountdown(); });
    step([&] { Timer12.disable(); });
}

// Two seconds after the start command: list the node busy if the window asks for it.
// A failing call ends the tick before the timer goes off, so the listing is tried again each
// tick until EchoLink answers. (The countdown stands still while EchoLink does not answer, so
// the end never comes before it; a stop calls off a listing still to come.)
void Form4::Timer11_Timer() {
    tickEndsOnFailure("Form4 timed connection: busy listing", [&] {
        if (ticked(Check12)) {
            ListBusy = "1";
            EchoLink().Busy(true);
        }
        Timer11.disable();
    });
}

// The countdown: DelayPeriod minutes without local transmission or RF, then everybody is
// dropped and the idents window's stay-connected stations are called back.
void Form4::Timer10_Timer() {
    step([&] { loop().doEvents(); });
    step([&] {
        if (readsZero(DelayPeriod.text())) DelayPeriod.setText("1");
    });
    if (!timedEndPending_) {
        step([&] { countDown(DelaySeconds); });
        if (!runOut(DelaySeconds)) return;
        step([&] { reloadTimedCountdown(); });
    }
    // The end must reach EchoLink: while it does not answer, the countdown stays at its end and
    // each tick tries again, so the station is dropped and the busy listing cleared once it does.
    if (!tickEndsOnFailure("Form4 timed connection end: tried again each second until EchoLink answers", [&] {
            EchoLink().DisconnectAllStations();
            ListBusy = "0";
            EchoLink().Busy(false);
        })) {
        timedEndPending_ = true;
        return;
    }
    timedEndPending_ = false;
    step([&] { Timer10.disable(); });
    reconnectStayConnectedStations();
}

void Form4::DelayPeriod_Change() {
    step([&] {
        if (DelayPeriod.text().empty() || readsZero(DelayPeriod.text())) DelayPeriod.setText("1");
    });
    step([&] { reloadTimedCountdown(); });
}

void Form4::reloadTimedCountdown() { setSecondsFromMinutes(DelaySeconds, DelayPeriod); }

// What every stop of the timed connection undoes. The delayed connect and busy listing of a start
// that has not come through yet are called off too, so nothing of it happens after the stop.
void Form4::cancelTimedConnection() {
    Timer10.disable();
    timedEndPending_ = false;
    Timer11.disable();
    Timer12.disable();
    DelayCTRL.setValue(0);
    step([&] { reloadTimedCountdown(); });
}

// The idents window's stay-connected stations, 1 to 4 in order; an empty box calls nobody.
void Form4::reconnectStayConnectedStations() {
    Form3& idents = app().form3();
    const std::array<std::pair<CheckBox*, TextBox*>, 4> stations{{{&idents.StayCon1, &idents.ConnectStation1},
                                                                  {&idents.StayCon2, &idents.ConnectStation2},
                                                                  {&idents.StayCon3, &idents.ConnectStation3},
                                                                  {&idents.StayCon4, &idents.ConnectStation4}}};
    for (const auto& entry : stations) {
        // Plain names rather than structured bindings, which clang 14 does not let a lambda capture.
        CheckBox* stay = entry.first;
        TextBox* station = entry.second;
        step([&] {
            if (ticked(*stay) && !callOf(*station).empty()) EchoLink().Connect(upperCallOf(*station), true);
        });
    }
}

// ---- DTMF use switch and DTMF delay

void Form4::Timer1_Timer() {
    step([&] {
        if (readsZero(BeaconPeriod.text())) BeaconPeriod.setText("1");
    });
    step([&] {
        if (Check1.value() == 0) countDown(BeaconSeconds);
    });
    step([&] {
        if (runOut(BeaconSeconds)) {
            setSecondsFromMinutes(BeaconSeconds, BeaconPeriod);
            Check1.setValue(1);
        }
    });
    // With no local carrier the DTMF delay is armed again with its full length.
    step([&] {
        if (ticked(UseDTMFDelay) && app().form22().RFUser.text() == "RX  Standby") {
            DTMFDelay.enable();
            DTMFDelayPeriod.setCaption(DTMFDelaySeconds.text());
        }
    });
}

// While a signal is received the delay counts down; connect and disconnect commands are
// accepted only once it has run out.
void Form4::DTMFDelay_Timer() {
    step([&] { loop().doEvents(); });
    step([&] {
        // A signal that cannot be read counts as none: the delay is loaded again.
        if (firstBranchOnFailure([&] { return !EchoLink().ReceivingSignal(); })) {
            PTT3.setCaption("      ");
            DTMFDelayPeriod.setCaption(DTMFDelaySeconds.text());
        } else {
            PTT3.setCaption("Receiving Signal");
        }
    });
    step([&] {
        if (ticked(UseDTMFDelay) && PTT3.caption() == "Receiving Signal") countDown(DTMFDelayPeriod);
    });
    step([&] {
        if (runOut(DTMFDelayPeriod)) DTMFDelay.disable();
    });
}

void Form4::DTMFDelaySeconds_Change() {
    step([&] {
        if (DTMFDelaySeconds.text().empty()) {
            DTMFDelaySeconds.setText("0");
            DTMFDelay.disable();
        } else {
            DTMFDelay.enable();
        }
    });
    step([&] { DTMFDelayPeriod.setCaption(DTMFDelaySeconds.text()); });
}

// ---- close-down

// Five seconds after the close-down command: EchoLink closes, and its Closing event ends the program.
void Form4::Timer16_Timer() {
    tickEndsOnFailure("Form4 close-down", [&] {
        EchoLink().CloseProgram();
        Timer16.disable();
    });
}
