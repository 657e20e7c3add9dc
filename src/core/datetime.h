#pragma once
// Dates and times in the forms the station compares as text.
#include <optional>
#include <string>

#include "core/clock.h"

struct CivilTime {
    int year = 1970, month = 1, day = 1;
    int hour = 0, minute = 0, second = 0, millisecond = 0;
};

CivilTime toCivil(LocalMs t);
LocalMs fromCivil(const CivilTime& c);

std::string timeText(LocalMs t);        // "hh:mm:ss", 24-hour
std::string shortDate(LocalMs t);       // "dd/mm/yyyy"
std::string stampText(LocalMs t);       // "hh:mm:ss.mmm", the transcript's clock
int weekday(LocalMs t);                 // 1 = Sunday ... 7 = Saturday
int hourOf(LocalMs t);
int minuteOf(LocalMs t);
int secondOf(LocalMs t);

// "YYYY-MM-DD hh:mm:ss" (seconds optional); nothing when it does not parse.
std::optional<LocalMs> parseDateTime(const std::string& text);
