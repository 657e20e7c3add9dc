#include "core/transcript.h"

#include "core/datetime.h"
#include "core/text.h"

void Transcript::record(const std::string& line) {
    std::string stamped = stampText(clock_.now()) + " " + line;
    if (keep_) {
        // Kept before the listeners hear it, so a listener may read it back.
        lines_.push_back(line);
        stamped_.push_back(stamped);
    }
    for (auto& l : listeners_) l(stamped);
}

void Transcript::keepLines(bool keep) {
    keep_ = keep;
    if (!keep_) clear();
}

void Transcript::clear() {
    lines_.clear();
    stamped_.clear();
}

int Transcript::count(const std::string& prefix) const {
    int n = 0;
    for (const auto& l : lines_)
        if (startsWith(l, prefix)) ++n;
    return n;
}
