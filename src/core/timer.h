#pragma once
// A window timer: an interval and an enabled flag, ticking on the event loop.
//  - enabling an enabled timer does not restart it; disabling then enabling restarts the count;
//  - changing the interval restarts it; an interval of 0 never ticks;
//  - the first tick comes one whole interval after a restart (a one-shot delay of 1 s waits 1 s);
//  - a timer never ticks again while its own handler is still on the stack.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

class EventLoop;
class Form;

class Timer {
public:
    Timer(EventLoop& loop, std::string name, int intervalMs, std::function<void()> onTick, bool enabled = true);
    Timer(Form& owner, std::string name, int intervalMs, std::function<void()> onTick, bool enabled = true);
    virtual ~Timer();
    Timer(const Timer&) = delete;
    Timer& operator=(const Timer&) = delete;

    const std::string& name() const { return name_; }
    Form* owner() const { return owner_; }
    bool enabled() const { return enabled_; }
    void setEnabled(bool on);
    void enable() { setEnabled(true); }
    void disable() { setEnabled(false); }
    int interval() const { return interval_; }
    void setInterval(int ms);
    void setHandler(std::function<void()> onTick) { onTick_ = std::move(onTick); }
    const std::function<void()>& handler() const { return onTick_; }
    bool running() const { return running_; }   // its handler is on the stack
    bool armed() const { return enabled_ && interval_ > 0; }

protected:
    // Runs after every restart (creation, enabling, a new interval), before the first tick is set.
    virtual void restarted() {}
    // The tick count of the first tick after a restart at `now`.
    virtual std::int64_t firstTick(std::int64_t now) const;
    // The tick count of the tick after the one due at `due`, which runs at `now`. Whole intervals
    // from the nominal time; a late tick brings no burst of catch-up ticks.
    virtual std::int64_t nextTick(std::int64_t due, std::int64_t now) const;
    // A derived timer that sets its own next tick from inside its handler.
    void tickNextAt(std::int64_t tick);
    void restart();
    // False once the timer is destroyed.
    std::shared_ptr<bool> aliveToken() const { return aliveFlag_; }

private:
    friend class EventLoop;
    friend class TimerQueue;
    int steppedInterval() const;
    EventLoop& loop_;
    Form* owner_ = nullptr;
    std::string name_;
    int interval_;
    bool enabled_;
    bool running_ = false;
    bool changedWhileRunning_ = false;   // restarted or switched inside its own handler
    std::int64_t due_ = 0;     // tick count of the next tick
    std::uint64_t order_ = 0;  // creation order breaks ties
    std::uint64_t pass_ = 0;   // the doEvents pass it last ticked in
    bool queued_ = false;      // in the loop's queue (armed)
    std::function<void()> onTick_;
    std::shared_ptr<bool> aliveFlag_ = std::make_shared<bool>(true);
};
