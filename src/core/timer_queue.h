#pragma once
// The armed timers in due order, kept as one sorted run with the earliest at the back.
// A tick takes the last entry off and puts it back a few places further in: the few timers that
// tick every grid step sit at the back, so neither the search nor the move reaches the many that
// tick once a second or less. A re-armed, disabled or destroyed timer moves or leaves at once, so
// no stale entries pile up.
#include <cstdint>
#include <vector>

class Timer;

class TimerQueue {
public:
    // Puts the timer in by its due time (creation order breaks ties), or moves it if it is in.
    void place(Timer* t);
    void remove(Timer* t);
    bool empty() const { return run_.empty(); }
    Timer* first() const { return run_.back().timer; }
    std::int64_t firstDue() const { return run_.back().due; }

private:
    // The keys sit in the run itself, so ordering never reaches into the timers.
    struct Entry {
        std::int64_t due;
        std::uint64_t order;
        Timer* timer;
        bool operator<(const Entry& o) const { return due != o.due ? due < o.due : order < o.order; }
    };
    void take(Timer* t);
    std::vector<Entry> run_;   // latest first, earliest last
};
