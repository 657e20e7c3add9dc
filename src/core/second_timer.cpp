#include "core/second_timer.h"

#include "core/event_loop.h"
#include "core/form.h"
#include "core/timing.h"

SecondTimer::SecondTimer(EventLoop& loop, std::string name, Handler onSecond, bool enabled)
    : Timer(loop, std::move(name), 1000, [this] { handOne(); }, enabled), loop_(loop), onSecond_(std::move(onSecond)) {
    restart();   // the base could not yet place the first tick on the clock second
}

SecondTimer::SecondTimer(Form& owner, std::string name, Handler onSecond, bool enabled)
    : Timer(owner, std::move(name), 1000, [this] { handOne(); }, enabled),
      loop_(owner.loop()),
      onSecond_(std::move(onSecond)) {
    restart();
}

LocalMs SecondTimer::currentSecond() const {
    const LocalMs t = loop_.clock().now();
    return t - ((t % 1000) + 1000) % 1000;
}

// A timer switched on counts from the second it was switched on in: the seconds while it was off
// are not its business.
void SecondTimer::restarted() { last_ = currentSecond(); }

// Just after the wall-clock second begins, so the clock read in the tick is in that second.
std::int64_t SecondTimer::tickOfNextSecond() const {
    const std::int64_t wallAhead = loop_.clock().now() - loop_.clock().tickCount();
    return last_ + 1000 + timing::kSecondAlignOffsetMs - wallAhead;
}

std::int64_t SecondTimer::firstTick(std::int64_t) const { return tickOfNextSecond(); }

// Provisional: the tick sets the true next tick once it knows which second it handed over.
std::int64_t SecondTimer::nextTick(std::int64_t, std::int64_t) const { return tickOfNextSecond() + 1000; }

void SecondTimer::handOne() {
    const auto alive = aliveToken();
    const LocalMs current = currentSecond();
    if (current <= last_) {
        if (last_ - current <= timing::kClockSetBackMs) {
            // A clock trimmed back: wait until the last second handed over has passed.
            tickNextAt(tickOfNextSecond());
            return;
        }
        last_ = current - 1000;   // the clock was set back: count afresh from the new time
    } else if (current - last_ > timing::kMaxCatchUpSeconds * 1000LL) {
        loop_.clockSteppedForward(current, (current - last_) / 1000);
        last_ = current - 1000;
    }
    last_ += 1000;
    const LocalMs second = last_;
    // A failing second is logged by the loop and costs no other.
    const Handler handler = onSecond_;   // the handler may replace itself
    if (handler) loop_.runGuarded("timer " + name(), [&] { handler(second); });
    if (alive && !*alive) return;   // the handler destroyed its own window
    if (enabled()) tickNextAt(tickOfNextSecond());
}
