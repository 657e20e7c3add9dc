#pragma once
// SIGINT, SIGTERM and SIGHUP end the program the way EchoLink closing does, on the loop's
// thread, never in the middle of a handler; SIGPIPE is ignored (a reader that goes away is no
// reason to end).
#include <string>

// Blocks the three signals in this thread and in every thread it starts afterwards (so call it
// before any thread starts), ignores SIGPIPE, and gives a descriptor that becomes readable when
// one arrives; -1 when none could be made.
int takeEndingSignals();
// The number of the signal that arrived on that descriptor, or 0.
int readEndingSignal(int fd);
