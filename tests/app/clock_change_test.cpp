// A wall clock that steps (daylight saving, a time correction) with every window's one-second
// schedulers running: one plain line in the error log, no internal error, and the schedules go
// on from the new time.
#include <gtest/gtest.h>

#include "app/app.h"
#include "core/datetime.h"
#include "speech/idents_window.h"
#include "support/station_fixture.h"

TEST(ClockChange, DaylightSavingIsOneLogLineNotAnInternalError) {
    Station s({"2026-03-29 01:59:50", "N0CALL-L", true});
    s.advance(10);   // 02:00:00 local standard time becomes 03:00:00 summer time
    s.clock().setTimeOfDay(*parseDateTime("2026-03-29 03:00:00"));
    s.advance(5.5);
    EXPECT_EQ(s.transcript().count("LOG \"Internal error"), 0);
    // From 01:59:59, the last second handed over before the step.
    EXPECT_EQ(s.transcript().count("LOG \"The clock moved on by"), 1);
    EXPECT_EQ(s.transcript().count("LOG \"The clock moved on by 3601 s at once"), 1);
    EXPECT_EQ(s.app().form3().Timer1.lastSecond(), *parseDateTime("2026-03-29 03:00:05"));
}
