#pragma once
// What the node holds on the air (the transmitter keyed, the RTS and DTR lines up), kept where a
// signal handler can reach it. A program ended by force, its loop held in a call that never
// returns, never reaches its closing duties; releaseHeldOnAir() lets go of everything the node
// still holds and writes the release into the transcript on standard output, using only what a
// signal handler may.
#include "core/clock.h"

namespace held_on_air {
enum : unsigned { Key = 1u, Rts = 2u, Dtr = 4u };
}

// The node's holdings after a change, and the station clock's time then. From the node's thread.
void publishHeldOnAir(unsigned held, LocalMs stationNow);
// Async-signal-safe: a transcript line ("hh:mm:ss.mmm KEY off") for each thing released.
void releaseHeldOnAir();
