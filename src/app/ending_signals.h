#pragma once
// SIGINT, SIGTERM and SIGHUP end the program the way EchoLink closing does, on the loop's
// thread, never in the middle of a handler; SIGPIPE is ignored (a reader that goes away is no
// reason to end). An end signal always ends the program: one whose loop has not ended within
// the grace period after the first end signal (a loop held in a library call that never returns)
// is ended by that signal, with a line on standard error, after `forcedEndRelease` has released
// what the station holds on the air.
#include <chrono>

// Takes the three signals (call it before any thread starts), ignores SIGPIPE, and gives a
// descriptor that becomes readable when one arrives; -1 when none could be made.
int takeEndingSignals(std::chrono::seconds grace = std::chrono::seconds(5));
// The number of the signal that arrived on that descriptor, or 0.
int readEndingSignal(int fd);
// Whether an end signal has arrived. Blocking work that can stop early (long speech) asks it,
// so the closing duties run without waiting for the work's natural end. Any thread may ask.
bool endSignalArrived();
// Runs in the signal handler of a forced end, just before the process goes: it may call only
// what a signal handler may (write(2), atomics). nullptr for none.
void setForcedEndRelease(void (*release)());
