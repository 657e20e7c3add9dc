#pragma once
// Form121: the short-warning parser. Builds a short sentence from fixed fields of the text that
// follows the tag "RADREGION:" in the weather program's warning file.
#include <array>
#include <string>

#include "weather/parser_window.h"

class Form114;

// The sentence that says no warning is in force.
std::string noWarningsText(Form114& w);
// The short sentence made of the six kept fields (2, 3, 4, 6, 7 and 8 of a split).
std::string shortWarningSentence(Form114& w, const std::array<std::string, 6>& kept);

// What the three warning windows share: the file, its absence, the six kept fields.
class WarningParserWindow : public ParserWindow {
public:
    using ParserWindow::ParserWindow;
    // No warning is in force: item 1 of the last split reads "0 -->", or the split has no item 1.
    bool noWarningInForce() const { return !hasField(1) || markerSaysNoWarning(); }
    // The file's own marker, item 1 of the split, says that no warning is in force.
    bool markerSaysNoWarning() const { return hasField(1) && field(1) == "0 -->"; }

protected:
    std::string sourcePath() override;
    // The weather program removes the file while no warning is in force: that reads as no warning.
    void fileMissing(const std::string& path) override;
    void fileFound() override;
    std::array<std::string, 6> keepSixFields() const;
};

class Form121 : public WarningParserWindow {
public:
    explicit Form121(FormHost& host);
    void SortForcast() override;
    const std::array<std::string, 6>& kept() const { return kept_; }

protected:
    std::string cutAfterTag(const std::string& joined) override;
    const Replacements& replacements() const override;

private:
    std::array<std::string, 6> kept_{};
};
