#include "core/event_loop.h"

#include <algorithm>
#include <cstdlib>
#include <exception>
#include <limits>
#include <memory>

#include "core/form.h"
#include "core/step.h"
#include "core/timer.h"
#include "core/timing.h"

namespace {
constexpr std::int64_t kNever = std::numeric_limits<std::int64_t>::max();
}

EventLoop::EventLoop(Clock& clock) : clock_(clock) {}

EventLoop::~EventLoop() = default;

void EventLoop::post(std::function<void()> work, std::int64_t delayMs) {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        posted_.push_back({clock_.tickCount() + std::max<std::int64_t>(0, delayMs), ++seq_, std::move(work)});
    }
    wake_.notify_all();
    if (wakeup_) wakeup_();
}

void EventLoop::attach(Timer* t) { t->order_ = ++timerOrder_; }

void EventLoop::detach(Timer* t) {
    queue_.remove(t);
    for (auto& [timer, exists] : onStack_)
        if (timer == t) exists = false;
}

void EventLoop::schedule(Timer* t) {
    // A timer whose handler is on the stack keeps its place until the handler ends (runTimer
    // set its next tick); a change of interval or a restart inside the handler waits until then.
    if (t->running_) {
        t->changedWhileRunning_ = true;
        return;
    }
    if (t->armed())
        queue_.place(t);
    else
        queue_.remove(t);
}

Timer* EventLoop::dueTimer(std::int64_t now, std::uint64_t pass) {
    if (queue_.empty() || queue_.firstDue() > now) return nullptr;
    const auto waits = [this, pass](const Timer* t) {
        return t->running_ || (pass != 0 && (t->pass_ == pass || (t->due_ > laterFrom_ && t->due_ <= laterTo_) ||
                                             (t->order_ > tieOrder_ && onGrid(t->due_) == tieStep_)));
    };
    Timer* t = queue_.first();
    if (!waits(t)) return t;
    // Rare: a handler on the stack blocked past its own next tick, or a timer already ticked in
    // this doEvents pass is due again. It keeps its place in the queue but waits; whatever is due
    // behind it runs.
    std::vector<Timer*> waiting;
    while (!queue_.empty() && queue_.firstDue() <= now && waits(queue_.first())) {
        waiting.push_back(queue_.first());
        queue_.remove(queue_.first());
    }
    Timer* found = !queue_.empty() && queue_.firstDue() <= now ? queue_.first() : nullptr;
    for (Timer* w : waiting) queue_.place(w);
    return found;
}

std::int64_t EventLoop::onGrid(std::int64_t tick) {
    constexpr std::int64_t step = timing::kTimerResolutionMs;
    return tick == kNever ? kNever : tick + (step - ((tick % step) + step) % step) % step;
}

std::int64_t EventLoop::nextDeadline() {
    std::int64_t next = kNever;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        for (const Posted& p : posted_) next = std::min(next, p.due);
    }
    if (Timer* t = dueTimer(kNever)) next = std::min(next, t->due_);
    return next;
}

std::int64_t EventLoop::firstPostedDue(std::int64_t now) {
    std::lock_guard<std::mutex> lock(mutex_);
    std::int64_t first = kNever;
    for (const Posted& p : posted_)
        if (p.due <= now) first = std::min(first, p.due);
    return first;
}

bool EventLoop::takePosted(std::int64_t now, std::uint64_t maxSeq, std::function<void()>& out) {
    std::lock_guard<std::mutex> lock(mutex_);
    auto best = posted_.end();
    for (auto it = posted_.begin(); it != posted_.end(); ++it) {
        if (it->due > now || it->seq > maxSeq) continue;
        if (best == posted_.end() || it->due < best->due || (it->due == best->due && it->seq < best->seq)) best = it;
    }
    if (best == posted_.end()) return false;
    out = std::move(best->work);
    posted_.erase(best);
    return true;
}

void EventLoop::runGuarded(const std::string& what, const std::function<void()>& work) {
    guarded([&] { return what; }, work);
}

