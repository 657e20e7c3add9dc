// The transcript as the running program uses it: streamed to its readers, kept only for tests.
#include <gtest/gtest.h>

#include "core/transcript.h"

TEST(TranscriptTest, AProgramThatKeepsNoLinesStillHandsEveryLineToItsReadersStamped) {
    VirtualClock clock(0);
    Transcript transcript(clock);
    transcript.record("before");
    transcript.keepLines(false);
    std::vector<std::string> heard;
    transcript.onLine([&](const std::string& line) { heard.push_back(line); });

    for (int i = 0; i < 10000; ++i) {
        clock.advance(1000);
        transcript.record("KEY on");
    }

    ASSERT_EQ(heard.size(), 10000u);
    EXPECT_NE(heard.back().find(" KEY on"), std::string::npos);
    EXPECT_NE(heard.front(), heard.back()) << "each line carries its own time";
    EXPECT_TRUE(transcript.lines().empty());
    EXPECT_TRUE(transcript.stamped().empty());
    EXPECT_EQ(transcript.count("KEY"), 0);
}

TEST(TranscriptTest, ByDefaultTestsCanReadBackWhatWasRecorded) {
    VirtualClock clock(0);
    Transcript transcript(clock);
    transcript.record("KEY on");
    transcript.record("KEY off");
    EXPECT_EQ(transcript.lines(), (std::vector<std::string>{"KEY on", "KEY off"}));
    EXPECT_EQ(transcript.count("KEY"), 2);
}
