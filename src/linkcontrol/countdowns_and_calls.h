#pragma once
// Small reads the connect-control window makes everywhere: ticked boxes, callsigns as EchoLink
// gets them, and countdown labels that hold a number of seconds as text.
#include <string>

#include "core/controls.h"
#include "core/text.h"

namespace linkcontrol {

// A box counts as ticked only at 1; a greyed box (2) does not.
inline bool ticked(const CheckBox& box) { return box.value() == 1; }

// Callsigns reach EchoLink trimmed; Connect and Disconnect get them in capitals.
inline std::string callOf(const TextBox& box) { return trim(box.text()); }
inline std::string upperCallOf(const TextBox& box) { return ucase(trim(box.text())); }

// The minutes in `minutes` times 60, written into `seconds` as a plain number ("300" for "5").
// A text that is not a number leaves the label as it was.
inline void setSecondsFromMinutes(Label& seconds, const TextBox& minutes) {
    if (const auto n = toNumber(minutes.text())) seconds.setCaption(numberText(*n * 60));
}

// Periods are compared by value: "0" and "00" both read as zero.
inline bool readsZero(const std::string& text) {
    const auto n = toNumber(text);
    return n && *n == 0;
}

// A countdown acts at or below zero, so a count that was pushed past zero still ends.
inline bool runOut(const Label& countdown) {
    const auto n = toNumber(countdown.caption());
    return n && *n <= 0;
}

// One second off a countdown; throws (and changes nothing) when the label holds no number.
inline void countDown(Label& countdown) {
    countdown.setCaption(numberText(toDouble(countdown.caption()) - 1));
}

}  // namespace linkcontrol
