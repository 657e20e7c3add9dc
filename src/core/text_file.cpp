#include "core/text_file.h"

#include <fstream>
#include <string_view>

namespace {
// Bytes 0x80 to 0x9F of Windows-1252; the rest of the high half is Latin-1.
const char32_t kCp1252High[32] = {0x20AC, 0xFFFD, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                  0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0xFFFD, 0x017D, 0xFFFD,
                                  0xFFFD, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                  0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0xFFFD, 0x017E, 0x0178};

bool validUtf8(const std::string& s) {
    size_t i = 0;
    while (i < s.size()) {
        const auto c = static_cast<unsigned char>(s[i]);
        size_t n = c < 0x80 ? 0 : (c >> 5) == 0x6 ? 1 : (c >> 4) == 0xE ? 2 : (c >> 3) == 0x1E ? 3 : 99;
        if (n == 99 || (n == 1 && c < 0xC2) || (n > 0 && i + n >= s.size())) return false;
        for (size_t j = 1; j <= n; ++j)
            if ((static_cast<unsigned char>(s[i + j]) & 0xC0) != 0x80) return false;
        i += n + 1;
    }
    return true;
}

void appendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

std::string toUtf8(const std::string& s) {
    if (validUtf8(s)) return s;
    std::string out;
    for (const char ch : s) {
        const auto c = static_cast<unsigned char>(ch);
        appendUtf8(out, c >= 0x80 && c < 0xA0 ? kCp1252High[c - 0x80] : static_cast<char32_t>(c));
    }
    return out;
}
}  // namespace

std::optional<std::string> readSpokenTextFile(const std::string& path, size_t maxChars) {
    if (path.empty()) return std::nullopt;
    std::ifstream in(path, std::ios::binary);
    if (!in) return std::nullopt;
    // Up to four bytes a character in UTF-8.
    const size_t maxBytes = maxChars < SIZE_MAX / 4 ? maxChars * 4 : SIZE_MAX;
    std::string joined, line;
    auto endLine = [&] {
        if (line.empty()) return;
        if (!joined.empty()) joined += ' ';
        joined += line;
        line.clear();
    };
    // A UTF-8 byte-order mark says how the file is written; it is no part of the text.
    char mark[3];
    if (!in.read(mark, 3) || std::string_view(mark, 3) != "\xEF\xBB\xBF") {
        in.clear();
        in.seekg(0);
    }
    char c;
    while (joined.size() <= maxBytes && in.get(c)) {
        if (c == '\r') {
            if (in.peek() == '\n') in.get(c);
            endLine();
        } else if (c == '\n') {
            endLine();
        } else {
            line += c;
        }
    }
    if (in.bad()) return std::nullopt;
    endLine();
    return toUtf8(joined);
}
