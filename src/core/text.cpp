#include "core/text.h"

#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <limits>

namespace {
bool isBlank(char c) { return c == ' '; }

// Parses sign, digits and one decimal point, with an optional exponent. Returns the characters used.
size_t scanNumber(std::string_view s, size_t i, std::string& out) {
    const size_t start = i;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) out += s[i++];
    bool digits = false, point = false;
    while (i < s.size()) {
        const char c = s[i];
        if (std::isdigit(static_cast<unsigned char>(c))) {
            digits = true;
            out += c;
        } else if (c == '.' && !point) {
            point = true;
            out += c;
        } else {
            break;
        }
        ++i;
    }
    if (!digits) {
        out.clear();
        return 0;
    }
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
        size_t j = i + 1;
        std::string exp = "e";
        if (j < s.size() && (s[j] == '+' || s[j] == '-')) exp += s[j++];
        const size_t expDigitsStart = j;
        while (j < s.size() && std::isdigit(static_cast<unsigned char>(s[j]))) exp += s[j++];
        if (j > expDigitsStart) {
            out += exp;
            i = j;
        }
    }
    return i - start;
}

// Labels and boxes hold whole numbers that timers read every tick: a plain integer of up to 15
// digits is exact in a double and needs no general parse.
std::optional<double> plainInteger(std::string_view s) {
    size_t i = s[0] == '-' || s[0] == '+' ? 1 : 0;
    if (i == s.size() || s.size() - i > 15) return std::nullopt;
    std::int64_t v = 0;
    for (size_t k = i; k < s.size(); ++k) {
        const char c = s[k];
        if (c < '0' || c > '9') return std::nullopt;
        v = v * 10 + (c - '0');
    }
    return s[0] == '-' ? -static_cast<double>(v) : static_cast<double>(v);
}
}  // namespace

std::optional<double> toNumber(std::string_view text) {
    size_t b = 0, e = text.size();
    while (b < e && (isBlank(text[b]) || text[b] == '\t')) ++b;
    while (e > b && (isBlank(text[e - 1]) || text[e - 1] == '\t')) --e;
    if (b == e) return std::nullopt;
    if (auto whole = plainInteger(text.substr(b, e - b))) return whole;
    std::string num;
    const size_t used = scanNumber(text, b, num);
    if (used == 0 || b + used != e) return std::nullopt;
    const double v = std::strtod(num.c_str(), nullptr);
    if (!std::isfinite(v)) return std::nullopt;
    return v;
}

bool isNumeric(std::string_view text) { return toNumber(text).has_value(); }

double toDouble(std::string_view text) {
    auto v = toNumber(text);
    if (!v) throw ConversionError("not a number: \"" + std::string(text) + "\"");
    return *v;
}

long toLong(std::string_view text) {
    const double v = toDouble(text);
    const double r = std::nearbyint(v);  // default rounding mode: half to even
    if (r > static_cast<double>(std::numeric_limits<long>::max()) ||
        r < static_cast<double>(std::numeric_limits<long>::min()))
        throw ConversionError("number out of range: \"" + std::string(text) + "\"");
    return static_cast<long>(r);
}

int toInt(std::string_view text) {
    const long v = toLong(text);
    if (v > std::numeric_limits<int>::max() || v < std::numeric_limits<int>::min())
        throw ConversionError("number out of range: \"" + std::string(text) + "\"");
    return static_cast<int>(v);
}

int clampToInt(double v) {
    if (std::isnan(v)) return 0;
    if (v >= static_cast<double>(std::numeric_limits<int>::max())) return std::numeric_limits<int>::max();
    if (v <= static_cast<double>(std::numeric_limits<int>::min())) return std::numeric_limits<int>::min();
    return static_cast<int>(v);
}

long clampToLong(double v) {
    if (std::isnan(v)) return 0;
    // The largest long is not a double; the double just below 2^63 is the largest that converts.
    if (v >= 9223372036854775807.0) return std::numeric_limits<long>::max();
    if (v <= -9223372036854775808.0) return std::numeric_limits<long>::min();
    return static_cast<long>(v);
}

double val(std::string_view text) {
    if (!text.empty())
        if (auto whole = plainInteger(text)) return *whole;
    std::string compact;
    for (char c : text)
        if (c != ' ' && c != '\t' && c != '\n' && c != '\r') compact += c;
    std::string num;
    if (scanNumber(compact, 0, num) == 0) return 0.0;
    const double v = std::strtod(num.c_str(), nullptr);
    return std::isfinite(v) ? v : 0.0;
}

std::optional<bool> toBool(std::string_view text) {
    const std::string t = trim(text);
    if (equalsNoCase(t, "true")) return true;
    if (equalsNoCase(t, "false")) return false;
    if (auto v = toNumber(t)) return *v != 0.0;
    return std::nullopt;
}

