// Countdowns that stand for wall time count clock seconds. Through the real program in virtual
// time, Thursday 10 December 2026.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/text.h"
#include "e2e/run_binary.h"

namespace {
// A net's length is wall time: notices that block the thread during the net do not lengthen it.
TEST(CountdownsInClockTime, ATwoMinuteNetEndsTwoMinutesAfterItsStartWhateverWasSpokenMeanwhile) {
    TempFolder folder;
    const auto run = runHeadless(folder,
                                 "set Form4.Thur 1\nset Form4.Hour 12\nset Form4.Mins 01\nset Form4.NetCall1 W9NET\n"
                                 "set Form4.DiscMins1 2\nset Form4.Check3 1\n"
                                 "wait 40\nconnect VE3ABC/MOBILE/QRP/PORTABLE/ZULU\n"
                                 "wait 60\nconnect VE3XYZ/MOBILE/QRP/PORTABLE/ZULU\nwait 60\n",
                                 "--virtual-time \"2026-12-10 12:00:50\"");
    ASSERT_EQ(run.err, "");
    std::vector<std::string> started, ended;
    for (const auto& line : run.out) {
        if (endsWith(line, " CONNECT W9NET")) started.push_back(line.substr(0, 8));
        if (endsWith(line, " DISCONNECT W9NET")) ended.push_back(line.substr(0, 8));
    }
    EXPECT_EQ(started, std::vector<std::string>{"12:01:15"});
    EXPECT_EQ(ended, std::vector<std::string>{"12:03:15"});
}
}  // namespace
