// Timers and the loop, in virtual time.
#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "core/clock.h"
#include "core/datetime.h"
#include "core/event_loop.h"
#include "core/timer.h"

namespace {
LocalMs at(const char* text) { return *parseDateTime(text); }

// A table row's name as a test name.
const auto rowName = [](const auto& info) {
    std::string n = info.param.name;
    for (char& c : n)
        if (!isalnum(static_cast<unsigned char>(c))) c = '_';
    return n;
};

// Ticks run on the loop's shared 16 ms grid: at the first step at or after their nominal time.
std::vector<std::int64_t> onTheGrid(std::vector<std::int64_t> nominal) {
    for (auto& t : nominal) t = (t + 15) / 16 * 16;
    return nominal;
}

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

// Each row: what is done to a 100 ms timer at 250 ms, and the nominal times of the ticks seen in
// the first 610 ms.
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
    r.loop.runFor(360);
    EXPECT_EQ(r.ticks, onTheGrid(GetParam().expected));
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
    rowName);

// Each row: what a 100 ms timer's handler does to its own timer on its first tick (nominal 100,
// run at 112), and the nominal times of the ticks seen in the first 610 ms. A change made inside
// the handler takes effect when the handler ends, counted from when it ran.
struct OwnTickRule {
    const char* name;
    std::function<void(Timer&)> onFirstTick;
    std::vector<std::int64_t> expected;
};

class OwnTickRules : public ::testing::TestWithParam<OwnTickRule> {};

TEST_P(OwnTickRules, Hold) {
    Rig r;
    int n = 0;
    Timer t(r.loop, "t", 100, [] {});
    t.setHandler([&] {
        r.ticks.push_back(r.clock.tickCount() - r.start);
        if (++n == 1) GetParam().onFirstTick(t);
    });
    r.loop.runFor(610);
    EXPECT_EQ(r.ticks, onTheGrid(GetParam().expected));
}

INSTANTIATE_TEST_SUITE_P(
    Core, OwnTickRules,
    ::testing::Values(
        OwnTickRule{"nothing", [](Timer&) {}, {100, 200, 300, 400, 500, 600}},
        OwnTickRule{"a new interval", [](Timer& t) { t.setInterval(200); }, {100, 312, 512}},
        OwnTickRule{"switched off", [](Timer& t) { t.disable(); }, {100}},
        OwnTickRule{"switched off and on again", [](Timer& t) {
                        t.disable();
                        t.enable();
                    },
                    {100, 212, 312, 412, 512}},
        OwnTickRule{"switched off, then given a new interval", [](Timer& t) {
                        t.disable();
                        t.setInterval(50);
                    },
                    {100}}),
    rowName);

TEST(Timer, ShortIntervalsTickAtTheResolution) {
    Rig r;
    Timer t(r.loop, "t", 1, r.recorder());
    r.loop.runFor(100);
    EXPECT_EQ(r.ticks, (std::vector<std::int64_t>{16, 32, 48, 64, 80, 96}));
}

// A timer's first tick comes one whole interval after it is started, whatever the wall clock
// says (the rig starts at 12:00:00.500); a one-shot delay of a second waits a second.
TEST(Timer, TheFirstTickComesOneWholeIntervalAfterTheStart) {
    struct Case {
        int interval;
        bool oneShot;
        std::int64_t startAt;   // ms after the rig's start
        std::vector<std::int64_t> expected;
    };
    const Case cases[] = {
        {1000, false, 0, {1000, 2000, 3000}},
        {1000, true, 0, {1000}},
        {1000, true, 345, {1345}},
        {1500, true, 120, {1620}},
        {3000, false, 700, {3700}},
    };
    for (const Case& c : cases) {
        Rig r;
        Timer t(r.loop, "t", c.interval, [] {}, false);
        t.setHandler([&] {
            r.ticks.push_back(r.clock.tickCount() - r.start);
            if (c.oneShot) t.disable();
        });
        r.loop.runFor(c.startAt);
        t.enable();
        r.loop.runFor(3800 - c.startAt);
        EXPECT_EQ(r.ticks, onTheGrid(c.expected)) << c.interval << " ms started at " << c.startAt;
    }
}