const char* boolText(bool b) { return b ? "True" : "False"; }

std::string numberText(double v) {
    char buf[40];
    if (std::nearbyint(v) == v && std::fabs(v) < 1e15) {
        if (v == 0 && std::signbit(v)) return "-0";   // as "%.0f" writes it
        const auto end = std::to_chars(buf, buf + sizeof buf, static_cast<std::int64_t>(v)).ptr;
        return std::string(buf, end);
    }
    // The same text as "%.15g", without the cost of printf on every tick of a playing file.
    const auto end = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::general, 15).ptr;
    return std::string(buf, end);
}

std::string mid(std::string_view s, long start, long length) {
    if (start < 1) start = 1;
    const auto from = static_cast<size_t>(start - 1);
    if (from >= s.size()) return {};
    if (length < 0) return std::string(s.substr(from));
    return std::string(s.substr(from, static_cast<size_t>(length)));
}

std::string left(std::string_view s, long n) {
    if (n <= 0) return {};
    return std::string(s.substr(0, static_cast<size_t>(n)));
}

std::string right(std::string_view s, long n) {
    if (n <= 0) return {};
    if (static_cast<size_t>(n) >= s.size()) return std::string(s);
    return std::string(s.substr(s.size() - static_cast<size_t>(n)));
}

long instr(std::string_view s, std::string_view find, long start) {
    if (start < 1) start = 1;
    if (static_cast<size_t>(start - 1) > s.size()) return 0;
    const auto pos = s.find(find, static_cast<size_t>(start - 1));
    return pos == std::string_view::npos ? 0 : static_cast<long>(pos) + 1;
}

long instrNoCase(std::string_view s, std::string_view find, long start) {
    return instr(ucase(s), ucase(find), start);
}

std::string ucase(std::string_view s) {
    std::string r(s);
    for (char& c : r) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return r;
}

std::string lcase(std::string_view s) {
    std::string r(s);
    for (char& c : r) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return r;
}

std::string ltrim(std::string_view s) {
    size_t b = 0;
    while (b < s.size() && s[b] == ' ') ++b;
    return std::string(s.substr(b));
}

std::string rtrim(std::string_view s) {
    size_t e = s.size();
    while (e > 0 && s[e - 1] == ' ') --e;
    return std::string(s.substr(0, e));
}

std::string trim(std::string_view s) { return ltrim(rtrim(s)); }

std::string trimWhitespace(std::string_view s) {
    auto ws = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
    size_t b = 0, e = s.size();
    while (b < e && ws(s[b])) ++b;
    while (e > b && ws(s[e - 1])) --e;
    return std::string(s.substr(b, e - b));
}

std::string replaceAll(std::string_view s, std::string_view from, std::string_view to) {
    if (from.empty()) return std::string(s);
    std::string out;
    size_t pos = 0;
    while (true) {
        const size_t hit = s.find(from, pos);
        if (hit == std::string_view::npos) break;
        out.append(s.substr(pos, hit - pos));
        out.append(to);
        pos = hit + from.size();
    }
    out.append(s.substr(pos));
    return out;
}

bool equalsNoCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (std::toupper(static_cast<unsigned char>(a[i])) != std::toupper(static_cast<unsigned char>(b[i]))) return false;
    return true;
}

bool startsWith(std::string_view s, std::string_view prefix) { return s.substr(0, prefix.size()) == prefix; }
bool endsWith(std::string_view s, std::string_view suffix) {
    return s.size() >= suffix.size() && s.substr(s.size() - suffix.size()) == suffix;
}

std::string quoted(std::string_view s) {
    std::string out = "\"";
    for (unsigned char c : s) {
        switch (c) {
            case '"': out += "\\\""; break;
            case '\\': out += "\\\\"; break;
            case '\n': out += "\\n"; break;
            case '\r': out += "\\r"; break;
            case '\t': out += "\\t"; break;
            default:
                if (c < 0x20 || c == 0x7f) {
                    char buf[8];
                    std::snprintf(buf, sizeof buf, "\\x%02x", c);
                    out += buf;
                } else {
                    out += static_cast<char>(c);
                }
        }
    }
    return out + "\"";
}

std::string appendToLog(std::string_view log, std::string_view entry, size_t maxChars) {
    size_t from = 0;
    const size_t total = log.size() + entry.size();
    if (total > maxChars) {
        // Cut after the first line end that brings the rest within bounds; an entry longer than
        // the whole bound is kept alone.
        const size_t excess = total - maxChars;
        if (excess >= log.size()) {
            from = log.size();
        } else {
            const size_t lineEnd = log.find('\n', excess - 1);
            from = lineEnd == std::string_view::npos ? log.size() : lineEnd + 1;
        }
    }
    std::string out;
    out.reserve(log.size() - from + entry.size());
    out.append(log.substr(from));
    out.append(entry);
    return out;
}
