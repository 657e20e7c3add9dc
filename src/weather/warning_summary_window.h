#pragma once
// Form113: the warning-summary parser. Speaks the summary that follows the tag "WarningSum:".
#include <string>

#include "weather/warning_parser_window.h"

class Form113 : public WarningParserWindow {
public:
    explicit Form113(FormHost& host);
    void SortForcast() override;
    const std::string& summary() const { return summary_; }

protected:
    std::string cutAfterTag(const std::string& joined) override;
    const Replacements& replacements() const override;

private:
    std::string summary_;
};
