#include "core/timer_queue.h"

#include "core/timer.h"

namespace {
constexpr std::size_t kOut = static_cast<std::size_t>(-1);
}

void TimerQueue::set(std::size_t i, const Entry& e) {
    heap_[i] = e;
    e.timer->queueIndex_ = i;
}

void TimerQueue::up(std::size_t i) {
    const Entry e = heap_[i];
    while (i > 0) {
        const std::size_t parent = (i - 1) / 2;
        if (!(e < heap_[parent])) break;
        set(i, heap_[parent]);
        i = parent;
    }
    set(i, e);
}

void TimerQueue::down(std::size_t i) {
    const Entry e = heap_[i];
    const std::size_t n = heap_.size();
    for (;;) {
        std::size_t child = 2 * i + 1;
        if (child >= n) break;
        if (child + 1 < n && heap_[child + 1] < heap_[child]) ++child;
        if (!(heap_[child] < e)) break;
        set(i, heap_[child]);
        i = child;
    }
    set(i, e);
}

void TimerQueue::place(Timer* t) {
    const Entry e{t->due_, t->order_, t};
    if (t->queueIndex_ == kOut) {
        heap_.push_back(e);
        up(heap_.size() - 1);
        return;
    }
    const std::size_t i = t->queueIndex_;
    heap_[i] = e;
    up(i);
    down(t->queueIndex_);
}

void TimerQueue::remove(Timer* t) {
    const std::size_t i = t->queueIndex_;
    if (i == kOut) return;
    t->queueIndex_ = kOut;
    const Entry last = heap_.back();
    heap_.pop_back();
    if (last.timer == t) return;
    set(i, last);
    up(i);
    down(last.timer->queueIndex_);
}
