#include "sweep/station_day.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <set>

#include "soak/station_settings.h"
#include "support/test_wav.h"

namespace station_day {

std::int64_t at(const std::string& clock) {
    int h = 0, m = 0, s = 0;
    std::sscanf(clock.c_str(), "%d:%d:%d", &h, &m, &s);
    return ((h * 60 + m) * 60 + s) * 1000LL - kStartMs;
}

namespace {
void writeFile(const std::string& path, const std::string& text) {
    std::ofstream out(path, std::ios::binary);
    out << text;
}

// In place of the soak's own schedules: everything falls inside the first hours of the day.
std::map<std::string, station_settings::Keys> dayOverrides(const std::string& data, const std::string& weather) {
    return {
        // the bulletin at 08:00 and 10:00, warned and listed busy, with a file of two minutes
        {"newsabc.ini", {{"HOUR3", "08"}, {"MINS3", "00"}, {"HOUR33", "10"}, {"MINS33", "00"},
                         {"Text4x", data + "/news.wav"}, {"WARNCHECK", "1"}}},
        // the net at 09:00 for ten minutes, busy and listen-only; the daily disconnect at 09:30 and
        // connect at 09:35; a timed connection by DTMF "21" or the operator's button
        {"dtmfctrl.ini", {{"THUR", "1"}, {"HOUR", "09"}, {"MINS", "00"}, {"NETCALL1", kNetStation},
                          {"DISCMINS1", "10"}, {"CHECK3", "1"}, {"SHOWBUSY1", "1"}, {"CHECK23", "1"},
                          {"Hour0", "09"}, {"Mins0", "30"}, {"Hour00", "09"}, {"Mins00", "35"},
                          {"TEXT1X", "W5TTT"}, {"TEXT2X", "21"}, {"DELAYPERIOD", "3"}, {"CHECK12", "1"},
                          {"CHECK10", "1"}, {"STOPPLAYER", "#00"}}},
        // the weather beacons and the live-warning watcher on the weather program's files
        {"abcweather.ini", {{"STOPCLOCK1", "1"}, {"BEACONPERIOD1", "17"}, {"STOPCLOCK2", "1"}, {"BEACONPERIOD2", "23"},
                            {"STOPCLOCK3", "1"}, {"BEACONPERIOD3", "29"}, {"STOPCLOCK4", "1"}, {"BEACONPERIOD4", "7"},
                            {"CHECK2", "1"}, {"WHEREISFILE", weather + "/data.csv"},
                            {"WHEREISFILE2", weather + "/metar.txt"}, {"WHEREISFILE3", weather + "/warning.txt"}}},
        // a long file on DTMF "55*1", for beacons and breaks to meet
        {"marodtmfhelpMP3.ini", {{"TEXT43", "55*1"}, {"TEXT21", data + "/long.wav"}}},
        // duplex keying: the PTT line follows local RF; silence from 09:40 to 09:44 with the link down
        {"identabc.ini", {{"CHECK5", "1"}, {"CHECK7", "1"}, {"HOUROFF1", "09"}, {"MINSOFF1", "40"},
                          {"HOURON1B", "09"}, {"MINSON1B", "44"}}},
        // breaks on long files
        {"MP3_PlayerABC.ini", {{"STOPCLOCK8", "1"}, {"BEACONPERIOD8", "2"}, {"TEXT6", "120"}}},
        // a profile and beacon set 2 every Thursday at 09:50; set 2 sends its DTMF string after each beacon
        {"profiles.ini", {{"THUR", "1"}, {"HOUR", "09"}, {"MINS", "50"}, {"Profile1", "Evening"},
                          {"OPTION1", "False"}, {"OPTION2", "True"}}},
        {"senddtmf.ini", {{"CHECK6", "1"}, {"TEXT11", "1234"}}},
    };
}
}  // namespace

void prepare(const std::string& config, const std::string& data, const std::string& weatherFolder) {
    std::filesystem::create_directories(config);
    std::filesystem::create_directories(data);
    station_settings::writeAll(
        data, [&](const std::string& name, const std::string& text) { writeFile(config + "/" + name, text); },
        dayOverrides(data, weatherFolder));
    for (const auto& [name, seconds] : station_settings::soundFiles())
        if (name.size() > 4 && name.substr(name.size() - 4) == ".wav") writeTestWav(data + "/" + name, seconds);
    writeTestWav(data + "/news.wav", 120);
    writeTestWav(data + "/long.wav", 200);
}

std::vector<Command> fixedItems() {
    return {{at(kTimedByButton), "click Form4.Command23"},
            {at(kAlternateControl), "dtmf ###1"},
            {at(kAlternateSignal), "signal on"},
            {at(kAlternateSignal) + 5000, "signal off"},
            {at(kTimedByDtmf), "dtmf 21"}};
}

const std::vector<std::string>& operatorButtons() {
    static const std::vector<std::string> buttons = {
        // news player: each set's Play and Stop
        "Form24.Command1", "Form24.Command4", "Form24.Command7", "Form24.Command8", "Form24.Command13",
        "Form24.Command9", "Form24.Command21", "Form24.Command14",
        // weather: conditions, temperature, forecast, warnings, stop
        "Form114.cmdParse", "Form114.Command3", "Form114.Command4", "Form114.Command11", "Form114.Command12",
        "Form114.Command8", "Form114.Command15",
        // idents: Send ID, Test TTS, Test TTW, Say Call Now, Say the Time, the first Con/Disc
        "Form3.SendCW", "Form3.Command2", "Form3.Command1", "Form3.SayCall", "Form3.TheTime", "Form3.Connect1",
        // courtesy: the CW and tone tests
        "Form22.Command14", "Form22.Command15", "Form22.Command10", "Form22.Command11", "Form22.Command7",
        "Form22.Command8",
        // player: stop (a pause, resumed a few seconds later), stop player, its two test buttons
        "Form1.Command2", "Form1.Command9", "Form1.Command7", "Form1.Command8",
        // connect control: the timed connection, busy, listen-only, a toggle, a group
        "Form4.Command23", "Form4.Command24", "Form4.Command21", "Form4.Command22", "Form4.Command18",
        "Form4.Command7", "Form4.Command3", "Form4.Command4",
        // beacon sets: test and stop; profiles: apply the first entry now; DTMF player: stop
        "Form111.Command15", "Form111.Command5", "Form110.Command15", "Form110.Command5", "Form123.Command3",
        "Form23.Command1"};
    return buttons;
}

std::vector<Command> traffic(std::uint32_t seed, double hours, const std::string& data,
                             const std::vector<std::pair<std::int64_t, std::int64_t>>& quiet) {
    static const std::vector<std::string> dtmf = {"#99", "###0", "#18", "#71", "#70", "#55", "*11*", "*10*", "101",
                                                  "102", "103", "73", "#", "0", "#00", "21", "55*1", "999"};
    static const std::vector<std::string> stations = {"W1ABC", "K2XYZ", "W1STAY", "G4AAA-R", "N3OTH-L", "VE3XYZ"};
    static const std::vector<std::string> chat = {"W1ABC>hello from the far end", "K2XYZ>/ver/", "G4AAA-R>Hello",
                                                  "W1ABC>**for the sysop**", ">no callsign"};
    std::mt19937 rng(seed);
    auto pick = [&](std::size_t n) { return std::uniform_int_distribution<std::size_t>(0, n - 1)(rng); };
    auto between = [&](std::int64_t lo, std::int64_t hi) { return std::uniform_int_distribution<std::int64_t>(lo, hi)(rng); };
    const auto end = static_cast<std::int64_t>(hours * 3600'000.0);
    auto isQuiet = [&](std::int64_t from, std::int64_t to) {
        return std::any_of(quiet.begin(), quiet.end(), [&](const auto& q) { return from < q.second && to > q.first; });
    };
    std::vector<Command> out;
    auto add = [&](std::int64_t ms, std::string line) { out.push_back({ms, std::move(line)}); };
    std::set<std::string> connected;
    // The player's Stop pauses the file with the key down until its Resume: the day resumes it
    // as the one who paused would, so the key it keeps is not taken for one left on.
    auto click = [&](std::int64_t ms, const std::string& button) {
        add(ms, "click " + button);
        if (button == "Form1.Command2") add(ms + between(1000, 10'000), "click Form1.Command5");
    };
    // About one thing a minute, bunched now and then; the last ten minutes are left to settle.
    for (std::int64_t t = 30'000; t < end - 600'000;
         t += static_cast<std::int64_t>(std::exponential_distribution<double>(1.0 / 60'000.0)(rng)) + 100) {
        const std::size_t r = pick(100);
        // How long it lasts: an over or a carrier, or the pause a button may make.
        const std::int64_t length = r >= 45 && r < 75 ? between(300, 40'000) : r >= 80 ? 10'000 : 0;
        if (isQuiet(t - 2000, t + length + 2000)) continue;
        if (r < 15) {
            add(t, "dtmf " + dtmf[pick(dtmf.size())]);
        } else if (r < 25) {
            const std::string& call = stations[pick(stations.size())];
            add(t, "connect " + call + " Name 10.0.0.1");
        } else if (r < 32) {
            add(t, "disconnect " + stations[pick(stations.size())]);
        } else if (r < 45) {
            add(t, "chat " + chat[pick(chat.size())]);
        } else if (r < 60) {   // an Internet over
            add(t, "rx on");
            add(t + length, "rx off");
        } else if (r < 75) {   // a local carrier: a kerchunk or an over
            add(t, "carrier on");
            add(t, "signal on");
            add(t + length, "carrier off");
            add(t + length, "signal off");
        } else if (r < 78) {
            add(t, "activity on");
            add(t + between(1000, 15'000), "activity off");
        } else if (r < 80) {   // the player's Play with a file
            add(t, "set Form1.txtFile " + data + "/long.wav");
            add(t, "click Form1.Command3");
        } else {
            click(t, operatorButtons()[pick(operatorButtons().size())]);
        }
    }
    // Every button once more, two minutes apart, from 08:05 on.
    std::int64_t t = at("08:05:00");
    for (const auto& button : operatorButtons()) {
        while (isQuiet(t - 2000, t + 12'000)) t += 30'000;
        click(t, button);
        t += 120'000;
    }
    return out;
}

std::string script(std::vector<Command> commands, const std::string& tail) {
    std::stable_sort(commands.begin(), commands.end(), [](const Command& a, const Command& b) { return a.ms < b.ms; });
    // Waits name the clock time, so blocking work (speech, key-up delays) never pushes the later
    // commands off their moments.
    std::string text;
    std::int64_t now = 0;
    for (const Command& c : commands) {
        if (c.ms > now) {
            const std::int64_t t = c.ms + kStartMs;
            char wait[48];
            std::snprintf(wait, sizeof wait, "wait until %02lld:%02lld:%02lld.%03lld\n", (long long)(t / 3600'000),
                          (long long)(t / 60'000 % 60), (long long)(t / 1000 % 60), (long long)(t % 1000));
            text += wait;
            now = c.ms;
        }
        text += c.line + "\n";
    }
    return text + tail;
}

}  // namespace station_day
