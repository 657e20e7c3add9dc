#include "weather/warning_summary_window.h"

#include "core/text.h"
#include "weather/weather_window.h"

Form113::Form113(FormHost& host) : WarningParserWindow(host, "Form113", "C:\\wxex\\data\\warning.txt") {}

std::string Form113::cutAfterTag(const std::string& joined) {
    return fromCharacter(joined, instr(joined, "WarningSum:") + 11);
}

const ParserWindow::Replacements& Form113::replacements() const {
    static const Replacements list = {{"WarningMsg:", ":"}, {"T -Storms", " Thunder Storms "},
                                      {"T-Storms", " Thunder Storms "}, {"*", ":"},
                                      {" am", " A M"},      {" Edt ", " E D T "},
                                      {" EDT ", " E D T "}, {" edt ", " E D T "},
                                      {". ", ":"}};
    return list;
}

void Form113::SortForcast() {
    splitIntoList();
    summary_ = field(0);
    Form114& w = weather();
    // A summary that is the whole text (nothing after it) is still a summary: only the file's
    // marker, or the file being gone, says that no warning is in force.
    if (!fileWasRead() || markerSaysNoWarning()) {
        w.Text5.setText(noWarningsText(w));
        return;
    }
    if (summary_.empty() || summary_ == "nce") summary_ = " : Sorry no summery available ";
    w.Text5.setText(w.StartMessage3.text() + summary_ + " . " + w.EndMessage3.text());
}
