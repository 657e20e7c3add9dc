// The transmit path: TXFile keys the transmitter and starts a file; the PTT driver keeps the key
// down while a file has time left and releases it (after a requested tail) when it has none.
#include <cmath>
#include <filesystem>

#include "app/app.h"
#include "core/step.h"
#include "core/text.h"
#include "dtmfplayer/dtmf_player_window.h"
#include "echolink/echolink_app.h"
#include "news/news_player_window.h"
#include "player/cross_window.h"
#include "player/player_window.h"
#include "speech/courtesy_window.h"
#include "speech/idents_window.h"

using namespace player_detail;

void Form1::TXFile() {
    if (txtFile.text().empty() && operatorRequest_) {
        // The operator is asked before anything changes: one who cancels leaves the air as it was.
        const std::string chosen = askForFile();
        if (chosen.empty()) return;
        txtFile.setText(chosen);
    }
    // A new transmission ends a running break: the driver must own the key again, or a file
    // shorter than the break would leave the transmitter keyed until the break ran out.
    cancelBreak();
    LoadedFile.clear();   // always a new player, even for the same file
    step([&] { LoadFile(false); });
    step([&] { graph().setVolume(toLong(TempVolSet.text())); });
    step([&] { app().form3().Beacon6.enable(); });
    step([&] { app().form3().Beacon7.enable(); });
    step([&] { EchoLink().KeyTransmitter(true); });
    Label1.setCaption("1");   // no driver tick may take the new file for an ended one
    // Every reader of the transmit state sees this transmission from now on, not from the
    // driver's next tick: a second request in the same loop turn must find the station on air.
    showTransmitState();
    // Cue: the new player stands stopped at the start of the file.
    step([&] { stopGraph(); });
    step([&] { graph().setPosition(0); });
    Beacon8.disable();
    step([&] { EchoLink().KeyTransmitter(true); });
    Label1.setCaption("1");
    step([&] { graph().setVolume(toLong(TempVolSet.text())); });
    step([&] { Sleep(); });
    step([&] { speechDelay(); });
    Beacon8.enable();
    step([&] { runGraph(); });
    step([&] {
        Form24& news = app().form24();
        if (news.ferrin2 == 1) {
            news.ferrin2 = 0;   // the scheduled bulletin is on the air: list the node busy
            step([&] { EchoLink().Busy(true); });
        }
    });
    step([&] { graph().setVolume(toLong(TempVolSet.text())); });
}

// The idents window's speech delay before each file, skipped once after `flagtime`.
void Form1::speechDelay() {
    Form3& idents = app().form3();
    if (controlValue(idents.TTSCTRL) != 1) return;
    if (firstBranchOnFailure([&] { return toDouble(idents.TTSPeriod.text()) > 9; })) idents.TTSPeriod.setText("9");
    if (idents.flagtime == 1) {
        idents.flagtime = 0;
        return;
    }
    const double steps = std::floor(toDouble(idents.TTSPeriod.text()));
    TTSDelay = 0;
    for (int i = 1; i <= steps; ++i) {
        TTSDelay = i;
        idents.SleepTTS();
    }
}

void Form1::PlayFile() {
    TempVolSet.setText(VolSet.text());
    TXFile();
}

void Form1::StopFile() {
    Timer6.disable();
    Check2.setValue(0);
    step([&] { Beacon8.disable(); });
    cancelBreak();
    step([&] { EchoLink().Busy(false); });
    step([&] { stopGraph(); });
    step([&] { CleanUp(); });
    Label1.setCaption("0");
    Label2.setCaption("0");
    Label3.setCaption("0");
    step([&] { EchoLink().KeyTransmitter(false); });
    showTransmitState();
}

void Form1::StopOnRequest() {
    StopFile();
    ++requestedStops_;
}

bool Form1::transmissionOnAir() const {
    if (TempDelay == 1) return true;
    // Unreadable time left reads as none, as the driver takes it.
    const auto left = toNumber(Label1.caption());
    if (left && *left != 0) return true;
    // What the send paths test: a turn that goes now must not find the station busy there.
    if (app().exists("Form3") && app().form3().PTT.caption() == "PTT ON") return true;
    return app().exists("Form24") && app().form24().ferrin2 == 0;
}

