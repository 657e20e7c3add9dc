#pragma once
// The conversions and string work the windows assume, in one place.
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

// Raised when a text does not convert (an empty or non-numeric box read as a number).
class ConversionError : public std::runtime_error {
public:
    explicit ConversionError(const std::string& what) : std::runtime_error(what) {}
};

// Strict reads: blanks around the number are allowed, anything else fails.
std::optional<double> toNumber(std::string_view text);
bool isNumeric(std::string_view text);
double toDouble(std::string_view text);          // throws ConversionError
long toLong(std::string_view text);              // rounds half to even; throws ConversionError
int toInt(std::string_view text);                // as toLong, range of int
// A number made whole (towards zero) and held inside the range of int / long: a stored value
// too large for either gives the nearest end, never undefined behaviour; not-a-number gives 0.
int clampToInt(double v);
long clampToLong(double v);
// Lenient read of the leading number (blanks skipped, stops at the first other character, 0 if none).
double val(std::string_view text);
// Boolean settings values: "True"/"False" in any case, or a number (non-zero is true).
std::optional<bool> toBool(std::string_view text);
const char* boolText(bool b);                    // "True" / "False"
std::string numberText(double v);                // 5 -> "5", 1.5 -> "1.5"

// 1-based string functions whose bounds forgive: a start or length past the end gives what is there, never a fault.
std::string mid(std::string_view s, long start, long length = -1);
std::string left(std::string_view s, long n);
std::string right(std::string_view s, long n);
long instr(std::string_view s, std::string_view find, long start = 1);   // 0 when absent
long instrNoCase(std::string_view s, std::string_view find, long start = 1);
std::string ucase(std::string_view s);
std::string lcase(std::string_view s);
std::string trim(std::string_view s);            // blanks only, as the toolkit trims
std::string ltrim(std::string_view s);
std::string rtrim(std::string_view s);
std::string trimWhitespace(std::string_view s);  // blanks, tabs, CR and LF
std::string replaceAll(std::string_view s, std::string_view from, std::string_view to);
bool equalsNoCase(std::string_view a, std::string_view b);
bool startsWith(std::string_view s, std::string_view prefix);
bool endsWith(std::string_view s, std::string_view suffix);
std::string quoted(std::string_view s);
// A log kept in a text box: `entry` appended, and the oldest whole lines dropped while the text
// is longer than `maxChars`, so a busy station's log neither grows nor slows without bound.
constexpr size_t kLogBoxChars = 64 * 1024;
std::string appendToLog(std::string_view log, std::string_view entry, size_t maxChars = kLogBoxChars);          // "..." with C-style escapes, for the transcript
