#include <gtest/gtest.h>

#include "player_test_support.h"

TEST(ProgressDisplay, FormatsSecondsAsClockText) {
    const std::pair<double, const char*> table[] = {
        {0, "00:00:00"},         {0.99, "00:00:00"},      {-5, "00:00:00"},       {1, "00:00:01"},
        {3725.9, "01:02:05"},    {86399, "23:59:59"},     {86400 + 61, "24:01:01"}, {25 * 3600, "24:59:59"},
        {1e12, "24:59:59"},
    };
    for (const auto& [seconds, text] : table) EXPECT_EQ(Form1::FormatHMS(seconds), text) << seconds;
}

TEST(ProgressDisplay, NothingLoadedLeavesTheLabelsAtZero) {
    Station s;
    Form1& p = s.app().form1();
    s.advance(3);
    EXPECT_EQ(p.Label1.caption(), "0");
    EXPECT_EQ(p.Label2.caption(), "0");
    EXPECT_EQ(p.Label3.caption(), "0");
    EXPECT_EQ(p.Text1.text(), "00:00:00");
    EXPECT_FALSE(s.node().keyed());
    EXPECT_TRUE(s.transcript().lines().empty());
}

TEST(ProgressDisplay, PositionLabelEqualsLengthLabelAtTheEnd) {
    // Lengths that do not fall on a timer tick or a whole second.
    for (const double length : {0.37, 1.015, 2.9999, 61.123456}) {
        SCOPED_TRACE(length);
        Station s;
        const std::string file = audioFile(s, "f.wav", length);
        transmit(s, file);
        Form1& p = s.app().form1();
        EXPECT_EQ(p.Label1.caption(), "1");   // never taken for an ended file before its first tick
        s.advance(length + 1);
        EXPECT_EQ(p.Label2.caption(), p.Label3.caption());
        EXPECT_EQ(p.Label1.caption(), "0");
        EXPECT_FALSE(s.node().keyed());
    }
}
