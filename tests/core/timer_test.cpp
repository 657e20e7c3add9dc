// Timers and the loop, in virtual time.
#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>
#include <vector>

#include "core/clock.h"
#include "core/datetime.h"
#include "core/event_loop.h"
#include "core/timer.h"

namespace {
LocalMs at(const char* text) { return *parseDateTime(text); }

struct Rig {
    VirtualClock clock{at("2026-12-10 12:00:00") + 500};
    EventLoop loop{clock};
    std::vector<std::int64_t> ticks;   // tick counts relative to the start
    std::int64_t start = clock.tickCount();
    std::function<void()> recorder() {
        return [this] { ticks.push_back(clock.tickCount() - start); };
    }
};
}  // namespace

// Each row: what is done to a 100 ms timer at 250 ms, and the ticks seen in the first 600 ms.
struct TimerRule {
    const char* name;
    std::function<void(Timer&)> at250;
    std::vector<std::int64_t> expected;
};

class TimerRules : public ::testing::TestWithParam<TimerRule> {};

TEST_P(TimerRules, Hold) {
    Rig r;
    Timer t(r.loop, "t", 100, r.recorder());
    r.loop.runFor(250);
    GetParam().at250(t);
    r.loop.runFor(350);
    EXPECT_EQ(r.ticks, GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Core, TimerRules,
    ::testing::Values(
        TimerRule{"untouched", [](Timer&) {}, {100, 200, 300, 400, 500, 600}},
        TimerRule{"enabling an enabled timer does not restart it", [](Timer& t) { t.enable(); },
                  {100, 200, 300, 400, 500, 600}},
        TimerRule{"disabling and enabling restarts the count",
                  [](Timer& t) {
                      t.disable();
                      t.enable();
                  },
                  {100, 200, 350, 450, 550}},
        TimerRule{"changing the interval restarts it", [](Timer& t) { t.setInterval(200); }, {100, 200, 450}},
        TimerRule{"setting the same interval changes nothing", [](Timer& t) { t.setInterval(100); },
                  {100, 200, 300, 400, 500, 600}},
        TimerRule{"an interval of 0 never ticks", [](Timer& t) { t.setInterval(0); }, {100, 200}},
        TimerRule{"a disabled timer never ticks", [](Timer& t) { t.disable(); }, {100, 200}}),
    [](const auto& info) {
        std::string n = info.param.name;
        for (char& c : n)
            if (!isalnum(static_cast<unsigned char>(c))) c = '_';
        return n;
    });

TEST(Timer, ShortIntervalsTickAtTheResolution) {
    Rig r;
    Timer t(r.loop, "t", 1, r.recorder());
    r.loop.runFor(100);
    EXPECT_EQ(r.ticks, (std::vector<std::int64_t>{16, 32, 48, 64, 80, 96}));
}

TEST(Timer, OneSecondTimersTickJustAfterEveryWallClockSecondOnce) {
    Rig r;  // starts at 12:00:00.500
    std::vector<std::string> seen;
    Timer t(r.loop, "clock", 1000, [&] { seen.push_back(stampText(r.clock.now())); });
    r.loop.runFor(3000);
    EXPECT_EQ(seen, (std::vector<std::string>{"12:00:01.010", "12:00:02.010", "12:00:03.010"}));
}

TEST(Timer, ABlockedThreadGivesOneLateTickNotABurst) {
    Rig r;
    int n = 0;
    Timer t(r.loop, "t", 100, [&] { ++n; });
    r.loop.post([&] { r.clock.sleepFor(1000); });   // a blocking wait: nothing dispatched
    r.loop.runFor(1050);
    EXPECT_LE(n, 2);
}

TEST(Timer, NeverTicksWhileItsOwnHandlerIsOnTheStack) {
    Rig r;
    int depth = 0, maxDepth = 0, otherTicks = 0;
    Timer other(r.loop, "other", 50, [&] { ++otherTicks; });
    Timer t(r.loop, "t", 50, [&] {
        ++depth;
        maxDepth = std::max(maxDepth, depth);
        for (int i = 0; i < 5; ++i) {
            r.clock.sleepFor(60);
            r.loop.doEvents();   // lets `other` run, never `t` itself
        }
        --depth;
    });
    r.loop.runFor(1000);
    EXPECT_EQ(maxDepth, 1);
    EXPECT_GT(otherTicks, 5);
}

// A window closed by its own timer's tick takes the timer with it; a timer made in its place may
// get the same memory and the same place in the loop, and must keep only its own schedule.
TEST(Timer, ATimerEndedByItsOwnTickNeverTicksAgainAndItsSuccessorKeepsItsOwnTime) {
    Rig r;
    std::vector<std::string> failures;
    r.loop.setFailureHandler([&](const std::string& f) { failures.push_back(f); });
    std::unique_ptr<Timer> first, second;
    int firstTicks = 0;
    first = std::make_unique<Timer>(r.loop, "first", 100, [&] {
        ++firstTicks;
        first.reset();
        second = std::make_unique<Timer>(r.loop, "second", 300, r.recorder());
        throw std::runtime_error("gone");
    });
    r.loop.runFor(1000);
    EXPECT_EQ(firstTicks, 1);
    EXPECT_EQ(r.ticks, (std::vector<std::int64_t>{400, 700, 1000}));
    EXPECT_EQ(failures, std::vector<std::string>{"timer first: gone"});
}

TEST(EventLoop, DoEventsRunsPendingEventsPartWayThroughAHandler) {
    Rig r;
    std::vector<std::string> order;
    r.loop.post([&] {
        order.push_back("handler starts");
        r.loop.post([&] { order.push_back("queued event"); });
        r.loop.doEvents();
        order.push_back("handler ends");
    });
    r.loop.runFor(10);
    EXPECT_EQ(order, (std::vector<std::string>{"handler starts", "queued event", "handler ends"}));
}

TEST(EventLoop, AFailureEscapingAHandlerIsReportedAndTheLoopGoesOn) {
    Rig r;
    std::vector<std::string> failures;
    r.loop.setFailureHandler([&](const std::string& f) { failures.push_back(f); });
    int after = 0;
    Timer bad(r.loop, "bad", 100, [] { throw std::runtime_error("boom"); });
    Timer good(r.loop, "good", 100, [&] { ++after; });
    r.loop.runFor(300);
    EXPECT_EQ(after, 3);
    ASSERT_EQ(failures.size(), 3u);
    EXPECT_EQ(failures[0], "timer bad: boom");
}

TEST(EventLoop, DelayedEventsRunAtTheirTime) {
    Rig r;
    r.loop.post(r.recorder(), 700);
    r.loop.post(r.recorder(), 200);
    r.loop.runFor(1000);
    EXPECT_EQ(r.ticks, (std::vector<std::int64_t>{200, 700}));
}

TEST(EventLoop, AWeekOfSchedulersRunsInVirtualTimeWithEveryTickCounted) {
    Rig r;
    long seconds = 0, fast = 0;
    Timer clock(r.loop, "clock", 1000, [&] { ++seconds; });
    Timer ducking(r.loop, "ducking", 100, [&] { ++fast; });
    r.loop.runFor(7LL * 24 * 3600 * 1000);
    // How fast this runs is a benchmark figure (bench/); here every tick must be there, once.
    EXPECT_EQ(seconds, 7L * 24 * 3600);
    EXPECT_EQ(fast, 7L * 24 * 36000);
}
