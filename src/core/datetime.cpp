#include "core/datetime.h"

#include <cstdio>

namespace {
// Howard Hinnant's days-from-civil algorithms: exact over the proleptic Gregorian calendar.
long long daysFromCivil(long long y, unsigned m, unsigned d) {
    y -= m <= 2;
    const long long era = (y >= 0 ? y : y - 399) / 400;
    const unsigned yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<long long>(doe) - 719468;
}

void civilFromDays(long long z, int& y, int& m, int& d) {
    z += 719468;
    const long long era = (z >= 0 ? z : z - 146096) / 146097;
    const unsigned doe = static_cast<unsigned>(z - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    d = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    m = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    y = static_cast<int>(static_cast<long long>(yoe) + era * 400 + (m <= 2));
}

long long floorDiv(long long a, long long b) { return a / b - ((a % b != 0) && ((a < 0) != (b < 0))); }
}  // namespace

CivilTime toCivil(LocalMs t) {
    CivilTime c;
    const long long days = floorDiv(t, 86400000LL);
    long long rest = t - days * 86400000LL;
    civilFromDays(days, c.year, c.month, c.day);
    c.hour = static_cast<int>(rest / 3600000);
    rest %= 3600000;
    c.minute = static_cast<int>(rest / 60000);
    rest %= 60000;
    c.second = static_cast<int>(rest / 1000);
    c.millisecond = static_cast<int>(rest % 1000);
    return c;
}

LocalMs fromCivil(const CivilTime& c) {
    return daysFromCivil(c.year, static_cast<unsigned>(c.month), static_cast<unsigned>(c.day)) * 86400000LL +
           c.hour * 3600000LL + c.minute * 60000LL + c.second * 1000LL + c.millisecond;
}

std::string timeText(LocalMs t) {
    const CivilTime c = toCivil(t);
    char buf[16];
    std::snprintf(buf, sizeof buf, "%02d:%02d:%02d", c.hour, c.minute, c.second);
    return buf;
}

std::string shortDate(LocalMs t) {
    const CivilTime c = toCivil(t);
    char buf[16];
    std::snprintf(buf, sizeof buf, "%02d/%02d/%04d", c.day, c.month, c.year);
    return buf;
}

std::string stampText(LocalMs t) {
    const CivilTime c = toCivil(t);
    char buf[20];
    std::snprintf(buf, sizeof buf, "%02d:%02d:%02d.%03d", c.hour, c.minute, c.second, c.millisecond);
    return buf;
}

int weekday(LocalMs t) {
    const long long days = floorDiv(t, 86400000LL);  // 1970-01-01 was a Thursday (5)
    return static_cast<int>(((days % 7) + 7 + 4) % 7) + 1;
}

int hourOf(LocalMs t) { return toCivil(t).hour; }
int minuteOf(LocalMs t) { return toCivil(t).minute; }
int secondOf(LocalMs t) { return toCivil(t).second; }

std::optional<LocalMs> parseDateTime(const std::string& text) {
    // Exactly "YYYY-MM-DD hh:mm:ss" (the seconds may be left off), a day the month has.
    if (text.size() != 19 && text.size() != 16) return std::nullopt;
    const std::string shape = std::string("9999-99-99 99:99:99").substr(0, text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        const bool digit = text[i] >= '0' && text[i] <= '9';
        if (shape[i] == '9' ? !digit : text[i] != shape[i]) return std::nullopt;
    }
    auto number = [&](size_t at, size_t width) {
        int v = 0;
        for (size_t i = at; i < at + width; ++i) v = v * 10 + (text[i] - '0');
        return v;
    };
    CivilTime c;
    c.year = number(0, 4);
    c.month = number(5, 2);
    c.day = number(8, 2);
    c.hour = number(11, 2);
    c.minute = number(14, 2);
    c.second = text.size() == 19 ? number(17, 2) : 0;
    static const int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (c.month < 1 || c.month > 12) return std::nullopt;
    const bool leap = (c.year % 4 == 0 && c.year % 100 != 0) || c.year % 400 == 0;
    const int days = kDays[c.month - 1] + (c.month == 2 && leap ? 1 : 0);
    if (c.day < 1 || c.day > days || c.hour > 23 || c.minute > 59 || c.second > 59) return std::nullopt;
    return fromCivil(c);
}
