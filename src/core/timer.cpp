#include "core/timer.h"

#include "core/event_loop.h"
#include "core/form.h"
#include "core/timing.h"

Timer::Timer(EventLoop& loop, std::string name, int intervalMs, std::function<void()> onTick, bool enabled)
    : loop_(loop), name_(std::move(name)), interval_(intervalMs), enabled_(enabled), onTick_(std::move(onTick)) {
    loop_.attach(this);
    restart();
}

Timer::Timer(Form& owner, std::string name, int intervalMs, std::function<void()> onTick, bool enabled)
    : Timer(owner.loop(), owner.name() + "." + name, intervalMs, std::move(onTick), enabled) {
    owner_ = &owner;
    name_ = std::move(name);
    owner.registerTimer(*this);
}

Timer::~Timer() {
    *aliveFlag_ = false;
    loop_.detach(this);
}

void Timer::restart() {
    restarted();
    due_ = firstTick(loop_.clock().tickCount());
    loop_.schedule(this);
}

int Timer::steppedInterval() const { return interval_ < timing::kTimerResolutionMs ? timing::kTimerResolutionMs : interval_; }

std::int64_t Timer::firstTick(std::int64_t now) const { return now + steppedInterval(); }

// A late tick keeps the timer's phase: the ticks that fell due meanwhile are one tick, and the
// next comes at the timer's next own time after now.
std::int64_t Timer::nextTick(std::int64_t due, std::int64_t now) const {
    const std::int64_t step = steppedInterval();
    std::int64_t next = due + step;
    if (next <= now) next += ((now - next) / step + 1) * step;
    return next;
}

void Timer::tickNextAt(std::int64_t tick) {
    due_ = tick;
    loop_.schedule(this);
}

void Timer::setEnabled(bool on) {
    if (on == enabled_) return;
    enabled_ = on;
    if (on)
        restart();
    else
        loop_.schedule(this);
}

void Timer::setInterval(int ms) {
    if (ms < 0) ms = 0;
    if (ms == interval_) return;
    interval_ = ms;
    restart();
}
