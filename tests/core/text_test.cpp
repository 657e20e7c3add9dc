// The conversions every window relies on, in one table each.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <limits>

#include "core/datetime.h"
#include "core/text.h"

TEST(Text, StrictNumberReads) {
    struct Case {
        const char* text;
        bool ok;
        double value;
    } cases[] = {
        {"5", true, 5},   {" 12 ", true, 12}, {"-3.5", true, -3.5}, {"00", true, 0},  {"+7", true, 7},
        {"", false, 0},   {"  ", false, 0},   {"abc", false, 0},    {"5a", false, 0}, {"1.2.3", false, 0},
        {"-", false, 0},  {".5", true, 0.5},  {"1e3", true, 1000},
    };
    for (const auto& c : cases) {
        auto v = toNumber(c.text);
        EXPECT_EQ(v.has_value(), c.ok) << '"' << c.text << '"';
        if (v && c.ok) {
            EXPECT_DOUBLE_EQ(*v, c.value) << c.text;
        }
    }
    EXPECT_THROW(toLong(""), ConversionError);
    EXPECT_THROW(toLong("x1"), ConversionError);
    EXPECT_EQ(toLong("2.5"), 2) << "rounds half to even";
    EXPECT_EQ(toLong("3.5"), 4);
    EXPECT_THROW(toInt("99999999999"), ConversionError);
}

TEST(Text, LenientLeadingNumber) {
    struct Case {
        const char* text;
        double value;
    } cases[] = {{"12abc", 12}, {" 1 2 3", 123}, {"abc", 0}, {"", 0}, {"-4.5x", -4.5}, {"3.14.15", 3.14}};
    for (const auto& c : cases) EXPECT_DOUBLE_EQ(val(c.text), c.value) << c.text;
}

TEST(Text, BooleansAndNumberText) {
    EXPECT_EQ(toBool("True"), true);
    EXPECT_EQ(toBool("false"), false);
    EXPECT_EQ(toBool("1"), true);
    EXPECT_EQ(toBool("0"), false);
    EXPECT_EQ(toBool("-1"), true);
    EXPECT_FALSE(toBool("maybe").has_value());
    EXPECT_EQ(numberText(5), "5");
    EXPECT_EQ(numberText(1.5), "1.5");
    EXPECT_EQ(numberText(-1500), "-1500");
}

// Whole numbers take a short way through both conversions; it must agree with the general one.
TEST(Text, WholeNumbersReadAndWriteAsTheGeneralConversionsDo) {
    std::mt19937_64 random(25);
    for (int i = 0; i < 20000; ++i) {
        const int digits = 1 + static_cast<int>(random() % 17);
        std::string text = std::string(random() % 4 == 0 ? "-" : random() % 8 == 0 ? "+" : "");
        for (int d = 0; d < digits; ++d) text += static_cast<char>('0' + random() % 10);
        const double general = std::strtod(text.c_str(), nullptr);
        ASSERT_EQ(toNumber(text), general) << text;
        ASSERT_EQ(val(text), general) << text;
        char printed[64];
        std::snprintf(printed, sizeof printed, "%.0f", general);
        if (std::fabs(general) < 1e15) {
            ASSERT_EQ(numberText(general), printed) << text;
        }
    }
    std::uniform_real_distribution<double> fraction(-1, 1);
    for (int i = 0; i < 20000; ++i) {
        const double v = fraction(random) * std::pow(10.0, static_cast<int>(random() % 40) - 20);
        char printed[64];
        std::snprintf(printed, sizeof printed, "%.15g", v);
        ASSERT_EQ(numberText(v), printed) << printed;
    }
    EXPECT_EQ(numberText(-0.0), "-0");
    EXPECT_EQ(numberText(999999999999999.0), "999999999999999");
    EXPECT_EQ(numberText(1e15), "1e+15");
}

TEST(Text, StringFunctionsHaveForgivingBounds) {
    EXPECT_EQ(mid("abcdef", 2, 3), "bcd");
    EXPECT_EQ(mid("abc", 5), "");
    EXPECT_EQ(mid("abc", 0, 2), "ab");
    EXPECT_EQ(left("abc", 10), "abc");
    EXPECT_EQ(right("abc", 2), "bc");
    EXPECT_EQ(right("abc", -1), "");
    EXPECT_EQ(instr("hello", "l"), 3);
    EXPECT_EQ(instr("hello", "l", 4), 4);
    EXPECT_EQ(instr("hello", "z"), 0);
    EXPECT_EQ(instr("hello", "o", 99), 0);
    EXPECT_EQ(instrNoCase("Hello", "LL"), 3);
    EXPECT_EQ(trim("  a b  "), "a b");
    EXPECT_EQ(trim("\ta\t"), "\ta\t") << "only blanks are trimmed";
    EXPECT_EQ(replaceAll("a.b.c", ".", ". "), "a. b. c");
    EXPECT_EQ(quoted("say \"hi\"\n"), "\"say \\\"hi\\\"\\n\"");
}

