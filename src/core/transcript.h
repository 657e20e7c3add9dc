#pragma once
// What goes on the air and what the node does, one line an event, stamped with the clock.
// The headless console prints it; tests read it.
#include <functional>
#include <string>
#include <vector>

#include "core/clock.h"

class Transcript {
public:
    explicit Transcript(const Clock& clock) : clock_(clock) {}
    // Tests read back what was recorded; the running program only hands each line to its
    // listeners, so a station on the air for months does not grow without end.
    void keepLines(bool keep);
    void record(const std::string& line);               // "KEY on", "PLAY \"/x.wav\" vol=0", ...
    const std::vector<std::string>& lines() const { return lines_; }   // without the time stamp
    const std::vector<std::string>& stamped() const { return stamped_; }
    void clear();
    void onLine(std::function<void(const std::string& stampedLine)> listener) { listeners_.push_back(std::move(listener)); }
    // How many lines begin with `prefix`.
    int count(const std::string& prefix) const;
    bool contains(const std::string& prefix) const { return count(prefix) > 0; }
private:
    const Clock& clock_;
    bool keep_ = true;
    std::vector<std::string> lines_;
    std::vector<std::string> stamped_;
    std::vector<std::function<void(const std::string&)>> listeners_;
};
