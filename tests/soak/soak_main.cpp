// A week on the air in a minute: a whole station with every schedule switched on runs through
// days of virtual time under a seeded random stream of what the outside world does, while its
// invariants are checked all along. The seed also draws the station (its start day, its
// schedules, its nets, profiles and download, the moment the sysop restarts it: day_plan.h),
// and at the end every item that fell due is looked for on the air (expectations.h).
//
//   mvsmall_soak [--days D] [--hours H] [--seed N] [--runs R] [--quiet] [--show-log] [--by-kind]
//                [--transcript] [--inject-stuck-key]
//
// The short form (no flag) runs one day; `--days 7` is the long form. A failing run prints
// its seed; `--seed N` replays it, `--transcript` prints what went on the air.
#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <map>
#include <random>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "core/datetime.h"
#include "core/settings.h"
#include "core/text.h"
#include "core/timer.h"
#include "linkcontrol/connect_control_window.h"
#include "nets/net_set2_window.h"
#include "shell/launcher_window.h"
#include "beacons/beacon_set1_window.h"
#include "beacons/beacon_set2_window.h"
#include "player/player_window.h"
#include "speech/courtesy_window.h"
#include "speech/idents_window.h"
#include "weather/weather_window.h"
#include "platform/local_servers.h"
#include "soak/day_plan.h"
#include "soak/expectations.h"
#include "soak/kind_report.h"
#include "soak/on_air_record.h"
#include "soak/resident_memory.h"
#include "soak/station_settings.h"
#include "support/station_fixture.h"

#ifndef MVSMALL_SOAK_SHORT_HOURS
#define MVSMALL_SOAK_SHORT_HOURS 24.0   // one whole day: every daily schedule comes round once
#endif

namespace {

constexpr std::int64_t kDriverTickMs = 16;   // the PTT driver's tick (the finest timer interval)
constexpr const char* kStopPlayerCode = "#00";

// What the beacons say (the beacon sets' extra beacons, the weather beacons): a transmission
// these replace before its end has been cut by a beacon.
const std::vector<std::string> kBeaconTexts = {"N0CALL beacon", "Second set beacon", "The local weather"};

const std::vector<std::string> kValidDtmf = {"#99", "###1", "###0", "###3", "#18", "#71", "#70", "#55", "*11*",
                                             "*10*", "101", "102", "103", "73", "#", "*", "0", kStopPlayerCode,
                                             "#61", "#62"};   // the profiles' codes
const std::vector<std::string> kStations = {"W1ABC", "K2XYZ", "W1STAY", "K2STAY-R", "HOME1", "G4AAA-R",
                                            "*IRELAND*", "N3OTH-L", " w5low ", "VE3XYZ"};
const std::vector<std::string> kChatLines = {
    "W1ABC>hello from the far end",
    "K2XYZ>",
    ">no callsign",
    "no separator at all",
    "N0CALL-L>our own echo",
    "G4AAA-R>#99",
    "W1ABC>a>b>c",
    "W1ABC>\t\x01\x7f control characters",
    "VE3XYZ>\xc3\xa9t\xc3\xa9 \xe2\x82\xac utf-8",
    "W1ABC>\xff\xfe broken utf-8",
    "W1ABC><b>markup</b> &amp; entities",
    "W1ABC>" + std::string(4000, 'x'),
    "   >   ",
};

struct Options {
    double hours = MVSMALL_SOAK_SHORT_HOURS;
    std::uint32_t seed = 0;
    bool seedGiven = false;
    int runs = 1;
    bool quiet = false;
    bool showLog = false;         // print the distinct error-log lines at the end
    bool injectStuckKey = false;  // stop the player's driver and key the transmitter: the run must fail
    bool byKind = false;          // print each run's account by kind, not only the sum
    bool transcript = false;      // print what went on the air
};

struct Figures {
    std::int64_t events = 0, keyed = 0, spoken = 0, played = 0, cw = 0, dtmf = 0, chats = 0, connects = 0,
                 overs = 0, carriers = 0, unreachable = 0, readBacks = 0, logLines = 0, bulletins = 0, stops = 0;
    std::int64_t keyedMs = 0;
};

class Soak {
public:
    Soak(const Options& o, std::uint32_t seed, const std::string& serverUrl)
        : options_(o), seed_(seed), rng_(seed), plan_(soak::drawPlan(rng_, "@DATA@", serverUrl)) {
        s_ = std::make_unique<Station>(stationOptions(plan_.startText));
        dataFolder_ = s_->dataFolder().path();
        resolveDataFolder();
        writeSettings();
        start();
    }

