// EchoLink failing one operation at a time, through the real program: on a station day with every
// schedule on, traffic coming in and the operator's buttons pressed, each operation of the
// automation interface in turn fails for stretches of seconds, some at random points of the day
// and some over the moments a check needs (the bulletin's start, a CW ident, the net's start and
// end, the timed connections, the silence's end) or that come once a day (the profile change, the
// control line's run-on, beacon set 2's DTMF strings). Each run must hold what the station
// promises whatever call fails: no internal error; the key off and both control lines low once
// the day settles; the bulletin played; a held CW ident sent once the link is free; the net's end
// made once EchoLink answers; the timed connections listed busy and ended; the link back after the
// silence; the transmit and receive captions and the active beacon set as a station without
// failures shows them. It prints one row an operation: the calls
// failed, the handlers those failures reached against the handlers that call that operation at
// all, and the result.
//
//   mvsmall_failure_sweep [--seed N] [--hours H] [--jobs J] [--only OPERATION] [--handlers] [--show OPERATION|none|quiet]
#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <future>
#include <map>
#include <mutex>
#include <random>
#include <set>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "core/text.h"
#include "e2e/program_run.h"
#include "echolink/simulated_node.h"
#include "support/station_fixture.h"
#include "sweep/station_day.h"

#ifndef MVSMALL_SWEEP_HOURS
#define MVSMALL_SWEEP_HOURS 2.5   // from 07:58: the bulletin, the net, the daily disconnect and connect
#endif

