#pragma once
// The armed timers in due order: a binary heap in which each timer knows its own place, so a
// timer that is re-armed, disabled or destroyed moves or leaves at once and the heap holds no
// stale entries to wade through on every tick.
#include <cstdint>
#include <vector>

class Timer;

class TimerQueue {
public:
    // Puts the timer in by its due time (creation order breaks ties), or moves it if it is in.
    void place(Timer* t);
    void remove(Timer* t);
    bool empty() const { return heap_.empty(); }
    Timer* first() const { return heap_.front().timer; }
    std::int64_t firstDue() const { return heap_.front().due; }

private:
    // The keys sit in the heap itself, so ordering never reaches into the timers.
    struct Entry {
        std::int64_t due;
        std::uint64_t order;
        Timer* timer;
        bool operator<(const Entry& o) const { return due != o.due ? due < o.due : order < o.order; }
    };
    void set(std::size_t i, const Entry& e);
    void up(std::size_t i);
    void down(std::size_t i);
    std::vector<Entry> heap_;
};
