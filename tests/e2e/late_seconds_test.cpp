// Schedules matched to one clock second still act when a blocking notice covers that second, and
// act once. Through the real program in virtual time, Thursday 10 December 2026.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "core/text.h"
#include "e2e/run_binary.h"

namespace {

struct LateSecondCase {
    const char* name;
    std::string setUp;         // console commands that arm one schedule for 12:01 on Thursdays
    std::string action;        // the transcript line (after the clock) that shows it acted
    std::string check = "";    // a `get` whose answer must follow
    std::string answer = "";
};

class LateSeconds : public ::testing::TestWithParam<LateSecondCase> {};

// The station's connect notice is spoken from 12:01:14.5 until past 12:01:19, covering second 15
// and the seconds after it that the wider windows accept.
TEST_P(LateSeconds, AScheduleWhoseSecondANoticeCoversStillActsOnce) {
    const LateSecondCase& c = GetParam();
    TempFolder folder;
    const std::string input = c.setUp +
                              "wait 24.5\n"
                              "connect VE3ABC/MOBILE/QRP/PORTABLE/ZULU John 1.2.3.4\n"
                              "wait 70\n" +
                              (c.check.empty() ? "" : "get " + c.check + "\n");
    const auto run = runHeadless(folder, input, "--virtual-time \"2026-12-10 12:00:50\"");
    ASSERT_EQ(run.err, "");
    std::vector<std::string> acted, notice;
    for (const auto& line : run.out) {
        if (line.size() > 13 && line.substr(13) == c.action) acted.push_back(line.substr(0, 12));
        if (line.find(" SPEAK \"V E 3") != std::string::npos && endsWith(line, ", Connected\""))
            notice.push_back(line.substr(0, 12));
    }
    ASSERT_EQ(notice, std::vector<std::string>{"12:01:14.500"});
    ASSERT_EQ(acted.size(), 1u) << c.action;
    EXPECT_GT(acted[0], "12:01:19.000") << "acts once the notice has ended";
    EXPECT_LT(acted[0], "12:01:20.000");
    if (!c.check.empty()) {
        EXPECT_NE(std::find(run.out.begin(), run.out.end(), "= " + c.answer), run.out.end());
    }
}

INSTANTIATE_TEST_SUITE_P(
    E2E, LateSeconds,
    ::testing::Values(
        LateSecondCase{"weekly_net",
                       "set Form4.Thur 1\nset Form4.Hour 12\nset Form4.Mins 01\nset Form4.NetCall1 W9NET\n",
                       "CONNECT W9NET"},
        LateSecondCase{"daily_disconnect", "set Form4.Hour0 12\nset Form4.Mins0 01\nset Form4.Check5 1\n",
                       "DISCONNECT-ALL"},
        LateSecondCase{"silence_switch",
                       "set Form3.Thur 1\nset Form3.HourOFF1 12\nset Form3.MinsOFF1 01\nset Form3.Check7 1\n",
                       "LINK off", "Form3.Check1", "1"},
        LateSecondCase{"profile_switch",
                       "set Form123.Thur 1\nset Form123.Hour 12\nset Form123.Mins 01\nset Form123.Profile1 EVENING\n",
                       "PROFILE \"EVENING\""}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