namespace {

using station_day::at;

struct Options {
    std::uint32_t seed = 20261210;
    double hours = MVSMALL_SWEEP_HOURS;
    int jobs = 0;   // 0: from the machine's processors
    std::string only;
    bool handlers = false;   // list the handlers reached, by operation
    std::string show;        // print that run's transcript and standard error ("none": the day without failures)
};

// The active beacon set, which the profile change selects.
const std::string kActiveSetCaption = "Form3.Option4";
// The captions that stand for the transmit and receive state, read once the day has settled.
const std::vector<std::string> kStateCaptions = {"Form1.Label1", "Form1.PTT",    "Form1.PTT2", "Form3.PTT",
                                                 "Form3.PTT2",   "Form22.PTT1",  "Form22.RFUser",
                                                 "Form22.PTT",   "Form24.PTT",   "Form23.PTT",
                                                 kActiveSetCaption};

// A timed connection's idle minutes: its end comes no sooner. The station's own transmissions
// (the stay-connected stations called back with their bell, idents, beacons) lengthen them, so
// the day keeps what comes in away for longer, and the end's calls fail over all of that.
constexpr std::int64_t kTimedIdle = 180'000;
constexpr std::int64_t kTimedLongest = 450'000;
// The same for the alternate control line's run-on, from its signal.
constexpr std::int64_t kRunOn = 60'000;
constexpr std::int64_t kRunOnLongest = 240'000;

// One failure stretch: the operation fails from `from` to `to` (ms from the day's start).
struct Stretch {
    std::int64_t from, to;
    std::string why;   // "random", or the moment it covers
};

// The moments of the day the checks aim at: fixed ones, and those a quiet day shows.
struct Moments {
    std::int64_t bulletin = at(station_day::kBulletinStart);
    std::int64_t netStart = at(station_day::kNetStart);
    std::int64_t netEnd = at(station_day::kNetEnd);
    std::int64_t timedByButton = at(station_day::kTimedByButton);
    std::int64_t timedByDtmf = at(station_day::kTimedByDtmf);
    std::int64_t alternateSignal = at(station_day::kAlternateSignal);
    std::int64_t silenceOn = at(station_day::kSilenceOn);
    std::int64_t silenceOff = at(station_day::kSilenceOff);
    std::int64_t profileChange = at(station_day::kProfileChange);
    std::vector<std::int64_t> cwIdents;   // when the day sent its scheduled CW idents
    std::int64_t lastCommand = 0;         // the day's last command; the settling starts there
    // When the day sent beacon set 2's DTMF string (after each of its beacons, whoever asked).
    std::vector<std::int64_t> set2Dtmf;
};

struct Run {
    std::string operation;   // "" for the day without failures
    std::vector<Stretch> stretches;
    ProgramResult result;
    double wallSeconds = 0;
};

struct Row {
    std::string operation;
    long failed = 0;
    std::set<std::string> reached, callers;
    std::vector<std::string> problems;
};

std::int64_t msOf(const std::string& line) {
    if (line.size() < 12 || line[2] != ':') return -1;
    const int h = std::atoi(line.substr(0, 2).c_str()), m = std::atoi(line.substr(3, 2).c_str());
    const int s = std::atoi(line.substr(6, 2).c_str()), ms = std::atoi(line.substr(9, 3).c_str());
    return ((h * 60 + m) * 60 + s) * 1000LL + ms - station_day::kStartMs;
}

std::string event(const std::string& line) { return line.size() > 13 && line[2] == ':' ? line.substr(13) : ""; }

std::string clockText(std::int64_t ms) {
    const std::int64_t t = (ms + station_day::kStartMs) / 1000;
    char text[32];
    std::snprintf(text, sizeof text, "%02lld:%02lld:%02lld", (long long)(t / 3600), (long long)(t / 60 % 60),
                  (long long)(t % 60));
    return text;
}

// The stretches of one operation: over each moment a check needs, and at random points.
std::vector<Stretch> stretchesFor(const std::string& operation, const Moments& m,
                                  const std::vector<station_day::Command>& traffic, double hours, std::uint32_t seed) {
    std::mt19937 rng(seed);
    auto between = [&](std::int64_t lo, std::int64_t hi) { return std::uniform_int_distribution<std::int64_t>(lo, hi)(rng); };
    std::vector<Stretch> out;
    // The bulletin's start falls inside (its second 15 and the retries to second 20 may not all fail).
    const std::int64_t b = m.bulletin - between(0, 1500);
    out.push_back({b, b + between(2000, 4000), "bulletin start"});
    const std::int64_t n = m.netStart - between(0, 3000);
    out.push_back({n, n + between(2000, 10'000), "net start"});
    const std::int64_t e = m.netEnd - between(0, 3000);
    out.push_back({e, e + between(4000, 20'000), "net end"});
    // The profile change's second 15 falls inside; 16 and 17 may not.
    const std::int64_t p = m.profileChange - between(0, 1500);
    out.push_back({p, p + between(2000, 3500), "profile change"});
    // The operator's timed connection: the button and the busy listing two seconds after it.
    const std::int64_t tb = m.timedByButton - between(0, 1000);
    out.push_back({tb, tb + between(3000, 6000), "timed connection start"});
    // The one by DTMF from the second after its code: the connect and the busy listing.
    const std::int64_t td = m.timedByDtmf + between(200, 800);
    out.push_back({td, td + between(2500, 6000), "timed connection start"});
    // A timed connection ends after three idle minutes, which what comes in and the station's own
    // transmissions lengthen: the calls of its end fail over all the minutes it may fall in.
    if (operation == "DisconnectAllStations" || operation == "Busy" || operation == "Connect")
        for (std::int64_t start : {m.timedByButton, m.timedByDtmf}) {
            const std::int64_t from = start + kTimedIdle - between(0, 5000);
            out.push_back({from, start + kTimedLongest + between(0, 30'000), "timed connection end"});
        }
    // The alternate control line: raised with the signal, lowered at the end of its run-on, a
    // minute after the last signal or transmission, which the station's own may lengthen.
    const std::int64_t a = m.alternateSignal - between(0, 1000);
    out.push_back({a, a + between(2000, 6000), "control line raised"});
    if (operation == "DTRLine")
        out.push_back({m.alternateSignal + kRunOn, m.alternateSignal + kRunOnLongest + between(0, 30'000),
                       "control line lowered"});
    // The silence's start and end: second 15 inside, not all of 15 to 18.
    for (std::int64_t sl : {m.silenceOn, m.silenceOff}) {
        const std::int64_t from = sl - between(0, 1000);
        out.push_back({from, from + between(1500, 3000), "silence"});
    }
    if (operation == "SendDTMF")
        for (std::int64_t dtmf : m.set2Dtmf) {
            const std::int64_t from = dtmf - between(500, 1500);
            out.push_back({from, from + between(2000, 6000), "beacon set 2"});
        }
    for (std::int64_t cw : m.cwIdents) {
        const std::int64_t c = cw - between(0, 1500);
        out.push_back({c, c + between(2000, 8000), "CW ident"});
    }
    // Over half of what comes in and every press of the operator's buttons, starting a little
    // before it.
    for (const auto& c : traffic) {
        const bool button = startsWith(c.line, "click ");
        if ((std::uniform_int_distribution<int>(0, 1)(rng) == 0 && !button) || startsWith(c.line, "set ")) continue;
        const std::int64_t from = c.ms - between(0, 2000);
        out.push_back({from, from + between(2000, 12'000), "traffic"});
    }
    const auto end = static_cast<std::int64_t>(hours * 3600'000.0) - 600'000;
    for (int k = 0; k < 40; ++k) {
        const std::int64_t from = between(60'000, end);
        out.push_back({from, from + between(1000, 30'000), "random"});
    }
    return out;
}

// Spans where the checks need the station to itself: no traffic there.
std::vector<std::pair<std::int64_t, std::int64_t>> quietSpans(const Moments& m) {
    std::vector<std::pair<std::int64_t, std::int64_t>> q = {{m.bulletin - 90'000, m.bulletin + 30'000},
                                                           {m.netStart - 30'000, m.netStart + 30'000},
                                                           {m.netEnd - 30'000, m.netEnd + 60'000},
                                                           {m.silenceOn - 30'000, m.silenceOn + 30'000},
                                                           {m.silenceOff - 30'000, m.silenceOff + 30'000},
                                                           {m.profileChange - 30'000, m.profileChange + 30'000}};
    for (std::int64_t cw : m.cwIdents) q.emplace_back(cw - 30'000, cw + 30'000);
    // A timed connection lasts three idle minutes: nothing comes in from before the longest file
    // could start that would still play into them, to its end.
    for (std::int64_t start : {m.timedByButton, m.timedByDtmf}) q.emplace_back(start - 240'000, start + kTimedLongest);
    q.emplace_back(m.alternateSignal - 240'000, m.alternateSignal + kRunOnLongest);
    return q;
}

// What ends every day: EchoLink answers everything again, the outside world goes quiet, the
// control line a DTMF code may have switched on goes off, and ten minutes pass.
constexpr std::int64_t kSettling = 600'000;
// The longest the station transmits at a stretch on this day (the long file with its breaks, a
// bulletin with its end): a key or line on for longer when the day has settled was left on.
constexpr std::int64_t kLongestTransmission = 300'000;

std::string settleAndReport() {
    std::string tail = "fail all off\nrx off\ncarrier off\nsignal off\nactivity off\ndtmf ###0\nwait " +
                       std::to_string(kSettling / 1000) + "\ncalls\n";
    for (const auto& c : kStateCaptions) tail += "get " + c + "\n";
    return tail;
}

// One day in folders of its own; "@DATA@" in the input names its data folder.
ProgramResult runDay(const std::string& input) {
    TempFolder folder;
    const std::string data = folder.file("data");
    station_day::prepare(folder.file("config"), data, std::string(MVSMALL_TEST_DATA) + "/weather");
    ProgramRun run;
    run.args = {"--headless", "--config", folder.file("config"), "--data", data, "--virtual-time", station_day::kStart};
    run.input = replaceAll(input, "@DATA@", data);
    run.timeoutSeconds = 900;
    return runProgram(run);
}

std::string inputFor(const Run& r, const std::vector<station_day::Command>& day) {
    std::vector<station_day::Command> commands = day;
    commands.insert(commands.begin(), {0, "calls on"});
    // Overlapping stretches make one: an end inside a later stretch would cut it short.
    std::vector<std::pair<std::int64_t, std::int64_t>> spans;
    for (const Stretch& s : r.stretches) spans.emplace_back(s.from, s.to);
    std::sort(spans.begin(), spans.end());
    std::vector<std::pair<std::int64_t, std::int64_t>> merged;
    for (const auto& span : spans) {
        if (!merged.empty() && span.first <= merged.back().second) merged.back().second = std::max(merged.back().second, span.second);
        else merged.push_back(span);
    }
    for (const auto& [from, to] : merged) {
        commands.push_back({from, "fail " + r.operation});
        commands.push_back({to, "fail " + r.operation + " off"});
    }
    return station_day::script(commands, settleAndReport());
}

// ---- the checks

struct Day {
    std::vector<std::string> transcript;   // the time-stamped lines
    std::size_t settled = 0;               // how many of them came before the settled day's report
    std::map<std::string, std::string> captions;
    struct Calls {
        long calls = 0, failed = 0;
    };
    std::map<std::string, std::map<std::string, Calls>> byOperation;   // operation -> handler -> counts
};

Day read(const ProgramResult& result) {
    Day d;
    for (const auto& line : result.out) {
        if (startsWith(line, "= ")) {
            if (d.settled == 0) d.settled = d.transcript.size();
            std::istringstream words(line.substr(2));
            std::string operation, handler;
            long calls = 0, failed = 0;
            if (words >> operation >> handler >> calls >> failed && words.eof())
                d.byOperation[operation][handler] = {calls, failed};
            continue;
        }
        if (line.size() > 13 && line[2] == ':') d.transcript.push_back(line);
    }
    // The answers to `get` are the last lines, after the counts.
    std::vector<std::string> answers;
    for (const auto& line : result.out)
        if (startsWith(line, "= ")) answers.push_back(line.substr(2));
    for (std::size_t k = 0; k < kStateCaptions.size() && k < answers.size(); ++k)
        d.captions[kStateCaptions[kStateCaptions.size() - 1 - k]] = answers[answers.size() - 1 - k];
    return d;
}

// When WHAT went on for the last time among the first `lines` lines before `before`, or -1 when
// it was off there.
std::int64_t onSince(const Day& d, const std::string& what, std::int64_t before = INT64_MAX,
                     std::size_t lines = SIZE_MAX) {
    std::int64_t since = -1;
    for (std::size_t i = 0; i < std::min(lines, d.transcript.size()); ++i) {
        const std::int64_t t = msOf(d.transcript[i]);
        if (t >= before) break;
        const std::string e = event(d.transcript[i]);
        if (e == what + " on" && since < 0) since = t;
        else if (e == what + " off") since = -1;
    }
    return since;
}

bool on(const Day& d, const std::string& what, std::int64_t before = INT64_MAX) { return onSince(d, what, before) >= 0; }

// The same once the day has settled: the program's closing releases everything at the instant
// of the report, so the lines it writes as it ends are left out.
std::int64_t onSinceWhenSettled(const Day& d, const std::string& what) { return onSince(d, what, INT64_MAX, d.settled); }

// When the day settles: ten minutes after its last command, the end of a failure included.
std::int64_t settledAt(const Run& r, const Moments& m) {
    std::int64_t last = m.lastCommand;
    for (const Stretch& s : r.stretches) last = std::max(last, s.to);
    return last + kSettling;
}

// The last "WHAT ..." line before `before`, or "" when there is none.
std::string lastOf(const Day& d, const std::string& what, std::int64_t before) {
    std::string last;
    for (const auto& line : d.transcript) {
        if (msOf(line) >= before) break;
        if (startsWith(event(line), what + " ")) last = event(line);
    }
    return last;
}

bool failingAt(const Run& r, std::int64_t ms) {
    return std::any_of(r.stretches.begin(), r.stretches.end(), [&](const Stretch& s) { return s.from <= ms && ms < s.to; });
}

// When the operation fails no more from `ms` on: the end of the stretches that run on from it
// (`ms` when it is not failing then).
std::int64_t failingUntil(const Run& r, std::int64_t ms) {
    std::int64_t end = ms;
    for (bool longer = true; longer;) {
        longer = false;
        for (const Stretch& s : r.stretches)
            if (s.from <= end && end < s.to) {
                end = s.to;
                longer = true;
            }
    }
    return end;
}

// When the station's own transmission that holds `from` (or keys within two seconds of it) has
// let go: a held CW ident waits for that too.
std::int64_t transmissionEndFrom(const Day& d, std::int64_t from) {
    std::int64_t free = from, keyedAt = -1;
    for (const auto& line : d.transcript) {
        const std::int64_t t = msOf(line);
        const std::string e = event(line);
        if (e == "KEY on" && keyedAt < 0) keyedAt = t;
        if (e != "KEY off" || keyedAt < 0) continue;
        if (keyedAt > free + 2000) break;
        if (t > free) free = t;
        keyedAt = -1;
    }
    return free;
}

bool logged(const Day& d, const std::string& text, std::int64_t from, std::int64_t to) {
    return std::any_of(d.transcript.begin(), d.transcript.end(), [&](const std::string& l) {
        const std::int64_t t = msOf(l);
        return t >= from && t <= to && startsWith(event(l), "LOG ") && l.find(text) != std::string::npos;
    });
}

// Whether `call` is connected (or on its way) at the end of the day.
bool connectedAtEnd(const Day& d, const std::string& call) {
    bool connected = false;
    for (const auto& line : d.transcript) {
        const std::string e = event(line);
        if (e == "CONNECT " + call) connected = true;
        else if (e == "DISCONNECT " + call || e == "DISCONNECT-ALL") connected = false;
    }
    return connected;
}

// A timed connection is listed busy once EchoLink takes it (the listing is tried every two
// seconds until it gets through), unless the operator's button could not start it (its first
// disconnect failed, which ends the button's handler).
void checkTimedConnection(const Run& r, const Day& d, std::int64_t start, const std::string& what,
                          std::vector<std::string>& problems) {
    // (The button's handler runs once blocking work before it, speech say, has let it.)
    if (logged(d, "Form4 timed connection start", start, start + 30'000)) return;
    // Spoken disconnect notices of the stations its start dropped may hold the listing's tick.
    const std::int64_t listed = failingUntil(r, start + 2000) + 30'000;
    const bool busy = on(d, "BUSY", start) || std::any_of(d.transcript.begin(), d.transcript.end(), [&](const std::string& l) {
                          return msOf(l) >= start && msOf(l) <= listed && event(l) == "BUSY on";
                      });
    if (!busy) problems.push_back("the " + what + " was not listed busy by " + clockText(listed));
}

std::vector<std::string> check(const Run& r, const Day& d, const Day& baseline, const Moments& m) {
    std::vector<std::string> problems;
    const ProgramResult& res = r.result;
    if (res.timedOut) problems.push_back("the run did not end");
    if (res.exitCode != 0) problems.push_back("exit status " + std::to_string(res.exitCode));
    if (const auto e = res.err.find("ERROR"); e != std::string::npos)
        problems.push_back("the console refused a command: " + res.err.substr(e, res.err.find('\n', e) - e));
    for (const auto& line : d.transcript) {
        const std::string e = event(line);
        if (e.find("Internal error") != std::string::npos) {
            problems.push_back(line);
            break;
        }
        if (startsWith(e, "DROPPED")) problems.push_back("the transcript lost lines: " + line);
    }
    if (d.settled == 0) problems.push_back("no report once the day had settled");
    // Something may fall due at the very moment of the report (a station called back with its
    // bell); what has been on for longer than any transmission of the day was left on.
    const std::int64_t settled = settledAt(r, m);
    for (const char* what : {"KEY", "RTS", "DTR"}) {
        const std::int64_t since = onSinceWhenSettled(d, what);
        if (since >= 0 && since < settled - kLongestTransmission)
            problems.push_back(std::string(what) + " has been on since " + clockText(since) + " when the day settled");
    }
    const bool transmittingAtReport = onSinceWhenSettled(d, "KEY") >= 0 || onSinceWhenSettled(baseline, "KEY") >= 0;
    // The bulletin plays, whatever failed at its start.
    const bool played = std::any_of(d.transcript.begin(), d.transcript.end(), [&](const std::string& l) {
        const std::int64_t t = msOf(l);
        return t >= m.bulletin && t <= m.bulletin + 60'000 && startsWith(event(l), "PLAY ") &&
               l.find("/news.wav\"") != std::string::npos;
    });
    if (!played) problems.push_back("no bulletin after " + std::string(station_day::kBulletinStart));
    // The net's end is made once EchoLink answers: listen-only lifted and its station dropped.
    if (on(d, "LISTEN-ONLY")) problems.push_back("listen-only still on after the net's end");
    const bool netDropped = std::any_of(d.transcript.begin(), d.transcript.end(), [&](const std::string& l) {
        const std::string e = event(l);
        return msOf(l) >= m.netStart && (e == "DISCONNECT " + std::string(station_day::kNetStation) || e == "DISCONNECT-ALL");
    });
    const bool netConnected = std::any_of(d.transcript.begin(), d.transcript.end(), [&](const std::string& l) {
        return msOf(l) >= m.netStart && event(l) == "CONNECT " + std::string(station_day::kNetStation);
    });
    if (netConnected && !netDropped) problems.push_back("the net's station was never dropped");
    // A CW ident held while the busy test could not be read goes out once the link is free. (Earlier
    // failures may have moved it a little ahead of the stretch aimed at it, or behind it, as blocking
    // speech they brought about holds its count: within a minute it was not lost, as the next
    // comes ten minutes on.)
    if (r.operation == "Activity" || r.operation == "ReceivingSignal" || r.operation == "CarrierDetected")
        for (const Stretch& s : r.stretches) {
            if (s.why != "CW ident") continue;
            const bool sent = std::any_of(d.transcript.begin(), d.transcript.end(), [&](const std::string& l) {
                const std::int64_t t = msOf(l);
                const std::int64_t latest = std::max(transmissionEndFrom(d, failingUntil(r, s.from)) + 5000, s.from + 60'000);
                return t >= s.from - 30'000 && t <= latest &&
                       startsWith(event(l), "CW \"" + std::string(station_day::kCwCallsign));
            });
            if (!sent) problems.push_back("the CW ident due at " + clockText(s.from) + " was not held and sent");
        }
    checkTimedConnection(r, d, m.timedByButton, "operator's timed connection", problems);
    checkTimedConnection(r, d, m.timedByDtmf, "timed connection by DTMF", problems);
    // Its end is made once EchoLink answers (the idle minutes stand still while the station
    // seems to transmit or receive): none is left running when the day has settled.
    if (connectedAtEnd(d, station_day::kTimedStation)) problems.push_back("a timed connection never ended");
    // The silence's end brings the link back in one of its seconds 15 to 18 that EchoLink answers.
    bool answered = false;
    for (int k = 0; k < 4; ++k) answered = answered || !failingAt(r, m.silenceOff + k * 1000 + 500);
    if (answered && lastOf(d, "LINK", m.silenceOff + 4000) == "LINK off")
        problems.push_back("the link is still down after the silence's end at " + clockText(m.silenceOff));
    // The captions that stand for the transmit and receive state are those of a day without
    // failures; the active set's alone when either day was on the air at its report.
    for (const auto& [caption, value] : baseline.captions) {
        if (transmittingAtReport && caption != kActiveSetCaption) continue;
        const auto it = d.captions.find(caption);
        if (it == d.captions.end() || it->second != value)
            problems.push_back(caption + " reads \"" + (it == d.captions.end() ? "?" : it->second) + "\", not \"" +
                               value + "\"");
    }
    return problems;
}

// A day's CW idents (the courtesy letters are CW too, but never the callsign).
// The operator's Send ID sends the callsign too: a CW line just after a command is not the
// schedule's, and the handler that sends it may end at a failure.
void cwIdentsOf(const Day& d, const std::vector<station_day::Command>& commands, Moments& m) {
    m.cwIdents.clear();
    auto afterACommand = [&](std::int64_t t) {
        return std::any_of(commands.begin(), commands.end(), [&](const station_day::Command& c) {
            return c.ms <= t && t - c.ms <= 2000 && (startsWith(c.line, "click ") || startsWith(c.line, "dtmf "));
        });
    };
    for (const auto& line : d.transcript)
        if (startsWith(event(line), "CW \"" + std::string(station_day::kCwCallsign)) &&
            msOf(line) < at(station_day::kNetStart) && !afterACommand(msOf(line)))
            m.cwIdents.push_back(msOf(line));
    // Only the first two, so the checks stay quick to read; the rest of the day is random.
    if (m.cwIdents.size() > 2) m.cwIdents.resize(2);
}

// Where a day sent beacon set 2's DTMF string.
void set2DtmfOf(const Day& d, Moments& m) {
    m.set2Dtmf.clear();
    for (const auto& line : d.transcript)
        if (startsWith(event(line), "DTMF-OUT")) m.set2Dtmf.push_back(msOf(line));
}

Options parse(int argc, char** argv) {
    Options o;
    for (int k = 1; k < argc; ++k) {
        const std::string a = argv[k];
        auto value = [&]() -> std::string {
            if (k + 1 >= argc) {
                std::fprintf(stderr, "missing value after %s\n", a.c_str());
                std::exit(2);
            }
            return argv[++k];
        };
        if (a == "--seed") o.seed = static_cast<std::uint32_t>(std::strtoul(value().c_str(), nullptr, 10));
        else if (a == "--hours") o.hours = std::atof(value().c_str());
        else if (a == "--jobs") o.jobs = std::max(1, std::atoi(value().c_str()));
        else if (a == "--only") o.only = value();
        else if (a == "--handlers") o.handlers = true;
        else if (a == "--show") o.show = value();
        else {
            std::fprintf(stderr, "usage: %s [--seed N] [--hours H] [--jobs J] [--only OPERATION] [--handlers] [--show OPERATION|none|quiet]\n",
                         argv[0]);
            std::exit(2);
        }
    }
    return o;
}

// A run's input (`<`), transcript (`|`) and standard error.
void show(const Run& r, const std::vector<station_day::Command>& commands) {
    std::istringstream input(inputFor(r, commands));
    for (std::string line; std::getline(input, line);) std::printf("  < %s\n", line.c_str());
    for (const auto& line : r.result.out) std::printf("  | %s\n", line.c_str());
    std::printf("  standard error:\n%s\n", r.result.err.c_str());
}

// Runs every day from the `first`, `jobs` at a time.
void runAll(std::vector<Run>& runs, const std::vector<station_day::Command>& commands, int jobs, std::size_t first = 0) {
    std::mutex mutex;
    std::size_t next = first;
    std::vector<std::thread> workers;
    for (int j = 0; j < jobs; ++j)
        workers.emplace_back([&] {
            while (true) {
                Run* r;
                {
                    std::lock_guard<std::mutex> lock(mutex);
                    if (next >= runs.size()) return;
                    r = &runs[next++];
                }
                const std::string input = inputFor(*r, commands);
                const auto started = std::chrono::steady_clock::now();
                r->result = runDay(input);
                r->wallSeconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
            }
        });
    for (auto& w : workers) w.join();
}

}  // namespace

int main(int argc, char** argv) {
    const Options o = parse(argc, argv);
    const auto started = std::chrono::steady_clock::now();
    const int jobs = o.jobs > 0 ? o.jobs : std::clamp(static_cast<int>(std::thread::hardware_concurrency()) / 2, 1, 8);

    // A quiet day first, with the day's fixed items alone: a first guess at where the CW idents
    // fall and the timed connections and the control line's run-on end, for the traffic to keep
    // clear of.
    const auto fixed = station_day::fixedItems();
    std::vector<Run> probe(1);
    runAll(probe, fixed, 1);
    Moments moments;
    cwIdentsOf(read(probe[0].result), fixed, moments);

    const auto traffic = station_day::traffic(o.seed, o.hours, "@DATA@", quietSpans(moments));
    std::vector<station_day::Command> day = traffic;
    day.insert(day.end(), fixed.begin(), fixed.end());
    // Then the day without failures, with the traffic: where those moments fall on it (the
    // traffic moves the idents and holds the idle minutes), for the failures to aim at.
    std::vector<Run> runs(1);
    runAll(runs, day, 1);
    const Day baseline = read(runs[0].result);
    cwIdentsOf(baseline, day, moments);
    for (const auto& c : day) moments.lastCommand = std::max(moments.lastCommand, c.ms);
    set2DtmfOf(baseline, moments);
    for (const auto& op : SimulatedNode::operationNames()) {
        if (op == "CloseProgram") continue;   // ends the day; its failure is the quit button's own test
        if (!o.only.empty() && op != o.only) continue;
        Run r;
        r.operation = op;
        r.stretches = stretchesFor(op, moments, traffic, o.hours, o.seed + static_cast<std::uint32_t>(std::hash<std::string>{}(op) % 100000));
        runs.push_back(r);
    }
    runAll(runs, day, jobs, 1);   // the day without failures has its result already
    std::vector<Row> rows;
    std::set<std::string> allReached, allCallers;
    bool ok = true;
    for (const Run& r : runs) {
        const Day d = r.operation.empty() ? baseline : read(r.result);
        Row row;
        row.operation = r.operation.empty() ? "(none)" : r.operation;
        row.problems = check(r, d, baseline, moments);
        for (const auto& [op, handlers] : d.byOperation)
            for (const auto& [handler, c] : handlers) {
                if (c.calls > 0 || c.failed > 0) allCallers.insert(handler);
                if (r.operation.empty() && c.calls > 0) row.callers.insert(handler);
                if (op != r.operation) continue;
                row.callers.insert(handler);
                if (c.failed > 0) {
                    row.failed += c.failed;
                    row.reached.insert(handler);
                    allReached.insert(handler);
                }
            }
        for (const auto& [op, handlers] : baseline.byOperation)
            if (op == r.operation)
                for (const auto& [handler, c] : handlers) row.callers.insert(handler);
        if (!row.problems.empty()) ok = false;
        rows.push_back(row);
        if (o.show == (r.operation.empty() ? "none" : r.operation)) show(r, day);
        if (o.show == "quiet" && r.operation.empty()) show(probe[0], fixed);
    }

    std::printf("EchoLink failing one operation at a time: seed %u, %.1f h from %s, %d runs %d at a time\n\n", o.seed,
                o.hours, station_day::kStart, static_cast<int>(runs.size()), jobs);
    std::printf("| operation | calls failed | handlers reached (of those calling it) | result |\n|---|---|---|---|\n");
    for (const Row& row : rows) {
        std::printf("| %s | %ld | %zu of %zu | %s |\n", row.operation.c_str(), row.failed, row.reached.size(),
                    row.callers.size(), row.problems.empty() ? "pass" : ("FAIL: " + row.problems.front()).c_str());
    }
    std::printf("\nhandlers reached by a failing call: %zu of the %zu handlers that call EchoLink on this day\n",
                allReached.size(), allCallers.size());
    for (const Row& row : rows) {
        for (std::size_t k = 1; k < row.problems.size(); ++k)
            std::printf("  %s also: %s\n", row.operation.c_str(), row.problems[k].c_str());
        if (o.handlers) {
            std::string list;
            for (const auto& h : row.reached) list += " " + h;
            std::printf("  %s reached:%s\n", row.operation.c_str(), list.c_str());
        }
    }
    if (o.handlers) {
        std::string missed;
        for (const auto& h : allCallers)
            if (!allReached.count(h)) missed += " " + h;
        std::printf("  never reached:%s\n", missed.c_str());
    }
    const double wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    std::printf("\n%.1f s wall\n", wall);
    return ok ? 0 : 1;
}