TEST(DateTime, TextFormsAndWeekdays) {
    struct Case {
        const char* when;
        const char* time;
        const char* date;
        int weekday;
    } cases[] = {
        {"2026-12-10 13:59:58", "13:59:58", "10/12/2026", 5},  // a Thursday
        {"2026-12-13 00:00:00", "00:00:00", "13/12/2026", 1},  // Sunday is 1
        {"2026-12-19 23:59:59", "23:59:59", "19/12/2026", 7},  // Saturday is 7
        {"2024-02-29 09:05:00", "09:05:00", "29/02/2024", 5},
        {"1969-12-31 23:00:00", "23:00:00", "31/12/1969", 4},
    };
    for (const auto& c : cases) {
        auto t = parseDateTime(c.when);
        ASSERT_TRUE(t) << c.when;
        EXPECT_EQ(timeText(*t), c.time);
        EXPECT_EQ(shortDate(*t), c.date);
        EXPECT_EQ(weekday(*t), c.weekday) << c.when;
    }
    EXPECT_FALSE(parseDateTime("2026-13-01 00:00:00"));
    EXPECT_FALSE(parseDateTime("yesterday"));
}

TEST(Text, NumbersTooLargeForAnIntAreHeldAtItsEnds) {
    const int top = std::numeric_limits<int>::max(), bottom = std::numeric_limits<int>::min();
    struct Case {
        double in;
        int out;
    } cases[] = {
        {99999999999.0, top}, {1e300, top}, {-1e300, bottom}, {2147483647.0, top}, {2147483648.0, top},
        {-2147483649.0, bottom}, {12.9, 12}, {-12.9, -12}, {std::nan(""), 0},
    };
    for (const auto& c : cases) EXPECT_EQ(clampToInt(c.in), c.out) << c.in;
    EXPECT_EQ(clampToLong(1e300), std::numeric_limits<long>::max());
    EXPECT_EQ(clampToLong(-1e300), std::numeric_limits<long>::min());
    EXPECT_EQ(clampToLong(9223372036854775807.0), std::numeric_limits<long>::max());
    EXPECT_EQ(clampToLong(-42.5), -42);
}

TEST(DateTime, OnlyRealDatesInTheExactShapeAreTaken) {
    struct Case {
        const char* text;
        bool taken;
    } cases[] = {
        {"2026-12-10 12:00:00", true}, {"2026-12-10 12:00", true},   {"2024-02-29 00:00:00", true},
        {"2000-02-29 00:00:00", true}, {"2026-02-30 12:00:00", false}, {"2023-02-29 12:00:00", false},
        {"1900-02-29 12:00:00", false}, {"2026-04-31 12:00:00", false}, {"2026-12-10 12:00:00junk", false},
        {"2026-12-10 12:00:00 ", false}, {"12026-12-10 12:00:00", false}, {"2026-1-10 12:00:00", false},
        {"2026-12-10 24:00:00", false}, {"2026-12-10 12:60:00", false}, {"2026-12-10T12:00:00", false},
        {"+026-12-10 12:00:00", false}, {"", false},
    };
    for (const auto& c : cases) EXPECT_EQ(parseDateTime(c.text).has_value(), c.taken) << c.text;
}

TEST(Text, ALogKeepsItsNewestWholeLinesWithinItsBound) {
    struct Case {
        const char* log;
        const char* entry;
        size_t bound;
        const char* kept;
    } cases[] = {
        {"", "one\r\n", 100, "one\r\n"},
        {"one\r\ntwo\r\n", "three\r\n", 100, "one\r\ntwo\r\nthree\r\n"},
        {"one\r\ntwo\r\n", "three\r\n", 12, "two\r\nthree\r\n"},
        {"one\r\ntwo\r\n", "three\r\n", 7, "three\r\n"},
        {"one\r\n", "a longer entry than the bound\r\n", 5, "a longer entry than the bound\r\n"},
    };
    for (const auto& c : cases) EXPECT_EQ(appendToLog(c.log, c.entry, c.bound), c.kept) << c.log << "+" << c.entry;
    std::string log;
    for (int i = 0; i < 5000; ++i) log = appendToLog(log, "entry number " + std::to_string(i) + "\r\n\r\n");
    EXPECT_LE(log.size(), kLogBoxChars);
    EXPECT_TRUE(endsWith(log, "entry number 4999\r\n\r\n"));
    EXPECT_EQ(trimWhitespace(log).rfind("entry number ", 0), 0u) << "starts at a whole line";
}