template <class Describe>
void EventLoop::guarded(const Describe& what, const std::function<void()>& work) {
    ++depth_;
    ++dispatched_;
    try {
        work();
    } catch (const ProgramEnded&) {
        --depth_;
        quit_ = true;
        if (depth_ == 0) {
            if (onEnded_) onEnded_();
            return;
        }
        throw;  // unwind the outer handlers too: the program has ended
    } catch (const std::exception& e) {
        if (onFailure_) onFailure_(what() + ": " + e.what());
    } catch (...) {
        if (onFailure_) onFailure_(what() + ": unknown failure");
    }
    --depth_;
}

void EventLoop::runTimer(Timer* t) {
    // The next tick is set before the handler runs, so a handler that blocks past it finds it due.
    t->due_ = t->nextTick(t->due_, clock_.tickCount());
    t->running_ = true;
    queue_.place(t);   // one step down the queue, instead of out and in again
    onStack_.emplace_back(t, true);
    struct ClearRunning {
        EventLoop* loop;
        ~ClearRunning() {
            const auto [t, exists] = loop->onStack_.back();
            loop->onStack_.pop_back();
            if (!exists) return;
            t->running_ = false;
            if (!t->changedWhileRunning_) return;   // it already stands at its next tick
            t->changedWhileRunning_ = false;
            loop->schedule(t);
        }
    } clear{this};
    runTimerHandler(t);
}

void EventLoop::runTimerHandler(Timer* t) {
    if (!t->onTick_) return;
    // Copies: the handler may replace itself, and the timer may end inside it. A timer's name is
    // short enough to copy without allocating, and is needed only if the handler fails.
    const auto handler = t->onTick_;
    const std::string name = t->name_;
    named_.push_back({t, nullptr});
    struct Unname {
        std::vector<NamedFrame>& named;
        ~Unname() { named.pop_back(); }
    } unname{named_};
    guarded([&] { return "timer " + name; }, handler);
}

// Queued work: nobody has named it unless it names itself (a NamedHandler inside).
void EventLoop::runEvent(const std::function<void()>& work) {
    named_.push_back({nullptr, nullptr});
    struct Unname {
        std::vector<NamedFrame>& named;
        ~Unname() { named.pop_back(); }
    } unname{named_};
    guarded([] { return std::string("event"); }, work);
}

EventLoop::NamedHandler::NamedHandler(EventLoop& loop, std::string name) : loop_(loop), name_(std::move(name)) {
    loop_.named_.push_back({nullptr, &name_});
}

EventLoop::NamedHandler::~NamedHandler() { loop_.named_.pop_back(); }

std::string EventLoop::currentHandler() const {
    if (named_.empty()) return "";
    const NamedFrame& f = named_.back();
    if (f.name) return *f.name;
    if (!f.timer) return "event";
    // A timer whose handler ended its own window is no longer there to name.
    const bool exists = std::any_of(onStack_.begin(), onStack_.end(),
                                    [&](const auto& entry) { return entry.first == f.timer && entry.second; });
    if (!exists) return "timer";
    return f.timer->owner() ? f.timer->owner()->name() + "." + f.timer->name() : f.timer->name();
}

// What came due first runs first: after blocking work, queued events, overdue timers and late
// seconds take their turns in the order they fell due (a queued event first on a tie).
// A handler that lets pending work run part-way through does not let what is later in that order
// overtake it: timers that were already overdue when it began, but fell due after its own grid
// step, wait until it has ended; so do timers due in its own step that were created after it, as
// the timers of windows created one after another would come after it. What falls due while it
// runs may run inside it.
bool EventLoop::dispatchOne(std::int64_t now) {
    const std::int64_t postedDue = firstPostedDue(now);
    Timer* t = dueTimer(now);
    const bool posted = postedDue != kNever && (!t || postedDue <= t->due_);
    if (!posted && !t) return false;
    struct LaterWait {
        EventLoop& loop;
        std::int64_t from, to, tieStep;
        std::uint64_t tieOrder;
        LaterWait(EventLoop& l, std::int64_t due, std::int64_t now, const Timer* timer)
            : loop(l), from(l.laterFrom_), to(l.laterTo_), tieStep(l.tieStep_), tieOrder(l.tieOrder_) {
            loop.laterFrom_ = onGrid(due);
            loop.laterTo_ = now;
            loop.tieStep_ = timer ? onGrid(due) : kNoTie;
            loop.tieOrder_ = timer ? timer->order_ : 0;
        }
        ~LaterWait() {
            loop.laterFrom_ = from;
            loop.laterTo_ = to;
            loop.tieStep_ = tieStep;
            loop.tieOrder_ = tieOrder;
        }
    } later(*this, posted ? postedDue : t->due_, now, posted ? nullptr : t);
    if (posted) {
        std::function<void()> work;
        if (takePosted(now, std::numeric_limits<std::uint64_t>::max(), work)) {
            runEvent(work);
            return true;
        }
        if (!t) return false;
    }
    runTimer(t);
    return true;
}

