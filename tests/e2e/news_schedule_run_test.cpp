// A scheduled news bulletin through the real program in virtual time, Thursday 10 December 2026.
#include <gtest/gtest.h>

#include <string>

#include "e2e/run_binary.h"

// The start is tried in seconds 15 to 20 of its minute; a file that is not there is told once.
TEST(E2E_NewsSchedule, AMissingBulletinFileIsLoggedOnceAndNothingGoesOnTheAir) {
    TempFolder folder;
    const auto run = runHeadless(folder,
                                 "show Form24\n"
                                 "set Form24.Thur3 1\nset Form24.Hour3 12\nset Form24.Mins3 01\n"
                                 "set Form24.Text4x /no/such/folder/news.mp3\n"
                                 "wait 90\n",
                                 "--virtual-time \"2026-12-10 12:00:30\"");
    ASSERT_EQ(run.err, "");
    int logged = 0, keyed = 0;
    for (const auto& line : run.out) {
        if (line.find("/no/such/folder/news.mp3 <-- File not found") != std::string::npos) ++logged;
        if (line.find(" KEY on") != std::string::npos) ++keyed;
    }
    EXPECT_EQ(logged, 1);
    EXPECT_EQ(keyed, 0);
}
