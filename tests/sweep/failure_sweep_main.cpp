// EchoLink failing one operation at a time, through the real program: on a station day with every
// schedule on, traffic coming in and the operator's buttons pressed, each operation of the
// automation interface in turn fails for stretches of seconds, some at random points of the day
// and some over the moments a check needs (the bulletin's start, a CW ident, the net's start and
// end) or that come once a day (the profile change). Each run must hold what the station promises whatever call fails: no internal error; the
// key off and both control lines low once the day settles; the bulletin played; a held CW ident
// sent once the link is free; the net's end made once EchoLink answers; the transmit and receive
// captions as a station without failures shows them. It prints one row an operation: the calls
// failed, the handlers those failures reached against the handlers that call that operation at
// all, and the result.
//
//   mvsmall_failure_sweep [--seed N] [--hours H] [--jobs J] [--only OPERATION] [--handlers] [--show OPERATION|none]
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

// The captions that stand for the transmit and receive state, read once the day has settled.
const std::vector<std::string> kStateCaptions = {"Form1.Label1", "Form1.PTT",    "Form1.PTT2", "Form3.PTT",
                                                 "Form3.PTT2",   "Form22.PTT1",  "Form22.RFUser",
                                                 "Form22.PTT",   "Form24.PTT",   "Form23.PTT"};

// One failure stretch: the operation fails from `from` to `to` (ms from the day's start).
struct Stretch {
    std::int64_t from, to;
    std::string why;   // "random", or the moment it covers
};

// The moments of the baseline day the checks aim at.
struct Moments {
    std::int64_t bulletin = at(station_day::kBulletinStart);
    std::int64_t netStart = at(station_day::kNetStart);
    std::int64_t netEnd = at(station_day::kNetEnd);
    std::vector<std::int64_t> cwIdents;   // when the baseline sent its CW idents
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
    char text[16];
    std::snprintf(text, sizeof text, "%02lld:%02lld:%02lld", (long long)(t / 3600), (long long)(t / 60 % 60),
                  (long long)(t % 60));
    return text;
}

// The stretches of one operation: over each moment a check needs, and at random points.
std::vector<Stretch> stretchesFor(const Moments& m, const std::vector<station_day::Command>& traffic, double hours,
                                  std::uint32_t seed) {
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
    const std::int64_t p = at(station_day::kProfileChange) - between(0, 2000);
    out.push_back({p, p + between(3000, 8000), "profile change"});
    for (std::int64_t cw : m.cwIdents) {
        const std::int64_t c = cw - between(0, 1500);
        out.push_back({c, c + between(2000, 8000), "CW ident"});
    }
    // Over half of what comes in and what the operator does, starting a little before it.
    for (const auto& c : traffic) {
        if (std::uniform_int_distribution<int>(0, 1)(rng) == 0 || startsWith(c.line, "set ")) continue;
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
                                                           {m.netEnd - 30'000, m.netEnd + 60'000}};
    for (std::int64_t cw : m.cwIdents) q.emplace_back(cw - 30'000, cw + 30'000);
    return q;
}

// What ends every day: EchoLink answers everything again, the outside world goes quiet, the
// control line a DTMF code may have switched on goes off, and ten minutes pass.
std::string settleAndReport() {
    std::string tail = "fail all off\nrx off\ncarrier off\nsignal off\nactivity off\ndtmf ###0\nwait 600\ncalls\n";
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

std::string inputFor(const Run& r, const std::vector<station_day::Command>& traffic) {
    std::vector<station_day::Command> commands = traffic;
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

bool on(const Day& d, const std::string& what, std::int64_t before = INT64_MAX) {
    // The last "WHAT on|off" line before `before`.
    bool state = false;
    for (const auto& line : d.transcript) {
        if (msOf(line) >= before) break;
        const std::string e = event(line);
        if (e == what + " on") state = true;
        else if (e == what + " off") state = false;
    }
    return state;
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
    if (on(d, "KEY")) problems.push_back("the key is on when the day has settled");
    if (on(d, "RTS")) problems.push_back("RTS is up when the day has settled");
    if (on(d, "DTR")) problems.push_back("DTR is up when the day has settled");
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
    // A CW ident held while the busy test could not be read goes out once the link is free.
    if (r.operation == "Activity" || r.operation == "ReceivingSignal" || r.operation == "CarrierDetected")
        for (const Stretch& s : r.stretches) {
            if (s.why != "CW ident") continue;
            const bool sent = std::any_of(d.transcript.begin(), d.transcript.end(), [&](const std::string& l) {
                const std::int64_t t = msOf(l);
                return t >= s.from && t <= s.to + 5000 && startsWith(event(l), "CW ");
            });
            if (!sent) problems.push_back("the CW ident due at " + clockText(s.from) + " was not held and sent");
        }
    // The captions that stand for the transmit and receive state are those of a day without failures.
    for (const auto& [caption, value] : baseline.captions) {
        const auto it = d.captions.find(caption);
        if (it == d.captions.end() || it->second != value)
            problems.push_back(caption + " reads \"" + (it == d.captions.end() ? "?" : it->second) + "\", not \"" +
                               value + "\"");
    }
    return problems;
}

Moments momentsOf(const Day& baseline) {
    Moments m;
    for (const auto& line : baseline.transcript)
        if (startsWith(event(line), "CW ") && msOf(line) < at(station_day::kNetStart)) m.cwIdents.push_back(msOf(line));
    // Only the first two, so the checks stay quick to read; the rest of the day is random.
    if (m.cwIdents.size() > 2) m.cwIdents.resize(2);
    return m;
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
            std::fprintf(stderr, "usage: %s [--seed N] [--hours H] [--jobs J] [--only OPERATION] [--handlers] [--show OPERATION|none]\n",
                         argv[0]);
            std::exit(2);
        }
    }
    return o;
}

// Runs every day, `jobs` at a time.
void runAll(std::vector<Run>& runs, const std::vector<station_day::Command>& traffic, int jobs) {
    std::mutex mutex;
    std::size_t next = 0;
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
                const std::string input = inputFor(*r, traffic);
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

    // A quiet day first: where the CW idents fall (they come at fixed periods from the start).
    std::vector<Run> probe(1);
    runAll(probe, {}, 1);
    const Moments moments = momentsOf(read(probe[0].result));

    const auto traffic = station_day::traffic(o.seed, o.hours, "@DATA@", quietSpans(moments));
    std::vector<Run> runs;
    runs.push_back({});   // the day without failures, with the traffic
    for (const auto& op : SimulatedNode::operationNames()) {
        if (op == "CloseProgram") continue;   // ends the day; its failure is the quit button's own test
        if (!o.only.empty() && op != o.only) continue;
        Run r;
        r.operation = op;
        r.stretches = stretchesFor(moments, traffic, o.hours, o.seed + static_cast<std::uint32_t>(std::hash<std::string>{}(op) % 100000));
        runs.push_back(r);
    }
    runAll(runs, traffic, jobs);

    const Day baseline = read(runs[0].result);
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
        if (o.show == (r.operation.empty() ? "none" : r.operation)) {
            for (const auto& line : r.result.out) std::printf("  | %s\n", line.c_str());
            std::printf("  standard error:\n%s\n", r.result.err.c_str());
        }
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
