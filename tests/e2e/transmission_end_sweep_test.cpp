// A beacon that falls due during the station's own transmission goes out after it, wherever the
// end falls against the beacon's one-second tick: the end is swept in 16 ms steps across two
// seconds of that tick. One run of the real program a row, in virtual time from Thursday
// 10 December 2026 12:00:00.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "core/text.h"
#include "e2e/run_binary.h"
#include "support/test_wav.h"

namespace {

constexpr int kSteps = 125;   // 125 steps of 16 ms: two seconds
constexpr long kStepMs = 16;
constexpr long kKeyUpMs = 300;

long msOfDay(const std::string& line) {
    return ((std::stol(line.substr(0, 2)) * 60 + std::stol(line.substr(3, 2))) * 60 + std::stol(line.substr(6, 2))) *
               1000 + std::stol(line.substr(9, 3));
}

// What falls due: the beacon, the window whose countdown a step sets, and the beginning of the
// text its speech is rendered from.
struct Schedule {
    const char* name;
    std::vector<SettingsFile> settings;
    const char* periodBox;   // FORM.CONTROL of the period, in minutes
    std::string spoken;
};

// What the station transmits for about 33 s, started by one console command.
struct Transmission {
    const char* name;
    std::vector<SettingsFile> settings;
    std::string command;
};

struct SweepRow {
    Schedule schedule;
    Transmission transmission;
};

// The files every row may use, in the run's folder.
void writeFiles(const TempFolder& folder) {
    writeTestWav(folder.file("file.wav"), 33);
    writeTestWav(folder.file("news.wav"), 22);
    writeTestWav(folder.file("second.wav"), 8);
    std::string text;
    for (int k = 0; k < 13; ++k) text += "the station speaks a long text on the air ";
    folder.write("long.txt", text + ".");
}

// Each step, two and a half minutes: the beacon's countdown set afresh to two minutes, the
// transmission started a minute and a half later (each start holds the console for its key-up
// delay), so the beacon falls due during it; every step 16 ms later against the beacon's tick.
std::string sweepInput(const SweepRow& row) {
    const std::string period = row.schedule.periodBox;
    std::string input;
    for (int i = 0; i < kSteps; ++i)
        input += "set " + period + " 1\nset " + period + " 2\nwait " + std::to_string((90000 - kKeyUpMs) / 1000.0) +
                 "\n" + row.transmission.command + "\nwait " + std::to_string((60000 + kStepMs) / 1000.0) + "\n";
    return input;
}

class TransmissionEndSweep : public ::testing::TestWithParam<SweepRow> {};

TEST_P(TransmissionEndSweep, TheWaitingBeaconGoesOutAfterTheEndAtEveryStep) {
    const SweepRow& row = GetParam();
    TempFolder folder;
    writeFiles(folder);
    std::vector<SettingsFile> settings = {{"identabc.ini", "ONHOUR=0\nHALFHOUR=0\nQUARTERHOUR=0\n"}};
    settings.insert(settings.end(), row.schedule.settings.begin(), row.schedule.settings.end());
    settings.insert(settings.end(), row.transmission.settings.begin(), row.transmission.settings.end());
    const auto run = runHeadlessWithSettings(folder, settings, sweepInput(row), "12:00:00");
    ASSERT_EQ(run.exitCode, 0);
    ASSERT_EQ(run.err, "");

    long stepStart = -1, lastKeyOff = -1;
    int beacons = 0;
    std::set<long> gaps;   // from each end to the beacon's tick that sent it
    for (const std::string& line : run.out) {
        if (line.size() < 14 || line[2] != ':') continue;
        const long at = msOfDay(line);
        const std::string event = line.substr(13);
        if (event == "KEY on" && stepStart < 0) stepStart = at;
        if (event == "KEY off") lastKeyOff = at;
        if (!startsWith(event, "WAV ") || event.find("\" \"" + row.schedule.spoken) == std::string::npos) continue;
        ++beacons;
        SCOPED_TRACE(line + ": the step's transmission ran from " + std::to_string(stepStart) + " to " +
                     std::to_string(lastKeyOff) + " (ms of the day)");
        EXPECT_GE(lastKeyOff - stepStart, 31000) << "the beacon fell due while the transmission was on the air";
        EXPECT_GE(at, lastKeyOff) << "the beacon goes out after the end";
        EXPECT_LE(at - lastKeyOff, 1000 + kStepMs) << "at the beacon's first tick after the end";
        gaps.insert(at - lastKeyOff);
        stepStart = -1;
    }
    EXPECT_EQ(beacons, kSteps) << "one beacon a step, none lost";
    // The ends came at every 16 ms step of the beacon's tick, twice over.
    EXPECT_GE(gaps.size(), 62u);
}

std::string weatherData() { return std::string(MVSMALL_TEST_DATA) + "/weather/data.csv"; }

std::vector<SweepRow> rows() {
    static const std::string weather = "STOPCLOCK1=1\nBEACONPERIOD1=1\nWHEREISFILE=" + weatherData() + "\n";
    const Schedule schedules[] = {
        {"set_1_timed_beacon",
         {{"beaconabc.ini", "STOPCLOCK1=1\nBEACONPERIOD1=1\nTEXT21=Timed beacon of set one\n"}},
         "Form111.BeaconPeriod1",
         "Timed beacon of set one"},
        {"set_2_timed_beacon",
         {{"beaconabc.ini", "CHECK2=1\n"},
          {"beaconabc2.ini", "STOPCLOCK1=1\nBEACONPERIOD1=1\nTEXT21=Timed beacon of set two\n"}},
         "Form110.BeaconPeriod1",
         "Timed beacon of set two"},
        {"weather_beacon", {{"abcweather.ini", weather.c_str()}}, "Form114.BeaconPeriod1", "The local weather"},
    };
    const Transmission transmissions[] = {
        {"dtmf_player_file", {{"marodtmfhelpMP3.ini", "TEXT43=501\nTEXT21=@RUN@/file.wav\n"}}, "dtmf 501"},
        {"bulletin_with_2nd_file",
         {{"newsabc.ini", "Text7x=@RUN@/news.wav\nPLAY2ND=1\nText8x=@RUN@/second.wav\nCHECK1=1\n"}},
         "click Form24.Command13"},
        {"long_speech", {{"marodtmfhelpMP3.ini", "TEXT43=502\nTEXT21=@RUN@/long.txt\n"}}, "dtmf 502"},
    };
    std::vector<SweepRow> out;
    for (const Schedule& s : schedules)
        for (const Transmission& t : transmissions) out.push_back({s, t});
    return out;
}

INSTANTIATE_TEST_SUITE_P(E2E, TransmissionEndSweep, ::testing::ValuesIn(rows()), [](const auto& info) {
    return std::string(info.param.schedule.name) + "_after_" + info.param.transmission.name;
});

}  // namespace
