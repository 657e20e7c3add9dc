#pragma once
// What a seed makes of the soak's station: the day it starts on (month and year ends
// included), the schedules it draws in place of the settings set's own, and what the sysop
// adds to a station's days: nets of both sets and a dated net, profiles that switch the
// beacon set, a news download from a local server, a bulletin with its 2nd File, and a
// Save / Exit with a restart in the middle of the first day.
//
// The expectation model reads the plan, never the program: what falls due when is decided
// from these settings and from what the soak did to the station.
#include <cstdint>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "core/clock.h"
#include "soak/station_settings.h"

namespace soak {

// A time of day on the days whose boxes are ticked (index 1 = Sunday .. 7 = Saturday).
struct WeeklyTime {
    int hour = 0, minute = 0;
    bool days[8] = {false, true, true, true, true, true, true, true};
    bool on(int weekday) const { return days[weekday]; }
};

struct NetSlot {
    std::string call;
    WeeklyTime at;
};

struct ProfileEntry {
    std::string name;
    int set = 1;   // the beacon set it selects
    WeeklyTime at;
    std::string code;   // the DTMF code that applies it at once
};

struct DayPlan {
    LocalMs start = 0;            // the first second of the run
    std::string startText;        // the same as "YYYY-MM-DD hh:mm:ss"
    LocalMs restartAt = 0;        // the sysop's Save / Exit (0: none in this run)
    int restartPauseSeconds = 0;  // how long the station is off before it starts again

    // Periods in minutes (0: that schedule is off).
    int voiceIdent = 0, cwIdent = 0, set1Timed = 0, set2Timed = 0;
    bool set2TimedWithSet1 = false;   // set 1's "also set 2's timed beacon"
    int weatherConditions = 0, weatherForecast = 0, weatherWarning = 0, warningWatcher = 0;
    int firstSet = 1;                 // the active beacon set at the start
    bool watcherStartsWarningBeacon = false;   // a new warning switches the warning beacon on, 60 s away
    bool weatherQuietWhileConnected = false;   // the conditions and forecast beacons and the watcher keep
                                               // quiet while a station is connected

    // Clock schedules.
    std::vector<WeeklyTime> newsBulletins;   // the news file set: both of its start times
    WeeklyTime bulletinWithSecondFile;       // Audio File 3, followed by its 2nd File
    std::string secondFileType;              // "news" (a file), "conditions" or "forecast" (spoken)
    bool warnBeforeNews = true;              // the one-minute warning before the first news time
    NetSlot net1, net2;                      // set 1's slot 1, set 2's slot 1
    NetSlot datedNet;                        // on `datedNetDay`
    LocalMs datedNetDay = 0;
    std::vector<ProfileEntry> profiles;
    WeeklyTime download;                     // the news download schedule, files 1 and 2
    WeeklyTime dailyDisconnect, dailyConnect;
    std::string dailyConnectCall;
    WeeklyTime silenceFrom, silenceTo;       // the announcement silence

    // What goes on the air, to tell the items apart in the transcript.
    std::string voiceIdentText, set1Extra, set2Extra, set1Slot, set2Slot;
    std::string newsFile, thirdFile, secondFile, downloadUrl;
    std::map<std::string, double> soundLengths;   // file name in the data folder -> seconds

    // The settings the seed puts in place of the set's own.
    std::map<std::string, station_settings::Keys> overrides;
};

// Draws the plan; `dataFolder` is where the sound files lie, `serverUrl` the local stand-in
// for the news server ("" when none could be started: the download is then left out).
DayPlan drawPlan(std::mt19937& rng, const std::string& dataFolder, const std::string& serverUrl);

}  // namespace soak
