#include "core/text_file.h"

#include "core/file_read.h"

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

// A read that stopped part-way may have cut the last character of UTF-8 text in two; its first
// bytes are dropped, so that the cut does not make the whole text look like the old code page.
void dropCutCharacter(std::string& bytes) {
    for (size_t back = 1; back <= 3 && back <= bytes.size(); ++back) {
        const auto c = static_cast<unsigned char>(bytes[bytes.size() - back]);
        if ((c & 0xC0) == 0x80) continue;   // a continuation byte: look further back
        const size_t length = c >= 0xF0 ? 4 : c >= 0xE0 ? 3 : c >= 0xC0 ? 2 : 1;
        if (length > back) bytes.resize(bytes.size() - back);
        return;
    }
}
}  // namespace

std::optional<std::string> readSpokenTextFile(const std::string& path, size_t maxChars, std::string* why) {
    // Up to four bytes a character in UTF-8, and the byte-order mark before them; line breaks
    // count too, so a file of one endless line, or of endless empty lines, costs no more.
    const size_t maxBytes = maxChars < SIZE_MAX / 4 - 3 ? maxChars * 4 + 3 : SIZE_MAX;
    FileRead file = readFileHead(path, maxBytes);
    if (!file.ok) {
        if (why && file.existed) *why = file.why;
        return std::nullopt;
    }
    std::string& bytes = file.bytes;
    if (!file.whole) dropCutCharacter(bytes);
    // A UTF-8 byte-order mark says how the file is written; it is no part of the text.
    const size_t start = bytes.compare(0, 3, "\xEF\xBB\xBF") == 0 ? 3 : 0;
    std::string joined, line;
    auto endLine = [&] {
        if (line.empty()) return;
        if (!joined.empty()) joined += ' ';
        joined += line;
        line.clear();
    };
    for (size_t i = start; i < bytes.size(); ++i) {
        const char c = bytes[i];
        if (c == '\r') {
            if (i + 1 < bytes.size() && bytes[i + 1] == '\n') ++i;
            endLine();
        } else if (c == '\n') {
            endLine();
        } else {
            line += c;
        }
    }
    endLine();
    return toUtf8(joined);
}
