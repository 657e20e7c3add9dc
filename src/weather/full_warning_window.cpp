#include "weather/full_warning_window.h"

#include "core/text.h"
#include "weather/weather_window.h"

Form122::Form122(FormHost& host) : WarningParserWindow(host, "Form122", "C:\\wxex\\data\\warning.txt") {}

std::string Form122::cutAfterTag(const std::string& joined) {
    return fromCharacter(joined, instr(joined, "WarningMsg:") + 11);
}

// The message may carry markup; its brackets and marks are blanked so that only words are spoken.
const ParserWindow::Replacements& Form122::replacements() const {
    static const Replacements list = {{"/pre", " "},          {"<", " "},
                                      {">", " "},             {"!", " "},
                                      {"T -Storms", " Thunder Storms "}, {"T-Storms", " Thunder Storms "},
                                      {"WarningType:", ":"},  {"WarningDesc:", ":"},
                                      {"WarningDate:", ":"},  {"WarningSum:", ":"},
                                      {"*", ":"},             {" am", " A M"},
                                      {". ", ":"}};
    return list;
}

void Form122::SortForcast() {
    splitIntoList();
    kept_ = keepSixFields();
    Form114& w = weather();
    if (noWarningInForce()) {
        w.Text5.setText(noWarningsText(w));
    } else if (w.Check4.value() == 1) {
        w.Text5.setText(w.StartMessage3.text() + " . " + editParse.text() + " . " + w.EndMessage3.text());
    } else {
        w.Text5.setText(shortWarningSentence(w, kept_));
    }
}
