#pragma once
// The expectation model: every item that fell due in a soak run, from the plan's schedules
// and what the soak did, each then found on the air or lost for a reason that held at its
// second. A loss without a reason, an item on the air that never fell due, and a bulletin
// listed not busy before its 2nd File are failures.
//
// Periodic schedules (idents, timed beacons, weather beacons) count whole seconds on window
// timers, which fall behind while the station's own blocking speech holds the thread or their
// own handler is still on the stack; the soak records the ticks of those very timers as they run
// (`RunSegment::ticks`), so the model counts its periods on what the station counted.
#include <map>
#include <string>
#include <vector>

#include "soak/day_plan.h"
#include "soak/on_air_record.h"

namespace soak {

enum class Kind {
    VoiceIdent, CwIdent, TimeAnnouncement, InfoAnnouncement, Set1Timed, Set2Timed, Set1Info, Set2Info,
    WeatherConditions, WeatherForecast, WeatherWarning, WarningWatcher, NewsWarning, NewsBulletin, ThirdBulletin,
    SecondFile, EndAnnouncement, Net1, Net2, DatedNet, DailyDisconnect, DailyConnect, SilenceOn, SilenceOff,
    Profile, Download, Count
};
const char* kindName(Kind k);

struct Outcome {
    Kind kind;
    LocalMs due;
    bool aired = false;
    LocalMs airedAt = 0;
    std::string reason;    // why it was lost; empty while unexplained
    std::string failure;   // set when the item shows a fault even though it aired
};

// The ticks of one timer, each on the whole second it fell in, kept as runs of consecutive
// seconds: a week of them takes a few kilobytes, so the memory the soak reports stays the
// station's. Ticks never go back in time.
class TickRecord {
public:
    void push_back(LocalMs t);
    std::size_t size() const { return size_; }
    LocalMs operator[](std::size_t i) const;
    std::size_t lowerBound(LocalMs t) const;   // the first tick at or after `t` (size() when none)
    std::size_t upperBound(LocalMs t) const;   // the first tick after `t`

private:
    struct Run {
        LocalMs first;
        std::size_t index;   // of its first tick
        std::size_t count;
    };
    std::vector<Run> runs_;
    std::size_t size_ = 0;
};

// One run of the station between starts: its first second and, by schedule ("voice ident",
// "CW ident", "set 1 timed beacon", "set 2 timed beacon", "weather conditions", "weather
// forecast", "weather warning", "warning watcher"), the ticks of the timer that counts it.
struct RunSegment {
    LocalMs from = 0, to = 0;
    std::map<std::string, TickRecord> ticks;
};

struct Verdict {
    std::vector<Outcome> items;
    std::vector<std::string> failures;   // "hh:mm:ss kind: what", in order of time
};

Verdict judge(const DayPlan& plan, const std::vector<RunSegment>& runs, OnAirRecord& record, LocalMs end);

}  // namespace soak
