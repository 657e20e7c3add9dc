// The one-second scheduler: every wall-clock second once, in order, with its own clock time,
// however late the thread comes back to it.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "core/clock.h"
#include "core/datetime.h"
#include "core/event_loop.h"
#include "core/second_timer.h"
#include "core/timer.h"

namespace {
LocalMs at(const char* text) { return *parseDateTime(text); }

// A virtual clock whose time of day can also be set, as an operator or time sync would.
class SettableClock final : public Clock {
public:
    explicit SettableClock(LocalMs start) : now_(start) {}
    LocalMs now() const override { return now_; }
    std::int64_t tickCount() const override { return ticks_; }
    void sleepFor(std::int64_t ms) override {
        if (ms <= 0) return;
        now_ += ms;
        ticks_ += ms;
    }
    bool isVirtual() const override { return true; }
    void setTimeOfDay(LocalMs t) { now_ = t; }   // the tick count runs on untouched
private:
    LocalMs now_;
    std::int64_t ticks_ = 1000000;
};

struct Rig {
    SettableClock clock{at("2026-12-10 12:00:00") + 500};
    EventLoop loop{clock};
    // "second handed over @ clock time when it was", to the tenth of a second: a tick runs on the
    // loop's 16 ms grid, up to 15 ms after its nominal time.
    std::vector<std::string> seen;
    std::vector<std::string> log;
    // What the handler does besides recording, given the second it was handed.
    std::function<void(LocalMs)> alsoDo = [](LocalMs) {};
    SecondTimer timer{loop, "clock", [this](LocalMs s) {
                          const std::string stamp = stampText(clock.now());
                          seen.push_back(timeText(s) + " @ " + stamp.substr(0, stamp.size() - 2));
                          alsoDo(s);
                      }};
    Rig() {
        loop.setFailureHandler([this](const std::string& line) { log.push_back(line); });
    }
    bool is(LocalMs s, const char* time) const { return timeText(s) == time; }
};

struct SecondCase {
    const char* name;
    std::function<void(Rig&)> script;   // runs the loop
    std::vector<std::string> expected;
    std::vector<std::string> expectedLog = {};
};

class SecondTimerCases : public ::testing::TestWithParam<SecondCase> {};

TEST_P(SecondTimerCases, HandsOverEverySecondOnce) {
    Rig r;
    GetParam().script(r);
    EXPECT_EQ(r.seen, GetParam().expected);
    EXPECT_EQ(r.log, GetParam().expectedLog);
}

INSTANTIATE_TEST_SUITE_P(
    Core, SecondTimerCases,
    ::testing::Values(
        SecondCase{"on_time",
                   [](Rig& r) { r.loop.runFor(3000); },
                   {"12:00:01 @ 12:00:01.0", "12:00:02 @ 12:00:02.0", "12:00:03 @ 12:00:03.0"}},
        SecondCase{"its_own_handler_blocks_the_thread",
                   [](Rig& r) {
                       r.alsoDo = [&](LocalMs s) {
                           if (r.is(s, "12:00:01")) r.clock.sleepFor(2600);   // speech in the handler
                       };
                       r.loop.runFor(4000);
                   },
                   {"12:00:01 @ 12:00:01.0", "12:00:02 @ 12:00:03.6", "12:00:03 @ 12:00:03.6",
                    "12:00:04 @ 12:00:04.0"}},
        SecondCase{"another_handler_blocks_the_thread",
                   [](Rig& r) {
                       r.loop.post([&] { r.clock.sleepFor(3200); }, 1600);   // 12:00:02.100 to 12:00:05.300
                       r.loop.runFor(5000);
                   },
                   {"12:00:01 @ 12:00:01.0", "12:00:02 @ 12:00:02.0", "12:00:03 @ 12:00:05.3",
                    "12:00:04 @ 12:00:05.3", "12:00:05 @ 12:00:05.3"}},
        SecondCase{"a_handler_blocking_while_it_catches_up_gets_the_seconds_it_blocked_too",
                   [](Rig& r) {
                       r.loop.post([&] { r.clock.sleepFor(1500); }, 600);   // to 12:00:02.600
                       r.alsoDo = [&](LocalMs s) {
                           if (r.is(s, "12:00:02")) r.clock.sleepFor(1000);   // to 12:00:03.600
                       };
                       r.loop.runFor(3800);
                   },
                   {"12:00:01 @ 12:00:01.0", "12:00:02 @ 12:00:02.6", "12:00:03 @ 12:00:03.6",
                    "12:00:04 @ 12:00:04.0"}},
        SecondCase{"a_failing_second_costs_no_other",
                   [](Rig& r) {
                       r.loop.post([&] { r.clock.sleepFor(2000); }, 600);   // to 12:00:03.100
                       r.alsoDo = [&](LocalMs s) {
                           if (r.is(s, "12:00:02")) throw std::runtime_error("boom");
                       };
                       r.loop.runFor(2700);
                   },
                   {"12:00:01 @ 12:00:01.0", "12:00:02 @ 12:00:03.1", "12:00:03 @ 12:00:03.1"},
                   {"timer clock: boom"}},
        SecondCase{"seconds_while_switched_off_are_not_handed_over",
                   [](Rig& r) {
                       r.loop.runFor(1000);
                       r.timer.disable();
                       r.loop.runFor(2000);
                       r.timer.enable();   // at 12:00:03.500
                       r.loop.runFor(1000);
                   },
                   {"12:00:01 @ 12:00:01.0", "12:00:04 @ 12:00:04.0"}},
        SecondCase{"a_handler_switching_its_timer_off_ends_the_catch_up",
                   [](Rig& r) {
                       r.loop.post([&] { r.clock.sleepFor(3000); }, 600);
                       r.alsoDo = [&](LocalMs s) {
                           if (r.is(s, "12:00:02")) r.timer.disable();
                       };
                       r.loop.runFor(5000);
                   },
                   {"12:00:01 @ 12:00:01.0", "12:00:02 @ 12:00:04.1"}},
        SecondCase{"a_clock_trimmed_back_repeats_no_second",
                   [](Rig& r) {
                       r.loop.runFor(2000);   // 12:00:02.500, 12:00:02 handed over
                       r.clock.setTimeOfDay(at("2026-12-10 12:00:00") + 700);
                       r.loop.runFor(4000);
                   },
                   {"12:00:01 @ 12:00:01.0", "12:00:02 @ 12:00:02.0", "12:00:03 @ 12:00:03.0",
                    "12:00:04 @ 12:00:04.0"}},
        SecondCase{"a_clock_set_back_an_hour_counts_afresh",
                   [](Rig& r) {
                       r.loop.runFor(1000);
                       r.clock.setTimeOfDay(at("2026-12-10 11:00:01") + 500);
                       r.loop.runFor(2000);
                   },
                   {"12:00:01 @ 12:00:01.0", "11:00:02 @ 11:00:02.0", "11:00:03 @ 11:00:03.0"}},
        SecondCase{"a_clock_set_forward_an_hour_is_logged_not_replayed",
                   [](Rig& r) {
                       r.loop.runFor(1000);
                       r.clock.setTimeOfDay(at("2026-12-10 13:00:01") + 600);
                       r.loop.runFor(1000);
                   },
                   {"12:00:01 @ 12:00:01.0", "13:00:02 @ 13:00:02.1"}}),
    [](const auto& info) { return std::string(info.param.name); });

// A clock set forward (daylight saving) is one plain notice, not an internal error, however many
// one-second schedulers see it.
TEST(SecondTimer, AClockSetForwardIsOneNoticeForAllSchedulers) {
    Rig r;
    std::vector<std::string> notices;
    r.loop.setNoticeHandler([&](const std::string& line) { notices.push_back(line); });
    std::vector<std::unique_ptr<SecondTimer>> others;
    for (int k = 0; k < 8; ++k) others.push_back(std::make_unique<SecondTimer>(r.loop, "other", [](LocalMs) {}));
    r.loop.runFor(1000);
    r.clock.setTimeOfDay(at("2026-12-10 13:00:01") + 600);
    r.loop.runFor(1000);
    r.clock.setTimeOfDay(at("2026-12-10 15:00:02") + 600);   // and later once more
    r.loop.runFor(1000);
    EXPECT_EQ(r.log, std::vector<std::string>{});
    EXPECT_EQ(notices,
              (std::vector<std::string>{
                  "The clock moved on by 3601 s at once (set forward, daylight saving or the machine sleeping); the "
                  "schedules go on from the new time ",
                  "The clock moved on by 7201 s at once (set forward, daylight saving or the machine sleeping); the "
                  "schedules go on from the new time "}));
    EXPECT_EQ(r.seen.back(), "15:00:03 @ 15:00:03.0");
}

// Seconds a blocked thread missed take their turns among the other overdue timers in the order
// they fell due, one second a turn, not all at once before them.
TEST(SecondTimer, LateSecondsRunInDueOrderWithOtherOverdueTimers) {
    Rig r;
    Timer countdown(r.loop, "countdown", 2000, [&] { r.seen.push_back("countdown"); }, false);
    r.loop.runFor(200);
    countdown.enable();   // due at 12:00:02.700
    r.loop.post([&] { r.clock.sleepFor(3000); }, 500);   // 12:00:01.2 to 12:00:04.2
    r.loop.runFor(3600);
    EXPECT_EQ(r.seen, (std::vector<std::string>{"12:00:01 @ 12:00:01.0", "12:00:02 @ 12:00:04.2", "countdown",
                                                "12:00:03 @ 12:00:04.2", "12:00:04 @ 12:00:04.2"}));
}

// The station's own blocking transmission holds the timers: a doEvents inside it runs queued
// events only; what fell due meanwhile runs after it, seconds and timers in due order.
TEST(SecondTimer, WhatFallsDueDuringTheStationsOwnTransmissionRunsAfterIt) {
    Rig r;
    Timer countdown(r.loop, "countdown", 2000, [&] { r.seen.push_back("countdown"); }, false);
    r.loop.runFor(200);
    countdown.enable();   // due at 12:00:02.700
    bool keyed = false;
    std::vector<std::string> keyedWhen;
    r.alsoDo = [&](LocalMs) { keyedWhen.push_back(keyed ? "keyed" : "free"); };
    r.loop.post(
        [&] {
            EventLoop::TimersHeld held(r.loop);
            keyed = true;
            r.clock.sleepFor(2500);   // speech, 12:00:01.2 to 12:00:03.7
            r.loop.post([&] { r.seen.push_back("event"); });
            r.loop.doEvents();
            keyed = false;
        },
        500);
    r.loop.runFor(3200);
    EXPECT_EQ(r.seen, (std::vector<std::string>{"12:00:01 @ 12:00:01.0", "event", "12:00:02 @ 12:00:03.7",
                                                "countdown", "12:00:03 @ 12:00:03.7"}));
    EXPECT_EQ(keyedWhen, (std::vector<std::string>{"free", "free", "free"}));
}

TEST(SecondTimer, ADayOfSecondsUnderRandomBlockingIsHandedOverExactlyOnceInOrder) {
    Rig r;
    std::uint32_t seed = 12345;
    auto next = [&] { return seed = seed * 1664525u + 1013904223u; };
    // Something blocks the thread for up to 20 s about once a minute, at odd phases.
    std::function<void()> blocker = [&] {
        r.clock.sleepFor(next() % 20000);
        r.loop.post(blocker, 30000 + next() % 60000);
    };
    r.loop.post(blocker, 777);
    std::vector<LocalMs> seconds;
    r.alsoDo = [&](LocalMs s) { seconds.push_back(s); };
    r.loop.runFor(24LL * 3600 * 1000);
    ASSERT_FALSE(seconds.empty());
    EXPECT_EQ(seconds.front(), at("2026-12-10 12:00:01"));
    for (std::size_t i = 1; i < seconds.size(); ++i) ASSERT_EQ(seconds[i], seconds[i - 1] + 1000) << i;
    EXPECT_GE(seconds.back(), at("2026-12-11 11:59:40"));
}
}  // namespace
