// DTMF commands and playing a slot. The kind of a slot is read from its location's text when it
// is played: ends in "txt" a text file, else begins with "http" a web page, else an audio file.
#include <exception>
#include <optional>

#include "app/app.h"
#include "beacons/beacon_set1_window.h"
#include "core/step.h"
#include "core/text.h"
#include "dtmfplayer/dtmf_player_window.h"
#include "platform/dialogs.h"
#include "player/player_window.h"

namespace {
// Runs one hand-over; a failure is logged and the caller goes on with the next.
template <class F>
void orLog(Form& form, const std::string& what, F&& f) {
    stepOr(std::forward<F>(f), [&](const std::string& why) { form.LogError(what + " failed (" + why + ") "); });
}
}  // namespace

void Form23::EchoLink_DTMFString(const std::string& sDigits) {
    // Codes are compared whole, case and blanks counting; an empty code or an empty string never matches.
    if (!sDigits.empty()) {
        for (int k = 1; k <= kSlots; ++k) {
            if (code(k).text().empty() || code(k).text() != sDigits) continue;
            orLog(*this, "DTMF player slot " + std::to_string(k), [&] { PlaySlot(k, Request::Dtmf); });
        }
    }
    orLog(*this, "DTMF player volume \"" + VolSet.text() + "\"", [&] { V1.setValue(toInt(VolSet.text())); });
}

void Form23::PlaySlot(int k, Request from) {
    const std::string L = location(k).text();
    TempText = L;
    if (endsWith(L, "txt")) {
        WhereIsFile = L;
        playTextFile(from);
    } else if (startsWith(L, "http")) {
        playWebPage(k, L, from);
    } else {
        playAudioFile(k, L, from);
    }
}

void Form23::playAudioFile(int k, const std::string& path, Request from) {
    // Only the sysop can be asked for a file; a listener's request for an empty slot is logged.
    if (path.empty() && from == Request::Dtmf) {
        LogError("DTMF player slot " + std::to_string(k) + " has no file location; nothing is played ");
        return;
    }
    setText1("Playing Audio File");
    Form1& player = app().form1();
    player.txtFile.setText(path.empty() ? path : app().mapPath(path));
    player.TempVolSet.setText(VolSet.text());
    // The sysop at the Play button is there to choose a file for an empty slot.
    std::optional<Form1::OperatorAsks> asking;
    if (from == Request::Operator) asking.emplace(player);
    startPlayer(player);
}

void Form23::speak(const std::string& text) {
    Form111& speaker = app().form111();
    speaker.TempText = text;
    speaker.TestTTW();
}

// A message box for the sysop at the window; a line in the error log when nobody is there to answer.
void Form23::reportOrLog(Request from, const std::string& logLine) {
    if (from == Request::Dtmf)
        LogError(logLine);
    else
        app().dialogs().messageBox(App::kProductName, kFileNotFound, MsgButtons::Ok, MsgIcon::None);
}