// Blocked past several of its ticks, a timer ticks once when the thread is free and then keeps
// its own phase, as a window timer whose ticks fell due meanwhile.
TEST(Timer, ALateTickKeepsTheTimersPhase) {
    Rig r;
    Timer t(r.loop, "t", 1000, r.recorder());
    r.loop.post([&] { r.clock.sleepFor(2300); }, 1500);   // runs on the grid at 1504, to 3804
    r.loop.runFor(5500);
    // The late tick runs as soon as the thread is free, off the grid.
    EXPECT_EQ(r.ticks, (std::vector<std::int64_t>{1008, 3804, 4000, 5008}));
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
    // Made at the first's tick (100, run at 112): 412 and 712; 1012 is past the run.
    EXPECT_EQ(r.ticks, onTheGrid({412, 712}));
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
    EXPECT_EQ(r.ticks, onTheGrid({200, 700}));
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

// Timers started at different moments share the grid: every tick falls on a step, each timer
// keeps its interval, and ticks due in one step run together in the order they fell due.
TEST(EventLoop, TimersInDifferentPhasesTickTogetherOnTheGridInTheirDueOrder) {
    Rig r;
    std::vector<std::pair<std::int64_t, int>> ticks;   // (tick, which timer)
    std::vector<std::unique_ptr<Timer>> timers;
    r.loop.runFor(1);
    for (int i = 0; i < 4; ++i) {
        timers.push_back(std::make_unique<Timer>(r.loop, "t" + std::to_string(i), 96, [&r, &ticks, i] {
            ticks.emplace_back(r.clock.tickCount() - r.start, i);
        }));
        r.loop.runFor(3);   // started at 1, 4, 7 and 10 ms: due 96 ms later, inside one step
    }
    r.loop.runFor(980 - 13);
    ASSERT_EQ(ticks.size(), 40u);
    for (std::size_t k = 0; k < ticks.size(); ++k) {
        EXPECT_EQ(ticks[k].first, 96 * static_cast<std::int64_t>(k / 4 + 1) + 16) << k;   // one step each time
        EXPECT_EQ(ticks[k].second, static_cast<int>(k % 4)) << k;   // in the order they fell due
    }
}

TEST(EventLoop, ARealClockLoopWakesAtMostOnceAGridStep) {
    RealClock clock;
    EventLoop loop(clock);
    int ticks = 0;
    std::vector<std::unique_ptr<Timer>> timers;
    for (int i = 0; i < 6; ++i) {
        timers.push_back(std::make_unique<Timer>(loop, "t" + std::to_string(i), 1, [&] { ++ticks; }));
        loop.runFor(2 + i % 3);   // six timers at six phases of the 16 ms step
    }
    const std::uint64_t before = loop.wakeups();
    loop.runFor(480);
    // 30 steps; one timer a wake-up would be about 180.
    EXPECT_LE(loop.wakeups() - before, 30u + 2u);
    EXPECT_GE(ticks, 6 * 20);
}

// Timers due in one grid step run in the order they were created, also when the first one's
// handler lets pending events run: the later ones wait until it has ended, as the timers of
// windows created one after another would. Created at one instant in virtual time, a few
// milliseconds apart with the real clock.
TEST(EventLoop, TimersDueInOneStepRunInCreationOrderAlsoInsideAPendingEventsStep) {
    const auto order = [](EventLoop& loop, std::int64_t apartMs) {
        std::vector<std::string> seen;
        Timer first(loop, "first", 200, [&] {
            seen.push_back("first starts");
            loop.doEvents();
            seen.push_back("first ends");
        });
        if (apartMs > 0) loop.runFor(apartMs);
        Timer second(loop, "second", 200, [&] { seen.push_back("second"); });
        Timer third(loop, "third", 200, [&] { seen.push_back("third"); });
        loop.runFor(250);
        return seen;
    };
    const std::vector<std::string> inCreationOrder{"first starts", "first ends", "second", "third"};
    for (std::int64_t apart : {0, 5}) {
        Rig r;
        EXPECT_EQ(order(r.loop, apart), inCreationOrder) << "virtual, " << apart << " ms apart";
    }
    RealClock clock;
    EventLoop loop(clock);
    EXPECT_EQ(order(loop, 3), inCreationOrder) << "real clock";
}
