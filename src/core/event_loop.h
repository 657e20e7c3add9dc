#pragma once
// The one thread's loop: timer ticks, queued events and operator actions, each run to its end.
#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <mutex>
#include <string>
#include <vector>

#include "core/clock.h"
#include "core/timer_queue.h"

class Timer;

class EventLoop {
public:
    explicit EventLoop(Clock& clock);
    ~EventLoop();
    Clock& clock() const { return clock_; }

    // Queue work to run after delayMs of loop time. Safe to call from any thread.
    void post(std::function<void()> work, std::int64_t delayMs = 0);

    // Let pending work run part-way through a handler: queued events and due timers, once each,
    // in the order they fell due, without moving virtual time on. While the station's own
    // blocking transmission holds the timers (TimersHeld), only queued events run.
    void doEvents();

    // The station's own blocking transmission (speech with the key down): what falls due on a
    // timer meanwhile, the clock seconds included, runs after it has ended, in the order it fell
    // due, with the station free; a doEvents inside runs queued events only.
    class TimersHeld {
    public:
        explicit TimersHeld(EventLoop& loop) : loop_(loop) { ++loop_.timersHeld_; }
        ~TimersHeld() { --loop_.timersHeld_; }
        TimersHeld(const TimersHeld&) = delete;
        TimersHeld& operator=(const TimersHeld&) = delete;

    private:
        EventLoop& loop_;
    };

    // Virtual clock: dispatch everything due in the next ms, jumping from deadline to deadline.
    // Real clock: run for that long.
    void runFor(std::int64_t ms);
    // Run until quit() (real clock), or until nothing is left to do (virtual clock never idles,
    // so with a virtual clock this is runFor of the given limit).
    void run();
    void quit();
    bool quitRequested() const { return quit_; }

    // For a host loop (the GUI): how long until something is due, and run what is due now.
    std::int64_t msUntilNextWork();
    void processDue();
    void setWakeup(std::function<void()> wake) { wakeup_ = std::move(wake); }
    // Runs first in every doEvents(): a host loop lets its own pending events (the operator's
    // clicks and typing, repaints) run too.
    void setDoEventsHook(std::function<void()> hook) { doEventsHook_ = std::move(hook); }

    // Where a failure that escapes a handler goes (the error log); the handler just ends.
    void setFailureHandler(std::function<void(const std::string&)> f) { onFailure_ = std::move(f); }
    // Called when a handler ends the program (ProgramEnded); the loop stops afterwards.
    void setEndedHandler(std::function<void()> f) { onEnded_ = std::move(f); }
    // Runs one piece of work as a handler: a failure goes to the failure handler and the caller
    // goes on.
    void runGuarded(const std::string& what, const std::function<void()>& work);
    // Where the loop's own notices go (the error log), as plain lines.
    void setNoticeHandler(std::function<void(const std::string&)> f) { onNotice_ = std::move(f); }
    // The wall clock moved on by `seconds` at once, to the second `to` (set forward, daylight
    // saving, the machine slept): one notice for the step, however many schedulers see it.
    void clockSteppedForward(LocalMs to, std::int64_t seconds);
    int depth() const { return depth_; }

    // Names the handler that runs while it lives, for what asks which handler is on the stack
    // (the simulated node, telling who made a call): an EchoLink event a window handles, an
    // operator's action. Timers are named by themselves.
    class NamedHandler {
    public:
        NamedHandler(EventLoop& loop, std::string name);
        ~NamedHandler();
        NamedHandler(const NamedHandler&) = delete;
        NamedHandler& operator=(const NamedHandler&) = delete;

    private:
        EventLoop& loop_;
        std::string name_;
    };
    // The innermost handler on the stack: "WINDOW.TIMER" for a timer (a one-second scheduler's
    // late seconds included), the name a NamedHandler gave, "event" for queued work nobody named,
    // "" outside every handler.
    std::string currentHandler() const;
    std::uint64_t dispatched() const { return dispatched_; }
    std::uint64_t wakeups() const { return wakeups_; }   // real-clock waits for the next work

private:
    friend class Timer;
    struct Posted {
        std::int64_t due;
        std::uint64_t seq;
        std::function<void()> work;
    };
    void attach(Timer* t);
    void detach(Timer* t);
    void schedule(Timer* t);                  // (re)enter a timer after any change
    // The earliest armed timer due at `now` whose handler is not on the stack and, inside a
    // doEvents pass, that has not ticked in that pass yet; nullptr if none.
    Timer* dueTimer(std::int64_t now, std::uint64_t pass = 0);
    // The first step of the shared timer grid at or after the tick.
    static std::int64_t onGrid(std::int64_t tick);
    std::int64_t nextDeadline();              // tick of the next work, INT64_MAX if none
    bool dispatchOne(std::int64_t now);       // one posted event or one timer due at `now`
    void runTimer(Timer* t);
    void runTimerHandler(Timer* t);
    void runEvent(const std::function<void()>& work);
    // Runs work as a handler; `what` names it for the error log, built only on failure.
    template <class Describe>
    void guarded(const Describe& what, const std::function<void()>& work);
    bool takePosted(std::int64_t now, std::uint64_t maxSeq, std::function<void()>& out);
    std::int64_t firstPostedDue(std::int64_t now);   // INT64_MAX when nothing queued is due

    Clock& clock_;
    TimerQueue queue_;
    // Timers whose handlers are on the stack, and whether each still exists: a handler may
    // destroy its own timer (a window closing), which must not be touched afterwards.
    std::vector<std::pair<Timer*, bool>> onStack_;
    // The handlers on the stack, innermost last: a timer, a NamedHandler's name, or queued work
    // (neither).
    struct NamedFrame {
        const Timer* timer;
        const std::string* name;
    };
    std::vector<NamedFrame> named_;
    std::deque<Posted> posted_;
    std::mutex mutex_;
    std::condition_variable wake_;
    std::function<void()> wakeup_;
    std::function<void()> doEventsHook_;
    std::function<void(const std::string&)> onFailure_;
    std::function<void(const std::string&)> onNotice_;
    std::function<void()> onEnded_;
    std::uint64_t seq_ = 0;
    std::uint64_t timerOrder_ = 0;
    std::uint64_t dispatched_ = 0;
    std::uint64_t wakeups_ = 0;
    std::uint64_t doEventsPasses_ = 0;
    LocalMs reportedClockStep_ = 0;   // the last second before the last reported clock step
    int timersHeld_ = 0;
    // While a handler runs: the timers due in (laterFrom_, laterTo_] were overdue when it began
    // and come after it in due order; a doEvents inside it leaves them for later.
    std::int64_t laterFrom_ = 0;
    std::int64_t laterTo_ = 0;
    // While a timer's handler runs: the grid step it fell due in and its creation order. Timers
    // due in that step but created after it come after it, as they would from windows created one
    // after another; a doEvents inside it leaves them for later too.
    std::int64_t tieStep_ = kNoTie;
    std::uint64_t tieOrder_ = 0;
    static constexpr std::int64_t kNoTie = -1;
    int depth_ = 0;
    std::atomic<bool> quit_{false};   // quit() may come from another thread
};
