#pragma once
// Helpers shared by the speech tests.
#include <algorithm>
#include <string>
#include <vector>

#include "core/text.h"
#include "support/station_fixture.h"

// The transcript lines that start with one of the prefixes, in order.
inline std::vector<std::string> linesStarting(Station& s, const std::vector<std::string>& prefixes) {
    std::vector<std::string> out;
    for (const auto& l : s.transcript().lines())
        for (const auto& p : prefixes)
            if (l.rfind(p, 0) == 0) {
                out.push_back(l);
                break;
            }
    return out;
}

inline int countOf(const std::vector<std::string>& v, const std::string& x) {
    return static_cast<int>(std::count(v.begin(), v.end(), x));
}
