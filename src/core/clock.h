#pragma once
// Time as the station sees it. Every window asks the loop's clock, never the system, so
// tests can run a week of station time in a second.
#include <cstdint>

// Milliseconds since 1970-01-01 00:00 of *local civil time* (no time zone arithmetic left to do).
using LocalMs = std::int64_t;

class Clock {
public:
    virtual ~Clock() = default;
    virtual LocalMs now() const = 0;              // local date and time of day
    virtual std::int64_t tickCount() const = 0;   // monotonic milliseconds, like GetTickCount
    // A blocking wait: the thread does nothing else. On the virtual clock time just jumps.
    virtual void sleepFor(std::int64_t ms) = 0;
    virtual bool isVirtual() const = 0;
};

class RealClock final : public Clock {
public:
    RealClock();
    LocalMs now() const override;
    std::int64_t tickCount() const override;
    void sleepFor(std::int64_t ms) override;
    bool isVirtual() const override { return false; }
};

class VirtualClock final : public Clock {
public:
    explicit VirtualClock(LocalMs start) : now_(start) {}
    LocalMs now() const override { return now_; }
    std::int64_t tickCount() const override { return ticks_; }
    void sleepFor(std::int64_t ms) override { advance(ms); }
    bool isVirtual() const override { return true; }
    void advance(std::int64_t ms) {
        if (ms <= 0) return;
        now_ += ms;
        ticks_ += ms;
    }
    void advanceTo(LocalMs t) { advance(t - now_); }
    // The time of day is set (daylight saving, a time correction); the tick count runs on.
    void setTimeOfDay(LocalMs t) { now_ = t; }
private:
    LocalMs now_;
    std::int64_t ticks_ = 1000000;  // like a machine that has been up a while
};
