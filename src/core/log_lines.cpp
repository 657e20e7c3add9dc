#include "core/log_lines.h"

#include <iterator>

void LogLines::add(std::string entry) {
    chars_ += charsOf(entry);
    lines_.push_back(std::move(entry));
    // Whole entries go from the front in one erase, as the text log cuts at one line end.
    auto keepFrom = lines_.begin();
    while (chars_ > maxChars_ && std::next(keepFrom) != lines_.end()) chars_ -= charsOf(*keepFrom++);
    lines_.erase(lines_.begin(), keepFrom);
}

void LogLines::clear() {
    lines_.clear();
    chars_ = 0;
}
