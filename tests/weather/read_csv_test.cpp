#include "weather/read_csv.h"

#include <gtest/gtest.h>

#include <ostream>
#include <random>
#include <string>
#include <vector>

using ReadCSV::ParseCSV;

namespace {
// Q stands for a double quote and _ for a blank, so the table reads like the lines it tests.
std::string expand(std::string s) {
    for (char& c : s) {
        if (c == 'Q') c = '"';
        if (c == '_') c = ' ';
    }
    return s;
}

std::vector<std::string> fields(const std::string& line) { return ParseCSV(expand(line), ",", "\""); }

std::vector<std::string> expanded(std::vector<std::string> v) {
    for (auto& f : v) f = expand(f);
    return v;
}
}  // namespace

struct SplitCase {
    const char* line;
    std::vector<std::string> fields;
};

void PrintTo(const SplitCase& c, std::ostream* os) { *os << "line \"" << c.line << "\""; }

class CsvSplit : public ::testing::TestWithParam<SplitCase> {};

TEST_P(CsvSplit, SplitsIntoTheExpectedFields) {
    EXPECT_EQ(fields(GetParam().line), expanded(GetParam().fields)) << GetParam().line;
}

INSTANTIATE_TEST_SUITE_P(
    QuotingAndEmptyFields, CsvSplit,
    ::testing::Values(SplitCase{"", {""}}, SplitCase{"a,b", {"a", "b"}}, SplitCase{"a,", {"a", ""}},
                      SplitCase{",a", {"", "a"}}, SplitCase{",", {"", ""}}, SplitCase{"a,,b", {"a", "", "b"}},
                      SplitCase{"_a_,_b_", {"_a_", "_b_"}}, SplitCase{"___", {"___"}},
                      SplitCase{"Qa,bQ,c", {"a,b", "c"}}, SplitCase{"__Qa_Q,b", {"a_", "b"}},
                      SplitCase{"QaQ_x,b", {"a", "b"}}, SplitCase{"QaQQbQ,c", {"a", "c"}},
                      SplitCase{"Qab,c", {"ab,c"}}, SplitCase{"QaQb", {"a"}}, SplitCase{"QaQ,", {"a", ""}},
                      SplitCase{"Q", {""}}, SplitCase{"QQ", {""}}, SplitCase{"QQ,x", {"", "x"}},
                      SplitCase{"aQb,c", {"aQb", "c"}},
                      SplitCase{"12/10/2026,QKLNK Lincoln, NEQ,15,30", {"12/10/2026", "KLNK Lincoln, NE", "15", "30"}}));

TEST(CsvSplitter, TabIsNoBlankBeforeAnOpeningQuote) {
    EXPECT_EQ(ParseCSV("\t\"a\",b", ",", "\""), (std::vector<std::string>{"\t\"a\"", "b"}));
}

TEST(CsvSplitter, SecondCharacterOfALongDelimiterBeginsTheNextField) {
    EXPECT_EQ(ParseCSV("a::b", "::", "\""), (std::vector<std::string>{"a", ":b"}));
}

TEST(CsvSplitter, QuoteOfTwoCharactersNeverOpensAField) {
    EXPECT_EQ(ParseCSV("''a,b'',c", ",", "''"), (std::vector<std::string>{"''a", "b''", "c"}));
}

TEST(CsvSplitter, EmptyDelimiterLeavesTheLineWholeAndEmptyQuoteQuotesNothing) {
    EXPECT_EQ(ParseCSV("a,b", "", "\""), (std::vector<std::string>{"a,b"}));
    EXPECT_EQ(ParseCSV("\"a,b\",c", ",", ""), (std::vector<std::string>{"\"a", "b\"", "c"}));
}

TEST(CsvSplitter, LongLinesOfShortFieldsSplitAndOverlongFieldsAreRefused) {
    std::string line;
    for (int i = 0; i < 5000; ++i) line += "field" + std::to_string(i) + ",";
    const auto many = ParseCSV(line, ",", "\"");
    ASSERT_EQ(many.size(), 5001u);
    EXPECT_EQ(many[4999], "field4999");
    EXPECT_EQ(many[5000], "");

    EXPECT_EQ(ParseCSV(std::string(32765, 'x') + ",y", ",", "\"").size(), 2u);
    EXPECT_THROW(ParseCSV(std::string(32767, 'x') + ",y", ",", "\""), ReadCSV::OverflowError);
    EXPECT_THROW(ParseCSV("\"" + std::string(40000, 'x') + "\"", ",", "\""), ReadCSV::OverflowError);
    EXPECT_THROW(ParseCSV(std::string(32768, ','), ",", "\""), ReadCSV::OverflowError);
    EXPECT_EQ(ParseCSV(std::string(32766, ','), ",", "\"").size(), 32767u);
}

// Random lines over a small alphabet rich in delimiters, quotes and blanks: every split ends, yields
// at least one field, and (below the limits) gives fields that all come from the line.
TEST(CsvSplitter, SeededRandomLinesNeverBreakTheSplitter) {
    std::mt19937 rng(20261210);
    const std::string alphabet = ",\":  ab\t\r\n\x01\xff";
    const std::vector<std::pair<std::string, std::string>> settings = {{",", "\""}, {":", "\""}, {"::", "\""},
                                                                       {",", "''"}, {"", "\""},  {",", ""}};
    for (int round = 0; round < 4000; ++round) {
        std::string line(rng() % 80, ' ');
        for (char& c : line) c = alphabet[rng() % alphabet.size()];
        const auto& [delimit, quote] = settings[rng() % settings.size()];
        const auto result = ParseCSV(line, delimit, quote);
        ASSERT_FALSE(result.empty());
        size_t total = 0;
        for (const auto& f : result) {
            total += f.size();
            if (!f.empty()) ASSERT_NE(line.find(f), std::string::npos) << line;
        }
        ASSERT_LE(total, line.size());
    }
}
