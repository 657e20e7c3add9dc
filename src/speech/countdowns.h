#pragma once
// Period boxes and countdown labels of the idents window. Periods and countdowns are compared
// by value ("00" acts as "0"); a countdown acts at or below zero.
#include <string>

#include "core/controls.h"
#include "core/text.h"

namespace countdowns {

// An empty period, zero or below: off.
inline bool emptyOrZero(const std::string& text) {
    if (trim(text).empty()) return true;
    const auto n = toNumber(text);
    return n && *n <= 0;
}

inline bool isZero(const std::string& text) { return !trim(text).empty() && emptyOrZero(text); }

// The box's minutes as seconds; throws when the box is not a number.
inline std::string minutesInSeconds(const TextBox& period) { return numberText(toDouble(period.text()) * 60); }

// A caption that is not a number never acts.
inline bool due(const Label& countdown) {
    const auto n = toNumber(countdown.caption());
    return n && *n <= 0;
}

// One second less; throws when the caption is not a number.
inline void countDown(Label& countdown) { countdown.setCaption(numberText(toDouble(countdown.caption()) - 1)); }

}  // namespace countdowns
