#include "core/timer.h"

#include "core/event_loop.h"
#include "core/form.h"

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
    due_ = loop_.dueAfter(loop_.clock().tickCount(), interval_);
    loop_.schedule(this);
    restarted();
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
