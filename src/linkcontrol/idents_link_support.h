#pragma once
// Small reads shared by the idents window's link-control files.
#include <exception>
#include <string>

#include "core/step.h"
#include "core/text.h"
#include "speech/idents_window.h"

namespace identslink {

// A box counts as ticked only at 1; a greyed box (2) does not.
inline bool ticked(const CheckBox& box) { return box.value() == 1; }

// A callsign as EchoLink gets it: trimmed and in capitals, converted at each use.
inline std::string callOf(const TextBox& box) { return ucase(trim(box.text())); }

// A DTMF code is the whole text of its box, exact and case-sensitive; an empty box or an empty
// digit string never matches.
inline bool codeMatches(const TextBox& code, const std::string& digits) {
    return !digits.empty() && !code.text().empty() && code.text() == digits;
}

}  // namespace identslink

// A failure ends the action at that step and goes to the error log, so an unattended path
// never stops the station nor loses the failure silently.
template <class F>
void Form3::orLog(const std::string& what, F&& f) {
    stepOr(std::forward<F>(f), [&](const std::string& why) { LogError("Idents: " + what + " failed: " + why); });
}
