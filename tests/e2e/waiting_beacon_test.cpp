// A beacon that falls due while the station's own transmission is on the air waits for the
// transmission's end, and a break in a long transmission is not its end; a stop asked for by the
// operator or by DTMF drops the waiting beacon. Through the real program in virtual time,
// Thursday 10 December 2026, with a transmission break after every minute of playback.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "core/text.h"
#include "e2e/run_binary.h"
#include "support/test_wav.h"

namespace {

struct SettingsLines {
    std::string file;
    std::string lines;
};

// One line of the transcript: its time in milliseconds of the day and the event after the clock.
struct Event {
    long ms;
    std::string text;
};

long msOf(const std::string& stamp) {
    return ((std::stol(stamp.substr(0, 2)) * 60 + std::stol(stamp.substr(3, 2))) * 60 + std::stol(stamp.substr(6, 2))) *
               1000 + std::stol(stamp.substr(9, 3));
}

// A station run in fresh folders: settings written first, the transcript read back as events.
struct StationRun {
    TempFolder folder;

    std::string file(const std::string& name) const { return folder.file(name); }

    std::vector<Event> run(const std::vector<SettingsLines>& settings, const std::string& input, const std::string& start) {
        std::filesystem::create_directories(folder.file("config"));
        for (const SettingsLines& s : settings) folder.write("config/" + s.file, "[SETTINGS]\n" + s.lines);
        const BinaryRun r = runHeadless(folder, input, "--virtual-time \"2026-12-10 " + start + "\"");
        EXPECT_EQ(r.exitCode, 0);
        EXPECT_EQ(r.err, "");
        std::vector<Event> events;
        for (const std::string& line : r.out)
            if (line.size() > 13 && line[2] == ':') events.push_back({msOf(line), line.substr(13)});
        return events;
    }
};

// What was on the air, item by item: a file by its name, speech by the text rendered for it.
struct OnAir {
    std::string item;   // "" for a break's STOP
    long from, to;      // when it started and when it stopped, ended or was replaced
    bool stopped;       // ended by STOP (a break or a stop), not by running out
};

std::vector<OnAir> onAir(const std::vector<Event>& events, const std::string& speechFile) {
    std::vector<OnAir> out;
    std::string lastSpeech;
    for (const Event& e : events) {
        const std::string word = e.text.substr(0, e.text.find(' '));
        if (word == "WAV") {
            lastSpeech = e.text.substr(e.text.find("\" \"") + 3);
            lastSpeech = lastSpeech.substr(0, std::min<size_t>(lastSpeech.size() - 1, 24));
        } else if (word == "PLAY") {
            const std::string path = e.text.substr(6, e.text.find('"', 6) - 6);
            if (!out.empty() && out.back().to < 0) out.back().to = e.ms;
            out.push_back({path == speechFile ? lastSpeech : path.substr(path.rfind('/') + 1), e.ms, -1, false});
        } else if ((word == "STOP" || e.text == "KEY off") && !out.empty() && out.back().to < 0) {
            out.back().to = e.ms;
            out.back().stopped = word == "STOP";
        }
    }
    return out;
}

// The items one after the other, for a failure's message.
std::string describe(const std::vector<OnAir>& air) {
    std::string text = "on the air:";
    for (const OnAir& a : air)
        text += "\n  " + std::to_string(a.from) + " to " + std::to_string(a.to) + (a.stopped ? " stopped " : " ") + a.item;
    return text;
}

const SettingsLines kBreaksEveryMinute{"MP3_PlayerABC.ini", "STOPCLOCK8=1\nBEACONPERIOD8=1\n"};

struct Transmission {
    const char* name;
    std::string item;   // as onAir names it
    std::vector<SettingsLines> settings;
    std::string input;
};

struct Interrupter {
    const char* name;
    std::string item;   // the beacon's spoken text, as onAir names it
    std::vector<SettingsLines> settings;
};

// About 500 words: some two and a half minutes of speech.
std::string longText() {
    std::string text;
    const char* words[] = {"the", "station", "keeps", "the", "air", "and", "every", "listener", "hears", "it", "whole"};
    for (int k = 0; k < 500; ++k) text += std::string(words[k % 11]) + " ";
    return text + ".";
}

// The three transmissions, each started at 12:59:15 and long enough for two breaks; "@RUN@"
// stands for the run's folder, which holds long.wav (150 s) and long.txt.
std::vector<Transmission> transmissions() {
    return {
        {"news bulletin at 12:59:15", "long.wav",
         {{"newsabc.ini", "THUR3=1\nHOUR3=12\nMINS3=59\nText4x=@RUN@/long.wav\n"}}, "wait 240\n"},
        {"DTMF-player file", "long.wav", {{"marodtmfhelpMP3.ini", "TEXT43=51\nTEXT21=@RUN@/long.wav\n"}},
         "wait 45\ndtmf 51\nwait 195\n"},
        {"long speech from a DTMF-player text file", "the station keeps the ai",
         {{"marodtmfhelpMP3.ini", "TEXT43=52\nTEXT21=@RUN@/long.txt\n"}}, "wait 45\ndtmf 52\nwait 195\n"},
    };
}

TEST(WaitingBeacon, EveryTransmissionPlaysWholeThroughItsBreaksAndTheWaitingBeaconFollowsItsEnd) {
    const std::string weatherData = std::string(MVSMALL_TEST_DATA) + "/weather/metar.txt";
    const Interrupter interrupters[] = {
        {"timed beacon of set 1", "Set one timed beacon",
         {{"beaconabc.ini", "STOPCLOCK1=1\nBEACONPERIOD1=1\nTEXT21=Set one timed beacon\n"}}},
        {"timed beacon of set 2", "Set two timed beacon",
         {{"beaconabc.ini", "CHECK2=1\n"}, {"beaconabc2.ini", "STOPCLOCK1=1\nBEACONPERIOD1=1\nTEXT21=Set two timed beacon\n"}}},
        {"information beacon", "Information beacon", {{"beaconabc.ini", "INFOHOURLY=1\nTEXT21=Information beacon\n"}}},
        {"weather forecast beacon", "The local weather foreca",
         {{"abcweather.ini", "STOPCLOCK2=1\nBEACONPERIOD2=1\nWHEREISFILE2=" + weatherData + "\n"}}},
    };
    for (const Interrupter& interrupter : interrupters) {
        for (const Transmission& t : transmissions()) {
            SCOPED_TRACE(std::string(t.name) + " with the " + interrupter.name + " due during it");
            StationRun run;
            writeTestWav(run.file("long.wav"), 150);
            run.folder.write("long.txt", longText());
            std::vector<SettingsLines> settings = t.settings;
            settings.push_back(kBreaksEveryMinute);
            for (const SettingsLines& s : interrupter.settings) {
                auto same = std::find_if(settings.begin(), settings.end(), [&](const auto& m) { return m.file == s.file; });
                if (same != settings.end())
                    same->lines += s.lines;
                else
                    settings.push_back(s);
            }
            for (SettingsLines& s : settings) s.lines = replaceAll(s.lines, "@RUN@", run.folder.path());
            const auto air = onAir(run.run(settings, t.input, "12:58:30"), run.file("config/Text_To_Wav.wav"));
            SCOPED_TRACE(describe(air));
            // From the transmission's start: its parts, each broken off by a break and resumed, then the beacon.
            size_t first = 0;
            while (first < air.size() && air[first].item != t.item) ++first;
            ASSERT_LT(first, air.size());
            size_t parts = 0;
            double played = 0;
            size_t k = first;
            for (; k < air.size() && air[k].item == t.item; ++k) {
                ++parts;
                played += (air[k].to - air[k].from) / 1000.0;
                EXPECT_EQ(air[k].stopped, k + 1 < air.size() && air[k + 1].item == t.item)
                    << "part " << parts << " ends by a break and resumes, the last one runs out";
            }
            EXPECT_GE(parts, 3u) << "two breaks at least";
            if (t.item == "long.wav") {
                EXPECT_NEAR(played, 150, 0.1);
            }
            ASSERT_LT(k, air.size()) << "the waiting beacon never went out";
            EXPECT_EQ(air[k].item, interrupter.item);
            const long end = air[k - 1].to;
            EXPECT_GE(air[k].from, end);
            EXPECT_LT(air[k].from - end, 1500) << "it goes out as the transmission ends";
        }
    }
}

}  // namespace