    // Runs the whole period; returns whether every invariant held and everything due aired or
    // was lost for a reason.
    bool run() {
        const std::int64_t endMs = static_cast<std::int64_t>(options_.hours * 3600'000.0);
        scheduleNextEvent(0);
        if (options_.injectStuckKey)
            agenda_.emplace(30 * 60'000, [this] {
                // A player whose driver stops: the next key stays down with nothing on the air.
                s_->app().form1().Timer3.disable();
                s_->app().form4().EchoLink().KeyTransmitter(true);
            });
        agenda_.emplace(kDayMs, [this] { dailyReadBack(); });
        const std::int64_t restartMs = plan_.restartAt - plan_.start;
        if (restartMs < endMs - 3600'000) agenda_.emplace(restartMs, [this] { saveExitAndRestart(); });
        while (failures_.empty()) {
            const auto next = agenda_.begin();
            const std::int64_t due = std::min(next->first, endMs);
            advanceTo(due);
            if (due >= endMs || !failures_.empty()) break;
            auto work = std::move(next->second);
            agenda_.erase(next);
            s_->app().act(work);
            if (s_->app().ended() && !exiting_) fail("the program ended unasked");
        }
        // A run of whole days ends where the next day's read-back would have measured.
        if (nowMs_ % kDayMs == 0 && residentByDay_.size() < static_cast<std::size_t>(nowMs_ / kDayMs))
            residentByDay_.push_back(residentKilobytes());
        const LocalMs end = s_->clock().now();
        runs_.back().to = end;
        if (failures_.empty()) judgeWhatAired(end);
        if (failures_.empty()) settle();
        if (failures_.empty()) readBack("at the end");
        return failures_.empty();
    }

    const std::vector<std::string>& failures() const { return failures_; }
    const Figures& figures() const { return figures_; }
    const std::set<std::string>& logLines() const { return logLines_; }
    // The process's resident memory at the end of each whole day, in kilobytes.
    const std::vector<long>& residentByDay() const { return residentByDay_; }
    std::uint32_t seed() const { return seed_; }
    const soak::KindReport& byKind() const { return byKind_; }
    const soak::DayPlan& plan() const { return plan_; }

private:
    static constexpr std::int64_t kDayMs = 86'400'000;

    static StationOptions stationOptions(const std::string& startText) {
        StationOptions o;
        o.start = startText;
        o.realTransfers = true;   // the news download goes to the local stand-in through libcurl
        return o;
    }

    void resolveDataFolder() {
        for (std::string* path : {&plan_.newsFile, &plan_.thirdFile, &plan_.secondFile})
            *path = replaceAll(*path, "@DATA@", dataFolder_);
    }

    // Brings the station up: its windows in start-up order, the net window of set 2 that the
    // sysop keeps open, and the soak's own watch and clock beside them.
    void start() {
        Station& s = *s_;
        std::vector<std::pair<std::string, double>> sounds = station_settings::soundFiles();
        sounds.insert(sounds.end(), plan_.soundLengths.begin(), plan_.soundLengths.end());
        for (const auto& [name, seconds] : sounds) {
            if (stations_.empty()) s.dataFolder().write(name, "RIFF");
            s.audio->setLength(dataFolder_ + "/" + name, seconds);
        }
        // The windows in start-up order, each of those whose periods the model counts followed
        // at once by a timer of the soak's own: created with the window, it ticks in its turn
        // among the window's timers and so falls behind blocking work exactly as they do.
        soak::RunSegment run;
        run.from = s.clock().now();
        runs_.push_back(run);
        s.app().act([&] {
            for (const std::string& name : App::startupOrder()) {
                s.app().formByName(name);
                recordScheduleTicks(name);
            }
            s.app().form117();
        });
        s.node().shuffleEvents(seed_);
        // The soak reads each line as it comes and keeps none, nor do the stand-ins keep what was
        // asked of them, so the memory it reports is the station's own.
        s.transcript().keepLines(false);
        s.speech->remembers = s.shell->remembers = s.webText->remembers = false;
        if (s.transfer) s.transfer->remembers = false;
        s.transcript().onLine([this](const std::string& line) { onLine(line); });
        watch_ = std::make_unique<Timer>(s.loop(), "soak-watch", 1, [this] { check(); });
    }

    // The periods are counted on the ticks of the timers that count them, as they run: a tick
    // held up by blocking work or by its own handler still on the stack comes late or not at
    // all, and the countdown falls behind with it. A tick is taken for the whole second it fell
    // in, counted from the start.
    void recordScheduleTicks(const std::string& window) {
        App& app = s_->app();
        if (window == "Form3") {
            recordTicks("voice ident", app.form3().Beacon6);
            recordTicks("CW ident", app.form3().Beacon7);
        } else if (window == "Form111") {
            recordTicks("set 1 timed beacon", app.form111().Beacon1);
        } else if (window == "Form110") {
            recordTicks("set 2 timed beacon", app.form110().Beacon1);
        } else if (window == "Form114") {
            recordTicks("weather conditions", app.form114().Beacon1);
            recordTicks("weather forecast", app.form114().Beacon2);
            recordTicks("weather warning", app.form114().Beacon3);
            recordTicks("warning watcher", app.form114().Beacon4);
        }
    }

    void recordTicks(const std::string& schedule, Timer& timer) {
        timer.setHandler([this, schedule, tick = timer.handler()] {
            const LocalMs from = runs_.back().from;
            runs_.back().ticks[schedule].push_back(from + (s_->clock().now() - from) / 1000 * 1000);
            tick();
        });
    }

    // The sysop's Save / Exit in the middle of a day, and the station started again from what
    // it saved a little later.
    void saveExitAndRestart() {
        exiting_ = true;
        s_->app().act([&] { s_->app().form5().Command5.click(); });
        if (!s_->app().ended()) fail("Save / Exit did not end the program");
        const LocalMs exitAt = s_->clock().now();
        runs_.back().to = exitAt;
        record_.outside(soak::Outside::StationOff, true, exitAt);
        record_.stationsGone(exitAt);
        for (int k = 0; k < static_cast<int>(soak::Outside::Count); ++k)
            if (k != static_cast<int>(soak::Outside::StationOff))
                record_.outside(static_cast<soak::Outside>(k), false, exitAt);
        const std::string config = std::filesystem::path(s_->settingsFile("x")).parent_path().string();
        std::vector<std::pair<std::string, std::string>> saved;
        for (const auto& entry : std::filesystem::directory_iterator(config)) {
            std::ifstream in(entry.path(), std::ios::binary);
            std::stringstream text;
            text << in.rdbuf();
            saved.emplace_back(entry.path().filename().string(), text.str());
        }
        nowMs_ += plan_.restartPauseSeconds * 1000LL;
        const LocalMs restartAt = plan_.start + nowMs_;
        // The first station's folders hold the sound files the settings name: it stays, stopped.
        watch_.reset();
        stations_.push_back(std::move(s_));
        s_ = std::make_unique<Station>(stationOptions(dateTimeText(restartAt)));
        for (const auto& [name, text] : saved) s_->writeSettings(name, text);
        record_.outside(soak::Outside::StationOff, false, restartAt - 1);   // on again from its first instant
        exiting_ = false;
        start();
    }

    static std::string dateTimeText(LocalMs t) {
        const CivilTime c = toCivil(t);
        char b[32];
        std::snprintf(b, sizeof b, "%04d-%02d-%02d %02d:%02d:%02d", c.year, c.month, c.day, c.hour, c.minute, c.second);
        return b;
    }

    // The settings set as sysops' editors leave it: each file with LF, CR LF or CR line ends, a
    // byte-order mark or UTF-16, all of which must load alike; and the greetings file damaged
    // (a NUL byte at its head), which must load as defaults (greetings on) and never be written over.
    void writeSettings() {
        station_settings::writeAll(
            dataFolder_,
            [&](const std::string& name, const std::string& text) { s_->writeSettings(name, asEditorsLeaveIt(text, pick(4))); },
            plan_.overrides);
        damaged_ = std::string("\0[SETTINGS]\nTEXT1=Hello\n", 23);
        s_->writeSettings(kDamagedFile, damaged_);
    }
    static std::string asEditorsLeaveIt(const std::string& text, std::size_t how) {
        switch (how) {
            case 1: return "\xEF\xBB\xBF" + replaceAll(text, "\n", "\r\n");
            case 2: return replaceAll(text, "\n", "\r");
            case 3: {
                std::string wide = "\xFF\xFE";   // the set is ASCII: each byte one UTF-16 unit
                for (const char c : replaceAll(text, "\n", "\r\n")) {
                    wide += c;
                    wide += '\0';
                }
                return wide;
            }
            default: return text;
        }
    }

    std::size_t pick(std::size_t n) { return std::uniform_int_distribution<std::size_t>(0, n - 1)(rng_); }
    std::int64_t between(std::int64_t lo, std::int64_t hi) {
        return std::uniform_int_distribution<std::int64_t>(lo, hi)(rng_);
    }

    void advanceTo(std::int64_t ms) {
        if (ms > nowMs_) {
            s_->advance(static_cast<double>(ms - nowMs_) / 1000.0);
            nowMs_ = ms;
        }
        if (s_->app().ended() && !exiting_) fail("the program ended unasked");
    }

    // ---- the outside world

    void scheduleNextEvent(std::int64_t after) {
        // About twenty events an hour, bunched now and then.
        const double meanMs = 180'000.0;
        const auto gap = static_cast<std::int64_t>(std::exponential_distribution<double>(1.0 / meanMs)(rng_));
        agenda_.emplace(after + std::max<std::int64_t>(gap, 50), [this] {
            randomEvent();
            scheduleNextEvent(nowMs_);
        });
    }

    void later(std::int64_t delayMs, std::function<void()> work) { agenda_.emplace(nowMs_ + delayMs, std::move(work)); }

    LocalMs now() const { return s_->clock().now(); }

    // The outside world's states go through here, so the record knows them as the node does.
    void outside(soak::Outside what, bool on) {
        SimulatedNode& node = s_->node();
        switch (what) {
            case soak::Outside::Carrier: node.setCarrier(on); break;
            case soak::Outside::Signal: node.setReceivingSignal(on); break;
            case soak::Outside::Activity: node.setActivity(on); break;
            case soak::Outside::InternetAudio: node.setInternetAudio(on); break;
            case soak::Outside::EchoLinkAway: node.setUnreachable(on); break;
            default: return;
        }
        record_.outside(what, on, now());
        if (options_.transcript) {
            static const char* names[] = {"carrier", "signal", "activity", "internet-audio", "echolink-away"};
            std::printf("%s %s   (soak: %s %s)\n", shortDate(now()).c_str(), stampText(now()).c_str(),
                        names[static_cast<int>(what)], on ? "on" : "off");
        }
    }
    void dtmf(const std::string& digits) {
        record_.dtmf(now(), digits);
        if (options_.transcript)
            std::printf("%s %s   (soak: dtmf %s)\n", shortDate(now()).c_str(), stampText(now()).c_str(), digits.c_str());
        if (digits == kStopPlayerCode) record_.stopAsked(now());
        s_->node().receiveDtmf(digits);
    }

    void randomEvent() {
        ++figures_.events;
        SimulatedNode& node = s_->node();
        const std::size_t r = pick(100);
        if (r < 20) {          // DTMF, valid or not
            ++figures_.dtmf;
            dtmf(pick(2) ? kValidDtmf[pick(kValidDtmf.size())] : randomDigits());
        } else if (r < 35) {   // a station connects
            ++figures_.connects;
            const std::string& call = kStations[pick(kStations.size())];
            if (!node.isConnected(trim(call))) {
                node.stationConnects(trim(call), pick(2) ? "Name" : "", "10.0.0.1");
                record_.stationCame(ucase(trim(call)), now());
            }
        } else if (r < 47) {   // a station drops
            if (!node.stations().empty()) {
                const std::string call = node.stations()[pick(node.stations().size())].call;
                node.stationDisconnects(call);
                record_.stationLeft(ucase(call), now());
            }
        } else if (r < 60) {   // a chat line
            ++figures_.chats;
            node.receiveChat(kChatLines[pick(kChatLines.size())]);
        } else if (r < 75) {   // an Internet over
            if (!node.internetAudio()) {
                ++figures_.overs;
                outside(soak::Outside::InternetAudio, true);
                later(between(500, 90'000), [this] { outside(soak::Outside::InternetAudio, false); });
            }
        } else if (r < 90) {   // a local carrier: a kerchunk or an over
            if (!node.carrier()) {
                ++figures_.carriers;
                outside(soak::Outside::Carrier, true);
                outside(soak::Outside::Signal, true);
                later(pick(3) ? between(200, 1500) : between(2000, 45'000), [this] {
                    outside(soak::Outside::Carrier, false);
                    outside(soak::Outside::Signal, false);
                });
            }
        } else if (r < 94) {   // activity
            outside(soak::Outside::Activity, true);
            later(between(1000, 20'000), [this] { outside(soak::Outside::Activity, false); });
        } else if (r < 96) {   // EchoLink unreachable for a while
            if (!node.unreachable()) {
                ++figures_.unreachable;
                outside(soak::Outside::EchoLinkAway, true);
                later(between(5'000, 20 * 60'000), [this] { outside(soak::Outside::EchoLinkAway, false); });
            }
        } else if (r < 97) {   // the operator stops the player from one of the Stop buttons
            // (a button's failed EchoLink call is an error the log shows by design: not while EchoLink is away)
            if (node.unreachable()) return;
            ++figures_.stops;
            record_.stopAsked(now());
            const std::size_t which = pick(3);
            if (which == 0) s_->app().form111().Command5.click();
            else if (which == 1) s_->app().form110().Command5.click();
            else s_->app().form1().Command9.click();
        } else if (r < 98) {   // a long file on the air by DTMF, for beacons and breaks to meet
            dtmf("55*1");
            // Now and then a listener switches the profile while it plays, as waiting beacons meet a change of set.
            if (pick(2)) later(between(30'000, 300'000), [this] { dtmf(pick(2) ? "#61" : "#62"); });
        } else {               // the operator saves everything
            readBack("after an operator save");
        }
    }

    // Every item that fell due is looked for on the air; the account by kind is kept.
    void judgeWhatAired(LocalMs end) {
        const soak::Verdict verdict = soak::judge(plan_, runs_, record_, end);
        byKind_.add(verdict.items);
        if (options_.transcript)
            for (const soak::Outcome& o : verdict.items)
                if (!o.aired)
                    std::printf("%s %s   (soak: %s lost: %s)\n", shortDate(o.due).c_str(), stampText(o.due).c_str(),
                                soak::kindName(o.kind), o.reason.empty() ? "NO REASON" : o.reason.c_str());
        failures_.insert(failures_.end(), verdict.failures.begin(), verdict.failures.end());
    }

    std::string randomDigits() {
        static const std::string digits = "0123456789*#ABCD";
        std::string d;
        const std::size_t n = pick(10);
        for (std::size_t k = 0; k < n; ++k) d += digits[pick(digits.size())];
        return d;
    }

    // ---- invariants

    void onLine(const std::string& stamped) {
        if (options_.transcript) std::printf("%s %s\n", shortDate(now()).c_str(), stamped.c_str());
        const std::string line = stamped.size() > 13 ? stamped.substr(13) : stamped;
        record_.line(now(), line);
        if (line.rfind("KEY on", 0) == 0) {
            ++figures_.keyed;
            keyedSince_ = s_->clock().tickCount();
        } else if (line.rfind("KEY off", 0) == 0) {
            if (keyedSince_ >= 0) figures_.keyedMs += s_->clock().tickCount() - keyedSince_;
            keyedSince_ = -1;
        } else if (line.rfind("SPEAK", 0) == 0) {
            ++figures_.spoken;
        } else if (line.rfind("WAV", 0) == 0) {
            rendered_ = {quoted(line, 0), quoted(line, 1)};
        } else if (line.rfind("PLAY", 0) == 0) {
            onPlay(quoted(line, 0));
            ++figures_.played;
            if (line.find("news.mp3") != std::string::npos) ++figures_.bulletins;
        } else if (line.rfind("CW", 0) == 0) {
            ++figures_.cw;
        } else if (line.rfind("LOG", 0) == 0) {
            ++figures_.logLines;
            logLines_.insert(line.substr(0, 160));
            if (line.find("Internal error") != std::string::npos) fail("internal failure in the error log: " + line);
        } else if (line.rfind("EXIT", 0) == 0) {
            if (!exiting_) fail("the program ended unasked");
        }
    }

    // The n-th double-quoted text of a transcript line, as written (escapes kept).
    static std::string quoted(const std::string& line, int n) {
        std::size_t open = line.find('"');
        for (int k = 0; k < n && open != std::string::npos; ++k) open = line.find('"', line.find('"', open + 1) + 1);
        if (open == std::string::npos) return "";
        std::size_t close = open + 1;
        while (close < line.size() && line[close] != '"') close += line[close] == '\\' ? 2 : 1;
        return line.substr(open + 1, close - open - 1);
    }

    static bool isBeacon(const std::string& item) {
        return std::any_of(kBeaconTexts.begin(), kBeaconTexts.end(),
                           [&](const std::string& text) { return item.rfind(text, 0) == 0; });
    }

    // No transmission is replaced by a beacon before its end: a file (or rendered speech) that
    // still had time left at the watch's last look, with no stop asked for since it began, may
    // give way to a bulletin at its second 15, a connect bell or a reply, never to a beacon. A
    // file played again after a break, with nothing rendered meanwhile, is the same transmission.
    void onPlay(const std::string& path) {
        const bool resumed = path == onAir_.path && !rendered_.fresh();
        const std::string item = path == rendered_.path && rendered_.fresh() ? rendered_.text : path;
        rendered_ = {};
        if (resumed) return;
        const std::uint64_t stops = s_->app().form1().requestedStops();
        if (onAirLeft_ > 0.1 && stops == onAir_.stops && isBeacon(item))
            fail("a beacon (\"" + item.substr(0, 60) + "\") replaced \"" + onAir_.item.substr(0, 60) + "\" with " +
                 numberText(onAirLeft_) + " s of it left");
        onAir_ = {path, item, stops};
    }

    // Something on the air holds the key: a file with time left, a transmission break, local RF
    // on a repeater. Speech and the tail delays block the one thread while they hold the key, so
    // the watch never sees them except for an instant in a handler's "let pending events run",
    // which takes no time; the idents window's PTT label only mirrors the key, so it proves nothing.
    bool somethingHolds() {
        App& a = s_->app();
        Form1& player = a.form1();
        const auto left = toNumber(player.Label1.caption());
        if (!left || *left != 0) return true;
        // A break holds the key off; it stands for the key only while its own length runs (the
        // resume keys at its end), never longer.
        if (player.TempDelay == 1 && breakSince_ >= 0) {
            const auto ticks = toNumber(player.Text6.text());
            if (ticks && s_->clock().tickCount() - breakSince_ <= *ticks * kDriverTickMs + kDriverTickMs) return true;
        }
        Form22& courtesy = a.form22();
        return courtesy.Option6.value() && courtesy.RFUser.text() == "Receiving  RF";
    }

    // The watch: a timer at the driver's own interval, created after every window, so in each
    // round it looks after the driver has had its turn.
    void check() {
        if (s_->app().ended() || checking_) return;
        checking_ = true;
        const std::int64_t now = s_->clock().tickCount();
        {
            const auto left = toNumber(s_->app().form1().Label1.caption());
            onAirLeft_ = left ? *left : 0;
        }
        if (s_->app().form1().TempDelay != 1) breakSince_ = -1;
        else if (breakSince_ < 0) breakSince_ = now;
        // While EchoLink does not answer, nobody can release its key: the count starts when it answers again.
        if (s_->node().keyed() && !s_->node().unreachable() && !somethingHolds()) {
            if (unheldSince_ < 0) unheldSince_ = now;
            else if (now - unheldSince_ > kDriverTickMs)
                fail("transmitter keyed with nothing holding it for " + std::to_string(now - unheldSince_) +
                     " ms");
        } else {
            unheldSince_ = -1;
        }
        checking_ = false;
    }

    void settle() {
        SimulatedNode& node = s_->node();
        s_->app().act([&] {
            node.setUnreachable(false);
            node.setInternetAudio(false);
            node.setCarrier(false);
            node.setReceivingSignal(false);
            node.setActivity(false);
            // The control line that DTMF codes switched on (alternate control, permanent on) goes off.
            node.receiveDtmf("###0");
            if (s_->app().form3().Check4.value() == 1) node.receiveDtmf("###3");
        });
        // Schedules go on keying now and then; the key must come off, and both lines drop, within
        // a few minutes.
        for (int k = 0; k < 600; ++k) {
            advanceTo(nowMs_ + 1000);
            if (!failures_.empty()) return;
            if (!node.keyed() && !node.rts() && !node.dtr()) return;
        }
        std::string held;
        const char* names[] = {"duplex keying", "repeater keying", "control line"};
        for (int r = 0; r < 3; ++r)
            if (const auto line = s_->app().raisedLines().lineOf(static_cast<LineReason>(r)))
                held += std::string(" ") + names[r] + (*line == SerialLine::RTS ? " (RTS)" : " (DTR)");
        fail(std::string("still ") + (node.keyed() ? "keyed" : "a control line up") +
             " ten minutes after everything settled; held for:" + (held.empty() ? " nothing" : held));
    }

    void dailyReadBack() {
        residentByDay_.push_back(residentKilobytes());
        readBack("on day " + std::to_string(nowMs_ / kDayMs));
        agenda_.emplace(nowMs_ + kDayMs, [this] { dailyReadBack(); });
    }

    static std::vector<std::string> keysOf(const std::string& path) {
        std::vector<std::string> keys;
        std::ifstream in(path);
        std::string line;
        while (std::getline(in, line)) {
            const auto eq = line.find('=');
            if (eq != std::string::npos && !line.empty() && line[0] != '[') keys.push_back(line.substr(0, eq));
        }
        return keys;
    }

    // Keys another window rightly sets while it loads, so a fresh start does not show the saved value.
    static bool sharedAtLoad(const std::string& file, const std::string& key) {
        // The player's volume is the one the courtesy window (created later) hands it at its load.
        return file == "MP3_PlayerABC.ini" && ucase(key) == "VOLSET";
    }

    // Every window saves; a fresh station started from those files saves the same values again.
    void readBack(const std::string& when) {
        ++figures_.readBacks;
        s_->app().act([&] {
            for (Form* f : s_->app().existingForms()) f->SaveData();
        });
        {
            std::ifstream in(s_->settingsFile(kDamagedFile), std::ios::binary);
            const std::string now((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
            if (now != damaged_) fail("the damaged " + std::string(kDamagedFile) + " was written over " + when);
        }
        const std::string config = std::filesystem::path(s_->settingsFile("x")).parent_path().string();
        std::map<std::string, std::string> saved;
        for (const auto& entry : std::filesystem::directory_iterator(config)) {
            if (entry.path().extension() != ".ini") continue;
            std::ifstream in(entry.path(), std::ios::binary);
            std::stringstream text;
            text << in.rdbuf();
            saved[entry.path().filename().string()] = text.str();
        }
        Station fresh({"2026-12-10 12:00:00", "N0CALL-L", false});
        for (const auto& [name, text] : saved) fresh.writeSettings(name, text);
        fresh.app().act([&] {
            fresh.app().createStartupWindows();
            for (Form* f : fresh.app().existingForms()) f->SaveData();
        });
        for (const auto& [name, text] : saved) {
            const SettingsFile before(s_->settingsFile(name));
            const SettingsFile after(fresh.settingsFile(name));
            for (const auto& key : keysOf(s_->settingsFile(name))) {
                if (sharedAtLoad(name, key)) continue;
                const std::string a = before.read(key, "<missing>", 100000);
                const std::string b = after.read(key, "<missing>", 100000);
                if (a != b)
                    fail("settings read back differently " + when + ": " + name + " " + key + " saved \"" + a +
                         "\", read back and saved again \"" + b + "\"");
            }
        }
    }

    void fail(const std::string& what) {
        // The first failure of a run tells; what follows from it would only repeat it.
        if (failures_.empty())
            failures_.push_back("day " + std::to_string(nowMs_ / kDayMs) + " " + timeText(s_->clock().now()) + ": " +
                                what);
    }

    const Options& options_;
    std::uint32_t seed_;
    std::mt19937 rng_;
    soak::DayPlan plan_;
    std::unique_ptr<Station> s_;
    std::vector<std::unique_ptr<Station>> stations_;   // stopped ones, kept for their folders
    std::string dataFolder_;
    std::unique_ptr<Timer> watch_;
    std::vector<soak::RunSegment> runs_;
    soak::OnAirRecord record_;
    soak::KindReport byKind_;
    bool exiting_ = false;
    std::multimap<std::int64_t, std::function<void()>> agenda_;
    std::int64_t nowMs_ = 0;
    static constexpr const char* kDamagedFile = "marogreeting.ini";
    std::string damaged_;
    std::int64_t breakSince_ = -1;   // tick at which the running break began
    // The last speech rendered to a file and not yet played, and what the player transmits.
    struct Rendered {
        std::string path, text;
        bool fresh() const { return !path.empty(); }
    } rendered_;
    struct OnAir {
        std::string path, item;
        std::uint64_t stops = 0;   // the stops asked for when it began
    } onAir_;
    double onAirLeft_ = 0;   // its time left at the watch's last look
    std::int64_t unheldSince_ = -1;
    std::int64_t keyedSince_ = -1;
    bool checking_ = false;
    std::vector<std::string> failures_;
    std::set<std::string> logLines_;
    std::vector<long> residentByDay_;
    Figures figures_;
};

Options parse(int argc, char** argv) {
    Options o;
    if (const char* h = std::getenv("MVSMALL_SOAK_HOURS")) o.hours = std::atof(h);
    for (int k = 1; k < argc; ++k) {
        const std::string a = argv[k];
        auto value = [&]() -> std::string {
            if (k + 1 >= argc) {
                std::fprintf(stderr, "missing value after %s\n", a.c_str());
                std::exit(2);
            }
            return argv[++k];
        };
        if (a == "--days") o.hours = std::atof(value().c_str()) * 24.0;
        else if (a == "--hours") o.hours = std::atof(value().c_str());
        else if (a == "--seed") {
            o.seed = static_cast<std::uint32_t>(std::strtoul(value().c_str(), nullptr, 10));
            o.seedGiven = true;
        } else if (a == "--runs") o.runs = std::max(1, std::atoi(value().c_str()));
        else if (a == "--quiet") o.quiet = true;
        else if (a == "--show-log") o.showLog = true;
        else if (a == "--inject-stuck-key") o.injectStuckKey = true;
        else if (a == "--by-kind") o.byKind = true;
        else if (a == "--transcript") o.transcript = true;
        else {
            std::fprintf(stderr, "usage: %s [--days D] [--hours H] [--seed N] [--runs R] [--quiet] [--show-log] "
                                 "[--by-kind] [--transcript] [--inject-stuck-key]\n", argv[0]);
            std::exit(2);
        }
    }
    return o;
}

}  // namespace

int main(int argc, char** argv) {
    const Options o = parse(argc, argv);
    const std::uint32_t first = o.seedGiven ? o.seed : std::random_device{}();
    int failed = 0;
    // The news server the drawn downloads fetch from, on this machine only.
    LocalServer server(httpServerScript(), {});
    const std::string serverUrl = server.started() ? "http://127.0.0.1:" + std::to_string(server.port()) : "";
    if (!server.started()) std::printf("soak: no local news server (%s): the downloads are left out\n", server.problem().c_str());
    soak::KindReport total;
    for (int run = 0; run < o.runs; ++run) {
        const std::uint32_t seed = first + static_cast<std::uint32_t>(run);
        const auto started = std::chrono::steady_clock::now();
        Soak soak(o, seed, serverUrl);
        const bool ok = soak.run();
        total.add(soak.byKind());
        const double wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
        const Figures& f = soak.figures();
        if (!o.quiet || !ok) {
            std::printf("soak seed %u: %.1f h of station time in %.1f s wall: %s\n", seed, o.hours, wall,
                        ok ? "every invariant held" : "FAILED");
            std::printf("  %lld events (%lld DTMF, %lld connects, %lld chat lines, %lld Internet overs, %lld carriers, "
                        "%lld unreachable spells), %lld settings read-backs\n",
                        (long long)f.events, (long long)f.dtmf, (long long)f.connects, (long long)f.chats,
                        (long long)f.overs, (long long)f.carriers, (long long)f.unreachable, (long long)f.readBacks);
            std::printf("  %lld stops by the operator's buttons\n", (long long)f.stops);
            std::printf("  on the air: %lld keyings, %.1f min keyed, %lld files played (%lld news bulletins), "
                        "%lld texts spoken, %lld CW sends, %lld error-log lines\n",
                        (long long)f.keyed, f.keyedMs / 60000.0, (long long)f.played, (long long)f.bulletins,
                        (long long)f.spoken, (long long)f.cw, (long long)f.logLines);
            if (!soak.residentByDay().empty()) {
                std::printf("  resident memory at the end of each day:");
                for (const long kb : soak.residentByDay()) std::printf(" %.1f", kb / 1024.0);
                std::printf(" MiB\n");
            }
        }
        if ((o.byKind || (o.runs == 1 && !o.quiet)) && !soak.byKind().empty()) {
            std::printf("  from %s %s, restarted at %s; what fell due, by kind:\n", shortDate(soak.plan().start).c_str(),
                        timeText(soak.plan().start).c_str(), timeText(soak.plan().restartAt).c_str());
            soak.byKind().print(stdout, "    ");
        }
        if (o.showLog)
            for (const auto& line : soak.logLines()) std::printf("  %s\n", line.c_str());
        if (!ok) {
            ++failed;
            const std::size_t shown = o.transcript ? soak.failures().size() : std::min<std::size_t>(soak.failures().size(), 12);
            for (std::size_t k = 0; k < shown; ++k) std::printf("  FAIL %s\n", soak.failures()[k].c_str());
            if (shown < soak.failures().size())
                std::printf("  ... %zu more (--transcript shows them all)\n", soak.failures().size() - shown);
            std::printf("  replay: %s --seed %u --hours %g%s\n", argv[0], seed, o.hours,
                        o.injectStuckKey ? " --inject-stuck-key" : "");
        }
        std::fflush(stdout);
    }
    if (o.runs > 1) {
        std::printf("soak: %d of %d seeds failed; what fell due over all of them, by kind:\n", failed, o.runs);
        total.print(stdout, "  ");
    }
    return failed == 0 ? 0 : 1;
}
