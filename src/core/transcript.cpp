#include "core/transcript.h"

#include "core/datetime.h"
#include "core/text.h"

void Transcript::record(const std::string& line) {
    lines_.push_back(line);
    stamped_.push_back(stampText(clock_.now()) + " " + line);
    for (auto& l : listeners_) l(stamped_.back());
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
