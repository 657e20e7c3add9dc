// Speaking text files, and the word-replacement table that makes abbreviations sound right.
#include <exception>
#include <fstream>
#include <iterator>

#include "app/app.h"
#include "core/step.h"
#include "core/text.h"
#include "dtmfplayer/dtmf_player_window.h"

namespace {
// Where a text is not UTF-8 it was written in the old Windows code page.
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

// Lines end at CR, CR LF or LF; each line is one stretch of text, so lines are joined with a blank
// and the last word of one line never runs into the first of the next. Empty lines add nothing.
// Reading stops once there is more than the status box can hold.
std::optional<std::string> Form23::readTextFile(const std::string& path, size_t maxChars) {
    if (path.empty()) return std::nullopt;
    std::ifstream in(path, std::ios::binary);
    if (!in) return std::nullopt;
    std::string joined, line;
    auto endLine = [&] {
        if (line.empty()) return;
        if (!joined.empty()) joined += ' ';
        joined += line;
        line.clear();
    };
    char c;
    while (in.get(c) && joined.size() <= maxChars * 4) {
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

void Form23::playTextFile(Request from) {
    setText1("");
    const std::string path = WhereIsFile.empty() ? WhereIsFile : app().mapPath(WhereIsFile);
    const std::optional<std::string> text = readTextFile(path, kText1Length);
    if (!text) {
        reportOrLog(from, WhereIsFile + " <-- " + kFileNotFound + " ");
        return;
    }
    setText1(*text);
    try {
        Convtxt();
        speak(Text1.text());
    } catch (const ProgramEnded&) {
        throw;
    } catch (const std::exception& e) {
        reportOrLog(from, WhereIsFile + " <-- could not be spoken (" + e.what() + ") ");
    }
}

std::string Form23::replaceWords(std::string text, const std::vector<std::pair<std::string, std::string>>& rows) {
    for (const auto& [word, by] : rows) {
        if (word.empty()) continue;
        std::string out;
        size_t from = 0;
        for (size_t at = text.find(word); at != std::string::npos; at = text.find(word, from)) {
            out.append(text, from, at - from);
            out += by;
            from = at + word.size();
        }
        out.append(text, from, std::string::npos);
        text = std::move(out);
    }
    return text;
}

// Row by row, each on the result of the rows before it; the box is cut to its length after each.
void Form23::Convtxt() {
    for (int k = 1; k <= kWordRows; ++k)
        setText1(replaceWords(Text1.text(), {{word(k).text(), replacement(k).text()}}));
}
