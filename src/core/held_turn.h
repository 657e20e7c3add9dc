#pragma once
// A scheduled turn (a beacon) that falls due while this station's own transmission is on the air
// waits for that transmission to end and then goes out; one that finds a station talking is
// lost, as is a waiting one that a station's talking overtakes. A turn due while one already
// waits does not queue a second: at most one turn a schedule is ever held. A stop the operator
// or a DTMF code asks for means quiet: a turn waiting then is dropped, and the schedule's next
// turn comes as usual.
#include <cstdint>

// What is on the air at a schedule's tick.
enum class Airtime {
    Free,              // nothing: a turn may go out
    OwnTransmission,   // this station is transmitting: a due turn waits
    StationTalking,    // activity, carrier or a received signal: a due turn is lost
};

class HeldTurn {
public:
    // Called on every tick of the schedule, `due` when its turn falls due on this tick; `stops`
    // counts the stops asked for so far. True when the turn goes out now.
    bool take(bool due, std::uint64_t stops, Airtime air) {
        dropIfStoppedSince(stops);
        if (due) {
            waiting_ = true;
            stopsWhenDue_ = stops;
        }
        if (!waiting_) return false;
        if (air == Airtime::OwnTransmission) return false;
        waiting_ = false;
        return air == Airtime::Free;
    }
    bool waiting() const { return waiting_; }
    void drop() { waiting_ = false; }

private:
    void dropIfStoppedSince(std::uint64_t stops) {
        if (waiting_ && stops != stopsWhenDue_) waiting_ = false;
    }
    bool waiting_ = false;
    std::uint64_t stopsWhenDue_ = 0;
};
