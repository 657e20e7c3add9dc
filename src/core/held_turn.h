#pragma once
// A scheduled turn (a beacon) that falls due while this station's own transmission is on the air
// waits for that transmission to end and then goes out; one that finds a station talking is
// lost, as is a waiting one that a station's talking overtakes. A turn due while one already
// waits does not queue a second: at most one turn a schedule is ever held.

// What is on the air at a schedule's tick.
enum class Airtime {
    Free,              // nothing: a turn may go out
    OwnTransmission,   // this station is transmitting: a due turn waits
    StationTalking,    // activity, carrier or a received signal: a due turn is lost
};

class HeldTurn {
public:
    // Called on every tick of the schedule, `due` when its turn falls due on this tick. True
    // when the turn goes out now.
    bool take(bool due, Airtime air) {
        if (due) waiting_ = true;
        if (!waiting_) return false;
        if (air == Airtime::OwnTransmission) return false;
        waiting_ = false;
        return air == Airtime::Free;
    }
    // The same, asking what is on the air only when a turn is due or waiting.
    template <class ReadAir>
    bool take(bool due, ReadAir&& readAir) {
        if (!due && !waiting_) return false;
        return take(due, readAir());
    }
    bool waiting() const { return waiting_; }
    void drop() { waiting_ = false; }

private:
    bool waiting_ = false;
};
