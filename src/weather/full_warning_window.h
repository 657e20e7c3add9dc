#pragma once
// Form122: the full-warning parser. Speaks the message that follows the tag "WarningMsg:", whole
// while the weather window's Check4 is ticked, or else as a short sentence.
#include <array>
#include <string>

#include "weather/warning_parser_window.h"

class Form122 : public WarningParserWindow {
public:
    explicit Form122(FormHost& host);
    void SortForcast() override;
    const std::array<std::string, 6>& kept() const { return kept_; }

protected:
    std::string cutAfterTag(const std::string& joined) override;
    const Replacements& replacements() const override;

private:
    std::array<std::string, 6> kept_{};
};
