// What the weather reports take of the weather program's files: the conditions report the last
// line, read from the file's end; the parsers the lines joined, read from its head. Either way no
// more than a bounded number of bytes, whatever the line breaks.
#include <gtest/gtest.h>

#include "support/station_fixture.h"
#include "weather/weather_requests.h"

namespace {
using weather::kMostWeatherBytes;

TEST(WeatherFiles, TheLastLineIsTakenFromTheEndWhateverItsLineBreaks) {
    struct Case {
        const char* what;
        std::string bytes;
        bool read;
        std::string text;
        std::string problem;
    };
    const std::string longLine(kMostWeatherBytes, 'x');
    const Case cases[] = {
        {"CR LF lines", "a,b\r\nc,d\r\n", true, "c,d", ""},
        {"CR-only lines", "a,b\rc,d\r", true, "c,d", ""},
        {"LF lines, none at the end", "a,b\nc,d", true, "c,d", ""},
        {"an empty last line", "a,b\r\n\r\n", true, "", ""},
        {"an empty file", "", true, "", ""},
        {"a short line after a long one", longLine + "\r\nc,d\r\n", true, "c,d", ""},
        {"one line just inside the bound", longLine.substr(2) + "\r\n", true, longLine.substr(2), ""},
        {"one line past the bound", longLine + "y", true, "",
         "its last line is longer than " + std::to_string(kMostWeatherBytes) + " bytes"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        TempFolder f;
        f.write("wx.csv", c.bytes);
        const auto t = weather::lastLineOf(f.file("wx.csv"));
        EXPECT_EQ(t.read, c.read);
        EXPECT_EQ(t.text, c.text);
        EXPECT_EQ(t.problem, c.problem);
    }
}

TEST(WeatherFiles, TheJoinedLinesAreReadFromTheHeadAndAFolderIsNoFile) {
    TempFolder f;
    f.write("metar.txt", "FORE\r\nCAST:\nDay:Mon\r");
    const auto joined = weather::joinedLinesOf(f.file("metar.txt"));
    EXPECT_TRUE(joined.read);
    EXPECT_EQ(joined.text, "FORECAST:Day:Mon");
    EXPECT_EQ(joined.problem, "");

    f.write("long.txt", std::string(kMostWeatherBytes - 1, 'x') + "\r\nyz");
    const auto head = weather::joinedLinesOf(f.file("long.txt"));
    EXPECT_EQ(head.text, std::string(kMostWeatherBytes - 1, 'x'));
    EXPECT_EQ(head.problem, "only its first " + std::to_string(kMostWeatherBytes) + " bytes are read");

    const auto missing = weather::joinedLinesOf(f.file("none.txt"));
    EXPECT_FALSE(missing.read);
    EXPECT_EQ(missing.named("none.txt"), "none.txt");
    const auto folder = weather::lastLineOf(f.path());
    EXPECT_FALSE(folder.read);
    EXPECT_EQ(folder.named("dir"), "dir (is not a regular file)");
}
}  // namespace
