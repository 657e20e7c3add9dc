#pragma once
// The one way a window acts on clock seconds. Its handler is given each wall-clock second once,
// in order, just after the second begins. When the thread was blocked (a key-up delay, speech)
// the seconds missed meanwhile are each handed over in a tick of their own, with that second's
// own clock time, in the order they fell due among the loop's other overdue timers and events,
// so a schedule asking "is it hh:mm:15?" still matches it. No second is handed over twice.
#include <functional>
#include <string>

#include "core/clock.h"
#include "core/timer.h"

class SecondTimer : public Timer {
public:
    using Handler = std::function<void(LocalMs second)>;
    SecondTimer(EventLoop& loop, std::string name, Handler onSecond, bool enabled = true);
    SecondTimer(Form& owner, std::string name, Handler onSecond, bool enabled = true);
    void setSecondHandler(Handler onSecond) { onSecond_ = std::move(onSecond); }
    // The last second handed over (local time, a whole second).
    LocalMs lastSecond() const { return last_; }

private:
    void restarted() override;
    std::int64_t firstTick(std::int64_t now) const override;
    std::int64_t nextTick(std::int64_t due, std::int64_t now) const override;
    // The tick count at which the second after the last one handed over is due.
    std::int64_t tickOfNextSecond() const;
    void handOne();
    LocalMs currentSecond() const;
    EventLoop& loop_;
    Handler onSecond_;
    LocalMs last_ = 0;
};
