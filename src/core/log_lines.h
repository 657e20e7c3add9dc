#pragma once
// A log kept as a list of entries, bounded as a log text box is: an entry counts as a line of
// its own with its line end, and the oldest entries go while the whole is longer than the
// bound, so a history fed by remote traffic neither grows nor slows without end.
#include <cstddef>
#include <string>
#include <vector>

#include "core/text.h"

class LogLines {
public:
    explicit LogLines(std::size_t maxChars = kLogBoxChars) : maxChars_(maxChars) {}
    // An entry longer than the whole bound is kept alone.
    void add(std::string entry);
    void clear();
    const std::vector<std::string>& lines() const { return lines_; }
    // The characters the entries would take in a log box, line ends included.
    std::size_t chars() const { return chars_; }

private:
    static std::size_t charsOf(const std::string& entry) { return entry.size() + 2; }   // CR LF
    std::size_t maxChars_;
    std::vector<std::string> lines_;
    std::size_t chars_ = 0;
};
