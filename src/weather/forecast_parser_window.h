#pragma once
// Form115: the forecast parser. Turns the weather program's forecast file into one spoken
// sentence for five days in the weather window's Text3.
#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "weather/parser_window.h"

class Form115 : public ParserWindow {
public:
    explicit Form115(FormHost& host);

    void SortForcast() override;

    // The values of one day, as the last run read them.
    struct Day {
        std::string name, conditions;
        std::optional<std::int16_t> high, low;
        bool complete() const { return high && low; }
    };
    static constexpr int kDays = 5;
    const std::array<Day, kDays>& days() const { return days_; }

protected:
    std::string sourcePath() override;
    std::string cutAfterTag(const std::string& joined) override;
    const Replacements& replacements() const override;
    void fileMissing(const std::string& path) override;

private:
    void readDays();
    std::array<Day, kDays> days_{};
};
