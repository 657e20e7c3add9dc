// Live speech with the transmitter keyed, the one-slot speech queue and the speech delay.
#include <optional>

#include "app/app.h"
#include "core/colours.h"
#include "core/event_loop.h"
#include "core/step.h"
#include "core/text.h"
#include "core/timing.h"
#include "echolink/echolink_app.h"
#include "player/player_window.h"
#include "speech/courtesy_window.h"
#include "speech/idents_window.h"

namespace {
using namespace colours;

void paintOn(Label& ptt) {
    ptt.setBackColor(kRed);
    ptt.setCaption("PTT ON");
}

void paintOff(Label& ptt) {
    ptt.setBackColor(kButtonFace);
    ptt.setCaption("PTT OFF");
}
}  // namespace

void Form3::wireSpeech() {
    VoiceSpeed.onChange([this] { Label6.setCaption(std::to_string(VoiceSpeed.value())); });
    VolLev.onChange([this] {
        TTSVolSet.setText(std::to_string(VolLev.value()));
        Label13.setCaption(std::to_string(VolLev.value()));
    });
    V1.onChange([this] {
        step([&] { app().form1().V1.setValue(V1.value()); });
        step([&] { VolSet.setText(std::to_string(V1.value())); });
        step([&] { Label29.setCaption(std::to_string(V1.value())); });
    });
    TTSPeriod.numberOnly = true;
    TTSPeriod.onChange([this] { TTSPeriod.numberOnly = true; });
    Command2.onClick([this] {
        SayTheText = Text1.text();
        SpeakTheText();
    });
}

void Form3::SpeakTheText() {
    if (StopTTS == 1) return;
    if (EchoLink().CarrierDetected() || PTT2.caption() == kReceiving) return;
    if (Check1.value() == 1) return;
    const bool playerOnAir = app().form1().PTT.caption() == "PTT ON";
    // The speech blocks the thread with the key down: what falls due meanwhile, the clock seconds
    // included, waits until the key is up again, so it finds the station free.
    std::optional<EventLoop::TimersHeld> held;
    bool keyed = false;
    if (!playerOnAir) {
        held.emplace(loop());
        if (!EchoLink().CarrierDetected() && PTT2.caption() != kReceiving) {
            keyForSpeech();
            keyed = true;
        }
        SayTheText = replaceAll(replaceAll(SayTheText, "*", " "), "-", ":");
        SpeechDelay();
        app().speech().setRate(VoiceSpeed.value());
        app().speech().setVolume(VolLev.value());
        stepOr([&] { app().speech().speak(SayTheText); },
               [&](const std::string& why) { LogError("\"" + SayTheText + "\" not spoken (" + why + ") "); });
    }
    // The queue is cleared before pending events run, so a text queued meanwhile stays queued.
    flag2 = 0;
    step([&] { loop().doEvents(); });
    // A file with time left keeps the key down: releasing it here would cut a gap into it.
    if (!playerHasTimeLeft()) {
        step([&] { EchoLink().KeyTransmitter(false); });
        step([&] { paintOff(PTT); });
        step([&] { paintOff(app().form22().PTT); });
    }
    if (keyed) speechKeyedUntil_ = clock().now();
    // The control line drops after every speech; a running fan raises it again at its next tick.
    step([&] { app().raisedLines().lower(EchoLink(), LineReason::ControlLine); });
}

void Form3::keyForSpeech() {
    paintOn(PTT);
    paintOn(app().form22().PTT);
    if (FanCTRL.value() == 1 || FanCTRL2.value() == 1) {
        DelaySeconds.setCaption(DelayPeriod.text());
        FanOn();
    }
    EchoLink().KeyTransmitter(true);
    speechKeyedFrom_ = clock().now();
    speechKeyedUntil_ = speechKeyedFrom_;
}

bool Form3::spokeOnAirIn(LocalMs second) const {
    return speechKeyedUntil_ >= 0 && speechKeyedFrom_ < second + 1000 && speechKeyedUntil_ >= second;
}

// The player's time left; one that cannot be read counts as time left.
bool Form3::playerHasTimeLeft() {
    const auto left = toNumber(app().form1().Label1.caption());
    return !left || *left != 0;
}

void Form3::SpeechDelay() {
    if (TTSCTRL.value() != 1) return;
    // An empty or unreadable box counts as the most increments, as the player's copy of the
    // delay treats it, so a speech neither hangs nor retries for ever.
    const auto increments = toNumber(TTSPeriod.text());
    if (!increments || *increments > 9) TTSPeriod.setText("9");
    if (flagtime == 1) {
        flagtime = 0;
        return;
    }
    const long n = toLong(TTSPeriod.text());
    for (long k = 1; k <= n; ++k) SleepTTS();
}

void Form3::SleepTTS() {
    // One blocking increment: nothing else runs meanwhile.
    HowLongSec = 0;
    clock().sleepFor(timing::kSpeechDelayStepMs);
    HowLongSec = 10000;
}

void Form3::EchoLink_RX(bool bRX) {
    // Follows every event, so a silence period cannot leave the idents and announcements held.
    InUse = bRX ? 1 : 0;
}

void Form3::Timer7_Timer() {
    Timer7.disable();
    StopTTS = 0;
}
