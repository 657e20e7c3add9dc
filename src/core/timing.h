#pragma once
// The station's fixed blocking delays and timer resolution, in one place.
#include <cstdint>

namespace timing {
constexpr int kTimerResolutionMs = 16;     // shorter intervals tick this often, and the loop wakes on this grid
constexpr int kSecondAlignOffsetMs = 10;   // the one-second scheduler ticks just after the wall-clock second
constexpr int kKeyUpDelayMs = 300;         // after keying, before audio starts
constexpr int kTailDelay1Ms = 150;         // "Delay 1"
constexpr int kTailDelay2Ms = 225;         // "Delay 2"
constexpr int kSpeechDelayStepMs = 150;    // one step of the speech delay
// A one-second scheduler replays the seconds a blocked thread missed, up to this many; a longer
// gap is the clock being set forward (or the machine sleeping), and only the new second counts.
constexpr int kMaxCatchUpSeconds = 1800;
// A clock that went back by more than this was set back: seconds count afresh from the new time.
// A smaller step back (a clock being trimmed) waits until the last second handed over has passed.
constexpr int kClockSetBackMs = 60 * 1000;
}  // namespace timing
