// A live weather warning found while the station's own transmission is on the air is not lost:
// it stays new until it has been spoken. Through the real program in virtual time, the watcher
// checking the warning file every minute from 12:00:00.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "core/text.h"
#include "e2e/run_binary.h"
#include "support/test_wav.h"

namespace {

std::string data(const std::string& name) { return std::string(MVSMALL_TEST_DATA) + "/weather/" + name; }

std::string firstWords(const std::string& text, int count) {
    size_t end = 0;
    for (int k = 0; k < count && end != std::string::npos; ++k) end = text.find(' ', end + (k > 0));
    return text.substr(0, end);
}

TEST(LiveWarning, AWarningFoundWhileTheStationTransmitsIsSpokenOnceAfterwards) {
    struct Row {
        const char* name;
        std::string weatherLines;   // besides the watcher's own
        std::string input;
        std::vector<std::string> expected;   // from 12:00:30: events, speech by its first words
    };
    const std::string warning = "WAV The local weather warning";
    const std::string forecast = "WAV The local weather forecast";
    const Row rows[] = {
        {"a 90 s file plays through the first check", "",
         "wait 30\nset Form1.txtFile @FILE@\nclick Form1.Command3\nwait 200\n",
         {"KEY on", "PLAY file", "KEY off", warning, "KEY on", "PLAY speech", "KEY off"}},
        {"the forecast beacon, due every minute too, goes out first in the same second",
         "STOPCLOCK2=1\nBEACONPERIOD2=1\nWHEREISFILE2=" + data("metar.txt") + "\n", "wait 100\n",
         {forecast, "KEY on", "PLAY speech", "KEY off", warning, "KEY on", "PLAY speech", "KEY off"}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        TempFolder folder;
        std::filesystem::create_directories(folder.file("config"));
        const std::string file = writeTestWav(folder.file("file.wav"), 90);
        folder.write("config/abcweather.ini", "[SETTINGS]\nSTOPCLOCK4=1\nBEACONPERIOD4=1\nWHEREISFILE3=" +
                                                  data("warning.txt") + "\n" + row.weatherLines);
        const auto run = runHeadless(folder, replaceAll(row.input, "@FILE@", file), "--virtual-time \"2026-12-10 12:00:00\"");
        ASSERT_EQ(run.err, "");
        std::vector<std::string> got;
        for (const std::string& line : run.out) {
            if (line.size() < 14 || line.substr(0, 12) > "12:02:30.000") continue;
            std::string event = line.substr(13);
            if (event.rfind("WAV", 0) == 0) event = "WAV " + firstWords(event.substr(event.find("\" \"") + 3), 4);
            if (event.rfind("PLAY", 0) == 0) event = event.find(file) != std::string::npos ? "PLAY file" : "PLAY speech";
            if (event.rfind("EXIT", 0) != 0) got.push_back(event);
        }
        EXPECT_EQ(got, row.expected);
    }
}

}  // namespace