void EventLoop::doEvents() {
    if (quit_) return;
    if (doEventsHook_) doEventsHook_();
    if (quit_) return;
    const std::int64_t now = clock_.tickCount();
    std::uint64_t maxSeq;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        maxSeq = seq_;
    }
    std::function<void()> work;
    while (!quit_ && takePosted(now, maxSeq, work)) runEvent(work);
    if (timersHeld_ > 0) return;
    // Each due timer at most once, in due order (a one-second scheduler that is behind hands one
    // second in this pass, the rest later). A timer whose handler is on the stack waits.
    const std::uint64_t pass = ++doEventsPasses_;
    while (!quit_) {
        Timer* t = dueTimer(now, pass);
        if (!t) return;
        t->pass_ = pass;
        runTimer(t);
    }
}

// A clock change is no fault of the program: a plain line, once for all the schedulers.
void EventLoop::clockSteppedForward(LocalMs to, std::int64_t seconds) {
    // Known by where it came from: a scheduler that sees it late (after a blocking speech) sees
    // it go further, but from the same second.
    const LocalMs from = to - seconds * 1000;
    if (reportedClockStep_ != 0 && std::llabs(from - reportedClockStep_) <= 1000) return;
    reportedClockStep_ = from;
    if (onNotice_)
        onNotice_("The clock moved on by " + std::to_string(seconds) +
                  " s at once (set forward, daylight saving or the machine sleeping); the schedules go on from the new "
                  "time ");
}

void EventLoop::runFor(std::int64_t ms) {
    const std::int64_t target = clock_.tickCount() + ms;
    while (!quit_) {
        const std::int64_t now = clock_.tickCount();
        if (now > target) return;  // blocking work ran past the end: what is late runs next time
        if (dispatchOne(now)) continue;
        std::uint64_t seen;
        {
            std::lock_guard<std::mutex> lock(mutex_);
            seen = seq_;
        }
        // Work posted from another thread after this point ends the wait below at once.
        auto postedSince = [this, seen] { return seq_ != seen || quit_; };
        const std::int64_t due = nextDeadline();
        // Work due inside one grid step runs in one wake-up at the step's end, as the platform's
        // window timers all fire on one system tick. The end of a run is not moved: a caller that
        // waits a given time gets what falls due in it.
        const std::int64_t next = due <= now || due > target ? due : std::min(onGrid(due), target);
        if (next > target) {
            if (clock_.isVirtual()) {
                if (target > now) clock_.sleepFor(target - now);
            } else if (target > now) {
                ++wakeups_;
                std::unique_lock<std::mutex> lock(mutex_);
                wake_.wait_for(lock, std::chrono::milliseconds(target - now), postedSince);
                continue;
            }
            return;
        }
        if (next > now) {
            if (clock_.isVirtual()) {
                clock_.sleepFor(next - now);
            } else {
                ++wakeups_;
                std::unique_lock<std::mutex> lock(mutex_);
                wake_.wait_for(lock, std::chrono::milliseconds(next - now), postedSince);
            }
        }
    }
}

void EventLoop::run() {
    while (!quit_) runFor(3600 * 1000);
}

void EventLoop::quit() {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        quit_ = true;
    }
    wake_.notify_all();
    if (wakeup_) wakeup_();
}

std::int64_t EventLoop::msUntilNextWork() {
    const std::int64_t next = nextDeadline();
    if (next == kNever) return -1;
    const std::int64_t now = clock_.tickCount();
    return next <= now ? 0 : onGrid(next) - now;
}

void EventLoop::processDue() {
    const std::int64_t now = clock_.tickCount();
    // Bounded, so a host loop gets its own events in between.
    for (int i = 0; i < 1000 && !quit_ && dispatchOne(now); ++i) {
    }
}