void Form1::KillFile() {
    step([&] { Beacon8.disable(); });
    cancelBreak();
    step([&] { stopGraph(); });
    step([&] { CleanUp(); });
    step([&] {
        const std::string& name = app().form3().wavfile.text();
        if (name.empty()) return;
        std::error_code ignored;   // a file that is not there is no error
        std::filesystem::remove(app().mapPath(name), ignored);
    });
}

// ---- the PTT driver (Timer3)

void Form1::pttDriverTick() {
    // A transmission break holds the transmitter off: the release is asked again on every tick,
    // so one that EchoLink did not answer (an outage as the break began) is not the last word.
    if (TempDelay == 1) {
        step([&] { EchoLink().KeyTransmitter(false); });
        return;
    }
    if (firstBranchOnFailure([&] { return toDouble(Label1.caption()) == 0; })) {
        if (firstBranchOnFailure([&] { return app().form22().Option3.value(); }))
            tailDelayThenRelease(&Form1::Sleep2);   // "Delay 1"
        else if (firstBranchOnFailure([&] { return app().form22().Option4.value(); }))
            tailDelayThenRelease(&Form1::Sleep3);   // "Delay 2"
        else
            step([&] { EchoLink().KeyTransmitter(false); });
    } else {
        step([&] { EchoLink().KeyTransmitter(true); });
    }
    paintTransmitState(true);
    paintPlayState();
}

// With a tail requested, the transmitter stays keyed for the delay and is then released.
void Form1::tailDelayThenRelease(void (Form1::*delay)()) {
    if (ferrin == 1) {
        step([&] { (this->*delay)(); });
        step([&] { EchoLink().KeyTransmitter(false); });
        ferrin = 0;
    } else {
        step([&] { EchoLink().KeyTransmitter(false); });
    }
}

void Form1::showTransmitState() {
    paintTransmitState(false);   // a transmission never creates a window
}

void Form1::paintTransmitState(bool createWindows) {
    auto paint = [](Label& label, std::int64_t back, const char* caption) {
        step([&] {
            label.setBackColor(back);
            label.setCaption(caption);
        });
    };
    // A transmitter that cannot be asked shows as released.
    const bool released = firstBranchOnFailure([&] { return !EchoLink().TransmitterKeyed(); });
    const auto there = [&](const char* name) { return createWindows || app().exists(name); };
    Label* own[] = {&PTT, nullptr, nullptr};
    step([&] {
        if (there("Form23")) own[1] = &app().form23().PTT;
    });
    step([&] {
        if (there("Form24")) own[2] = &app().form24().PTT;
    });
    for (Label* l : own)
        if (l) paint(*l, released ? kLightGreen : kRed, released ? "PTT OFF" : "PTT ON");
    // The idents window's caption is what the beacons' and the speech's busy tests read: at a
    // file's end it must not wait for that window's own 100 ms repaint.
    step([&] {
        if (app().exists("Form3")) app().form3().showTransmitState();
    });
    step([&] {
        if (!there("Form22")) return;
        Form22& courtesy = app().form22();
        const bool localRf = courtesy.Option6.value() && shownText(courtesy.RFUser) == "Receiving  RF";
        if (!released || localRf)
            paint(courtesy.PTT, kRed, "PTT ON");
        else
            paint(courtesy.PTT, kButtonFace, "PTT OFF");
    });
}

void Form1::paintPlayState() {
    const bool stopped = firstBranchOnFailure([&] {
        return toDouble(Label1.caption()) == 0 || toDouble(Label2.caption()) == 0 || toDouble(Label3.caption()) == 0;
    });
    if (stopped) {
        PTT2.setBackColor(kRed);
        PTT2.setCaption("STOP");
        // Every transmission starts a full break period.
        step([&] { BeaconSeconds8.setCaption(numberText(toDouble(BeaconPeriod8.text()) * 60)); });
    } else {
        PTT2.setBackColor(kLightGreen);
        PTT2.setCaption("PLAY");
        Timer6.enable();
    }
}

// ---- small timers

void Form1::stopAfterLoadFailure() {
    StopFile();
    Timer5.disable();
}

void Form1::markDtmfToBeSent() {
    Check2.setValue(1);
    Timer6.disable();
}

void Form1::secondPartStarted() {
    step([&] { app().form24().Play2ndFile = 0; });
    Timer7.disable();
}
