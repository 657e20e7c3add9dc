#include "weather/warning_parser_window.h"

#include "app/app.h"
#include "core/text.h"
#include "weather/weather_window.h"

std::string noWarningsText(Form114& w) { return "There are no warnings at this time. " + w.EndMessage3.text(); }

std::string shortWarningSentence(Form114& w, const std::array<std::string, 6>& kept) {
    return w.StartMessage3.text() + ". " + kept[0] + " at " + kept[1] + ":" + kept[2] + " . " + kept[3] + " . " +
           kept[4] + " . " + kept[5] + " . " + w.EndMessage3.text();
}

std::string WarningParserWindow::sourcePath() { return app().mapPath(weather().WhereIsFile3.text()); }

void WarningParserWindow::fileMissing(const std::string& path) { weather().warningFileMissing(path); }
void WarningParserWindow::fileFound() { weather().warningFileFound(); }

// Every run starts clean: a field this file does not give is empty, never an earlier warning's.
std::array<std::string, 6> WarningParserWindow::keepSixFields() const {
    return {field(2), field(3), field(4), field(6), field(7), field(8)};
}

Form121::Form121(FormHost& host) : WarningParserWindow(host, "Form121", "C:\\wxex\\data\\warning.txt") {}

std::string Form121::cutAfterTag(const std::string& joined) {
    return fromCharacter(joined, instr(joined, "RADREGION:") + 12);
}

const ParserWindow::Replacements& Form121::replacements() const {
    static const Replacements list = {{"T -Storms", " Thunder Storms "}, {"T-Storms", " Thunder Storms "},
                                      {"WarningType:", ":"},             {"WarningDesc:", ":"},
                                      {"WarningDate:", ":"},             {"WarningSum:", ":"},
                                      {"*", ":"},                        {" am", " A M"},
                                      {". ", ":"}};
    return list;
}

void Form121::SortForcast() {
    splitIntoList();
    kept_ = keepSixFields();
    Form114& w = weather();
    w.Text5.setText(noWarningInForce() ? noWarningsText(w) : shortWarningSentence(w, kept_));
}
