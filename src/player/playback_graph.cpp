// Loading a file into a new player, the volume, speed and position sliders, and the player's
// blocking delay routines.
#include <algorithm>
#include <cmath>
#include <limits>
#include <stdexcept>

#include "app/app.h"
#include "core/event_loop.h"
#include "core/paths.h"
#include "core/step.h"
#include "core/text.h"
#include "core/timing.h"
#include "platform/dialogs.h"
#include "player/player_window.h"
#include "speech/idents_window.h"

namespace {
constexpr const char* kAudioFilter = "*.wav, *.mp2, *.mp3, *.avi, *.mid|*.wav;*.mp2;*.mp3;*.avi;*.mid";
constexpr const char* kNotFound = " <-- Audio File not found Please Check ";
constexpr const char* kCannotPlay = "Audio File not found Please Check and Try Again";
}  // namespace

AudioPlayer& Form1::graph() {
    if (!graph_) throw PlatformError("no audio file is loaded");
    return *graph_;
}

std::string Form1::silentFile() const { return app().dataPath("Blank.wav"); }

void Form1::LoadFile(bool ReLoad) {
    try {
        dialogFileName_ = txtFile.text().empty() ? std::string() : app().mapPath(txtFile.text());
        if (!LoadedFile.empty() && !ReLoad) return;
        // Only the operator is asked for a file: an unattended request with no file takes the
        // missing-file path below.
        if (txtFile.text().empty() && operatorRequest_) dialogFileName_ = askForFile();
        // A speech file that still holds an earlier text is as good as missing.
        const bool earlierSpeech = app().exists("Form3") && app().form3().holdsEarlierSpeech(dialogFileName_);
        if (dialogFileName_.empty() || !fileExists(dialogFileName_) || earlierSpeech) {
            const std::string message =
                (txtFile.text().empty() ? std::string() : app().mapPath(txtFile.text())) + kNotFound;
            StopFile();
            app().LogError(message);
            dialogFileName_ = silentFile();
        }
        txtFile.setText(dialogFileName_);
        LoadedFile = dialogFileName_;
        CleanUp();
        graph_ = app().audio().newPlayer();
        graph_->render(LoadedFile);
        const double length = graph_->duration();
        const double whole = std::nearbyint(length);
        if (!(whole >= 0)) throw std::out_of_range("a file without a length");
        // A file longer than the position slider reaches still plays; the slider stops at its end.
        H1.setMax(static_cast<int>(std::min<double>(whole, kMaxPosition)));
        Text3.setText(FormatHMS(length));
        Label3.setCaption(numberText(length));
        Timer5.disable();   // a failed load's pending stop must not end this newer transmission
    } catch (const ProgramEnded&) {
        throw;
    } catch (const PlatformError& e) {
        loadFailed(e.what());
    } catch (...) {
        loadFailed("");
    }
}

std::string Form1::askForFile() { return app().dialogs().openFile("Open", kAudioFilter).value_or(""); }

// A file that cannot be played: the transmission ends a second later through Timer5. Where the
// audio system said why (no thread to play it, say), the error log keeps the reason.
void Form1::loadFailed(const std::string& why) {
    step([&] {
        const std::string reason = why.empty() ? std::string() : "(" + why + ") ";
        if (operatorRequest_) {
            app().dialogs().messageBox("Error", kCannotPlay, MsgButtons::Ok, MsgIcon::Exclamation);
            if (!reason.empty()) app().LogError(LoadedFile + " <-- " + reason);
        } else {
            app().LogError(LoadedFile + " <-- " + kCannotPlay + " " + reason);
        }
    });
    step([&] { CleanUp(); });
    step([&] { txtFile.setText(silentFile()); });
    LoadedFile = silentFile();
    Timer5.enable();
}

void Form1::CleanUp() {
    runRequested_ = false;
    if (!graph_) return;
    step([&] { graph_->stop(); });
    graph_.reset();
}

void Form1::RunPlayer() {
    Beacon8.enable();
    runGraph();
}

void Form1::StopPlayer() {
    Beacon8.disable();
    stopGraph();
}

void Form1::runGraph() {
    graph().run();
    runRequested_ = true;
    notRunningSince_ = -1;
}

void Form1::stopGraph() {
    runRequested_ = false;
    graph().stop();
}

// The position the progress display shows. It never passes the length, so at the end "Label2"
// reads exactly as "Label3" and the time left is exactly 0. A player asked to run that has
// stood still short of its length for a second has ended there: it counts as played out, so
// the transmitter cannot stay keyed on a stream that ended early.
double Form1::playedPosition() {
    AudioPlayer& g = graph();
    const double length = g.duration();
    const double pos = std::clamp(g.position(), 0.0, length);
    if (!runRequested_ || g.running() || pos >= length) {
        notRunningSince_ = -1;
        return pos;
    }
    const std::int64_t now = clock().tickCount();
    if (notRunningSince_ < 0) notRunningSince_ = now;
    return now - notRunningSince_ >= kStalledEndMs ? length : pos;
}

void Form1::wireGraphControls() {
    V1.onChange([this] { onVolumeChange(); });
    V2.onChange([this] { onSpeedChange(); });
    H1.onChange([this] { onPositionScroll(); });
}

void Form1::onVolumeChange() {
    step([&] { VolSet.setText(std::to_string(V1.value())); });
    step([&] { graph().setVolume(V1.value()); });
    step([&] { TempVolSet.setText(std::to_string(V1.value())); });
}

void Form1::onSpeedChange() {
    step([&] { graph().setRate(V2.value() / 100.0); });
    step([&] { SpeedSet.setText(std::to_string(V2.value())); });
}

void Form1::onPositionScroll() {
    if (progressWriting_) return;   // the progress display follows playback; only a drag seeks
    step([&] {
        if (H1.value() > H1.max()) throw std::out_of_range("beyond the end of the file");
        graph().setPosition(H1.value());
    });
}

// The delay routines block the whole program, as the transmitter's key-up and tail need.
void Form1::Sleep() {
    if (AddDelay.value() == 1) clock().sleepFor(timing::kKeyUpDelayMs);
}

void Form1::Sleep2() {
    if (AddDelay.value() == 1) clock().sleepFor(timing::kTailDelay1Ms);
}

void Form1::Sleep3() {
    if (AddDelay.value() == 1) clock().sleepFor(timing::kTailDelay2Ms);
}

void Form1::Wait(long TimeToWait) {
    const std::int64_t start = clock().tickCount();
    const std::int64_t span = static_cast<std::int64_t>(TimeToWait) * 1000;
    if (span > std::numeric_limits<std::int32_t>::max() || span < std::numeric_limits<std::int32_t>::min())
        throw std::overflow_error("Wait: too long");
    for (;;) {
        if (start + span < clock().tickCount()) return;
        loop().doEvents();
        clock().sleepFor(1);   // lets the tick count move, without spinning the processor
    }
}
