#pragma once
// A station day for the real program's console: the soak's settings set with a bulletin, a net,
// the daily disconnect and connect, a timed connection and the weather beacons inside a few
// hours, and a seeded stream of what the outside world and the operator do. Each item is one
// console command at a time of the day; the sweep adds its failures between them.
#include <cstdint>
#include <random>
#include <string>
#include <vector>

namespace station_day {

// The day starts at 07:58:00 on Thursday 10 December 2026.
constexpr const char* kStart = "2026-12-10 07:58:00";
constexpr std::int64_t kStartMs = (7 * 60 + 58) * 60'000;

// A time of day ("hh:mm:ss") as milliseconds from the day's start.
std::int64_t at(const std::string& clock);

// What the Parts promise around the day's fixed moments, for the checks.
constexpr const char* kBulletinStart = "08:00:15";   // news set 1, its file news.wav
constexpr const char* kNetStart = "09:00:15";        // W9NET, busy and listen-only, ten minutes
constexpr const char* kNetEnd = "09:10:15";
constexpr const char* kNetStation = "W9NET";
constexpr const char* kCwCallsign = "N0CALL";            // what the CW idents send
constexpr const char* kProfileChange = "09:50:15";   // profile "Evening" and beacon set 2, seconds 15 to 17
// The operator's timed connection (W5TTT for three idle minutes, listed busy two seconds after).
constexpr const char* kTimedStation = "W5TTT";
constexpr const char* kTimedByButton = "08:30:00";
// The alternate control line (DTR) switched on by DTMF, then a signal that starts its run-on.
constexpr const char* kAlternateControl = "08:45:00";
constexpr const char* kAlternateSignal = "08:45:05";
// A timed connection by DTMF "21": connected a second after, listed busy two seconds after.
constexpr const char* kTimedByDtmf = "09:15:00";
// Announcements silenced with the link taken down, and back, seconds 15 to 18 of each minute.
constexpr const char* kSilenceOn = "09:40:15";
constexpr const char* kSilenceOff = "09:44:15";

struct Command {
    std::int64_t ms;       // from the day's start
    std::string line;      // a console command
};

// Writes the settings files and the sound files the day uses into `config` and `data`.
void prepare(const std::string& config, const std::string& data, const std::string& weatherFolder);

// The outside world and the operator over `hours` from the start, drawn from `seed`; nothing in
// the `quiet` spans (ms from the start, pairs), where a check needs the station to itself.
std::vector<Command> traffic(std::uint32_t seed, double hours, const std::string& data,
                             const std::vector<std::pair<std::int64_t, std::int64_t>>& quiet);

// What the day does at its fixed moments, whatever the seed: the timed connections, the alternate
// control line; the schedules (bulletin, net, silence, profile) come from the settings.
std::vector<Command> fixedItems();

// The operator's buttons the traffic presses, as FORM.CONTROL.
const std::vector<std::string>& operatorButtons();

// The console input: the commands in time order, each after a wait until its clock time, then `tail`.
std::string script(std::vector<Command> commands, const std::string& tail);

}  // namespace station_day
