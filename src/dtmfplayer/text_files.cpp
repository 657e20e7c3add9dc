// Speaking text files, and the word-replacement table that makes abbreviations sound right.
#include <exception>

#include "app/app.h"
#include "core/step.h"
#include "core/text_file.h"
#include "core/text.h"
#include "dtmfplayer/dtmf_player_window.h"

void Form23::playTextFile(Request from) {
    setText1("");
    const std::string path = WhereIsFile.empty() ? WhereIsFile : app().mapPath(WhereIsFile);
    std::string why;
    const std::optional<std::string> text = readSpokenTextFile(path, kText1Length, &why);
    if (!text) {
        reportOrLog(from, WhereIsFile + " <-- " + kFileNotFound + (why.empty() ? " " : " (" + why + ") "));
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
