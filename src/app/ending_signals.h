#pragma once
// SIGINT, SIGTERM and SIGHUP end the program the way EchoLink closing does, on the loop's
// thread, never in the middle of a handler; SIGPIPE is ignored (a reader that goes away is no
// reason to end). An end signal always ends the program: one whose loop has not ended within
// the grace period after the first end signal (a loop held in a library call that never returns)
// is ended by that signal, with a line on standard error.
#include <chrono>

// Takes the three signals (call it before any thread starts), ignores SIGPIPE, and gives a
// descriptor that becomes readable when one arrives; -1 when none could be made.
int takeEndingSignals(std::chrono::seconds grace = std::chrono::seconds(5));
// The number of the signal that arrived on that descriptor, or 0.
int readEndingSignal(int fd);
