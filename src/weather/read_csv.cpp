#include "weather/read_csv.h"

#include <cstddef>

namespace ReadCSV {
namespace {

// 1-based position of `find` in `s` from `start` on, 0 when absent. Never reads outside `s`.
long positionOf(std::string_view s, std::string_view find, long start) {
    if (find.empty() || start < 1) return 0;
    const auto from = static_cast<std::size_t>(start - 1);
    if (from >= s.size()) return 0;
    const auto at = s.find(find, from);
    return at == std::string_view::npos ? 0 : static_cast<long>(at) + 1;
}

void checkPosition(long position) {
    if (position > kLargestPosition) throw OverflowError("ParseCSV: position beyond 32767");
}

std::string_view withoutLeadingBlanks(std::string_view s) {
    std::size_t b = 0;
    while (b < s.size() && s[b] == ' ') ++b;
    return s.substr(b);
}

}  // namespace

std::vector<std::string> ParseCSV(std::string_view line, std::string_view delimit, std::string_view quote) {
    std::vector<std::string> fields;
    std::string_view rest = line;
    for (;;) {
        std::string field;
        bool last = false;
        long cut = 0;
        const std::string_view trimmed = withoutLeadingBlanks(rest);
        const bool quoted = !rest.empty() && !quote.empty() && !trimmed.empty() && trimmed.substr(0, 1) == quote;
        if (quoted) {
            rest = trimmed;
            if (rest.size() == 1) {
                last = true;
            } else {
                long closing = positionOf(rest, quote, 2);
                if (closing == 0) closing = static_cast<long>(rest.size()) + 1;
                checkPosition(closing);
                field = std::string(rest.substr(1, static_cast<std::size_t>(closing - 2)));
                if (closing >= static_cast<long>(rest.size())) {
                    last = true;
                } else {
                    checkPosition(closing + 1);
                    cut = positionOf(rest, delimit, closing + 1);
                    checkPosition(cut);
                    if (cut == 0) last = true;
                }
            }
        } else if (rest.empty()) {
            last = true;
        } else {
            cut = positionOf(rest, delimit, 1);
            if (cut == 0) {
                checkPosition(static_cast<long>(rest.size()) + 1);
                field = std::string(rest);
                last = true;
            } else {
                checkPosition(cut);
                field = std::string(rest.substr(0, static_cast<std::size_t>(cut - 1)));
            }
        }
        if (!last) rest = rest.substr(static_cast<std::size_t>(cut));
        fields.push_back(std::move(field));
        if (static_cast<long>(fields.size()) > kLargestPosition) throw OverflowError("ParseCSV: more than 32767 fields");
        if (last) return fields;
    }
}

}  // namespace ReadCSV
