#include "core/log_lines.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

TEST(LogLines, TheOldestWholeEntriesGoWhileTheLogIsLongerThanItsBound) {
    // Each entry counts with its line end, as in a log box: "one" is five characters.
    struct Case {
        std::vector<std::string> added;
        std::size_t bound;
        std::vector<std::string> kept;
    } cases[] = {
        {{"one", "two"}, 100, {"one", "two"}},
        {{"one", "two", "three"}, 17, {"one", "two", "three"}},
        {{"one", "two", "three"}, 16, {"two", "three"}},
        {{"one", "two", "three"}, 7, {"three"}},
        {{"one", "an entry longer than the bound"}, 5, {"an entry longer than the bound"}},
        {{"an entry longer than the bound", "one"}, 5, {"one"}},
    };
    for (const auto& c : cases) {
        LogLines log(c.bound);
        for (const auto& e : c.added) log.add(e);
        EXPECT_EQ(log.lines(), c.kept) << c.bound;
        std::size_t chars = 0;
        for (const auto& e : c.kept) chars += e.size() + 2;
        EXPECT_EQ(log.chars(), chars);
    }
    LogLines log;
    log.add("gone");
    log.clear();
    EXPECT_TRUE(log.lines().empty());
    EXPECT_EQ(log.chars(), 0u);
}