namespace {

// A 90 s file from 12:59:15; set 1's timed beacon, due every minute from 12:58:30, falls due at
// 12:59:30 and waits; the stop comes at 13:00:00. After it only the stop's own reply is heard
// until the beacon's next period, 13:00:30 (the reply's blocking speech holds that countdown
// back by its own length).
TEST(WaitingBeacon, AStopByTheOperatorOrByDtmfDropsTheWaitingBeacon) {
    struct Row {
        const char* stop;
        std::vector<std::string> fromTheStop;
    };
    const std::string beacon = "WAV \"CONFIG/Text_To_Wav.wav\" \"Timed beacon text\"";
    const Row rows[] = {
        {"click Form111.Command5", {"STOP", "KEY off", beacon}},
        {"click Form110.Command5", {"STOP", "KEY off", beacon}},
        {"click Form1.Command9", {"STOP", "KEY off", beacon}},
        {"dtmf 77", {"STOP", "KEY off", "KEY on", "SPEAK \"Player stopped. System Ready\"", "KEY off", beacon}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.stop);
        StationRun run;
        writeTestWav(run.file("file.wav"), 90);
        const auto events = run.run({{"beaconabc.ini", "STOPCLOCK1=1\nBEACONPERIOD1=1\nTEXT21=Timed beacon text\n"},
                                     {"marodtmfhelpMP3.ini", "TEXT43=51\nTEXT21=" + run.file("file.wav") + "\n"},
                                     {"dtmfctrl.ini", "STOPPLAYER=77\n"}},
                                    "wait 45\ndtmf 51\nwait 45\n" + std::string(row.stop) + "\nwait 45\n", "12:58:30");
        std::vector<std::string> fromTheStop;
        long beaconAt = -1;
        for (const Event& e : events) {
            if (e.ms < msOf("13:00:00.000") || beaconAt >= 0) continue;
            fromTheStop.push_back(replaceAll(e.text, run.file("config"), "CONFIG"));
            if (fromTheStop.back() == beacon) beaconAt = e.ms;
        }
        EXPECT_EQ(fromTheStop, row.fromTheStop);
        EXPECT_GE(beaconAt, msOf("13:00:30.000")) << "the beacon's next period";
    }
}

}  // namespace
