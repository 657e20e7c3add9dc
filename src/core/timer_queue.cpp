#include "core/timer_queue.h"

#include "core/timer.h"

void TimerQueue::take(Timer* t) {
    // Searched from the back: the timer that just ticked is the last entry.
    for (std::size_t i = run_.size(); i-- > 0;) {
        if (run_[i].timer != t) continue;
        run_.erase(run_.begin() + static_cast<std::ptrdiff_t>(i));
        return;
    }
}

void TimerQueue::place(Timer* t) {
    if (t->queued_) take(t);
    const Entry e{t->due_, t->order_, t};
    std::size_t i = run_.size();
    while (i > 0 && run_[i - 1] < e) --i;
    run_.insert(run_.begin() + static_cast<std::ptrdiff_t>(i), e);
    t->queued_ = true;
}

void TimerQueue::remove(Timer* t) {
    if (!t->queued_) return;
    take(t);
    t->queued_ = false;
}
