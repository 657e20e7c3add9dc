#pragma once
// The soak's account by kind: how many items fell due, how many went on the air, how many
// were lost and for which reasons, and how many were lost with none. One run's account, or
// the sum of many seeds'.
#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "soak/expectations.h"

namespace soak {

class KindReport {
public:
    void add(const std::vector<Outcome>& items);
    void add(const KindReport& other);
    void print(std::FILE* out, const std::string& indent) const;
    long unexplained() const;
    bool empty() const { return rows_.empty(); }

private:
    struct Row {
        long due = 0, aired = 0, unexplained = 0;
        std::map<std::string, long> lost;   // reason -> count
    };
    std::map<int, Row> rows_;   // by kind
};

}  // namespace soak
