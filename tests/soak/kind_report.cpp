#include "soak/kind_report.h"

namespace soak {

void KindReport::add(const std::vector<Outcome>& items) {
    for (const Outcome& o : items) {
        Row& row = rows_[static_cast<int>(o.kind)];
        ++row.due;
        if (o.aired) ++row.aired;
        else if (o.reason.empty()) ++row.unexplained;
        else ++row.lost[o.reason];
    }
}

void KindReport::add(const KindReport& other) {
    for (const auto& [kind, theirs] : other.rows_) {
        Row& row = rows_[kind];
        row.due += theirs.due;
        row.aired += theirs.aired;
        row.unexplained += theirs.unexplained;
        for (const auto& [reason, n] : theirs.lost) row.lost[reason] += n;
    }
}

long KindReport::unexplained() const {
    long n = 0;
    for (const auto& [kind, row] : rows_) n += row.unexplained;
    return n;
}

void KindReport::print(std::FILE* out, const std::string& indent) const {
    std::fprintf(out, "%s%-26s %6s %6s %6s  %s\n", indent.c_str(), "kind", "due", "aired", "no why", "lost, with the reason");
    for (const auto& [kind, row] : rows_) {
        std::string lost;
        for (const auto& [reason, n] : row.lost) lost += (lost.empty() ? "" : "; ") + std::to_string(n) + " " + reason;
        std::fprintf(out, "%s%-26s %6ld %6ld %6ld  %s\n", indent.c_str(), kindName(static_cast<Kind>(kind)), row.due,
                     row.aired, row.unexplained, lost.c_str());
    }
}

}  // namespace soak
