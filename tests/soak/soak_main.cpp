// A week on the air in a minute: a whole station with every schedule switched on runs through
// days of virtual time under a seeded random stream of what the outside world does, while its
// invariants are checked all along. The seed also draws the schedules themselves (beacon,
// weather and break periods, the bulletins' times), so each seed is a different station.
//
//   mvsmall_soak [--days D] [--hours H] [--seed N] [--runs R] [--quiet] [--show-log] [--inject-stuck-key]
//
// The short form (no flag) runs one day; `--days 7` is the long form. A failing run prints
// its seed; `--seed N` replays it.
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
#include "beacons/beacon_set1_window.h"
#include "beacons/beacon_set2_window.h"
#include "player/player_window.h"
#include "speech/courtesy_window.h"
#include "speech/idents_window.h"
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
                                             "*10*", "101", "102", "103", "73", "#", "*", "0", kStopPlayerCode};
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
};

struct Figures {
    std::int64_t events = 0, keyed = 0, spoken = 0, played = 0, cw = 0, dtmf = 0, chats = 0, connects = 0,
                 overs = 0, carriers = 0, unreachable = 0, readBacks = 0, logLines = 0, bulletins = 0, stops = 0;
    std::int64_t keyedMs = 0;
};

class Soak {
public:
    Soak(const Options& o, std::uint32_t seed)
        : options_(o), seed_(seed), rng_(seed), s_({"2026-12-10 12:00:00", "N0CALL-L", false}) {
        writeSettings();
        prepareSounds(s_);
        s_.app().act([&] { s_.app().createStartupWindows(); });
        s_.node().shuffleEvents(seed);
        // The soak reads each line as it comes and keeps none, nor do the stand-ins keep what was
        // asked of them, so the memory it reports is the station's own.
        s_.transcript().keepLines(false);
        s_.speech->remembers = s_.shell->remembers = s_.transfer->remembers = s_.webText->remembers = false;
        s_.transcript().onLine([this](const std::string& line) { onLine(line); });
        watch_ = std::make_unique<Timer>(s_.loop(), "soak-watch", 1, [this] { check(); });
    }

    // Runs the whole period; returns whether every invariant held.
    bool run() {
        const std::int64_t endMs = static_cast<std::int64_t>(options_.hours * 3600'000.0);
        scheduleNextEvent(0);
        if (options_.injectStuckKey)
            agenda_.emplace(30 * 60'000, [this] {
                // A player whose driver stops: the next key stays down with nothing on the air.
                s_.app().form1().Timer3.disable();
                s_.app().form4().EchoLink().KeyTransmitter(true);
            });
        agenda_.emplace(kDayMs, [this] { dailyReadBack(); });
        while (failures_.empty()) {
            const auto next = agenda_.begin();
            const std::int64_t due = std::min(next->first, endMs);
            advanceTo(due);
            if (due >= endMs || !failures_.empty()) break;
            auto work = std::move(next->second);
            agenda_.erase(next);
            s_.app().act(work);
            if (s_.app().ended()) fail("the program ended unasked");
        }
        // A run of whole days ends where the next day's read-back would have measured.
        if (nowMs_ % kDayMs == 0 && residentByDay_.size() < static_cast<std::size_t>(nowMs_ / kDayMs))
            residentByDay_.push_back(residentKilobytes());
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

private:
    static constexpr std::int64_t kDayMs = 86'400'000;

    // The settings set as sysops' editors leave it: each file with LF, CR LF or CR line ends, a
    // byte-order mark or UTF-16, all of which must load alike; and the greetings file damaged
    // (a NUL byte at its head), which must load as defaults and never be written over.
    void writeSettings() {
        station_settings::writeAll(
            s_.dataFolder().path(),
            [&](const std::string& name, const std::string& text) { s_.writeSettings(name, asEditorsLeaveIt(text, pick(4))); },
            drawnSchedules());
        damaged_ = std::string("\0[SETTINGS]\nTEXT1=Hello\n", 23);
        s_.writeSettings(kDamagedFile, damaged_);
    }

    // The schedules this seed draws, in place of the set's own: the
    // beacon sets' periods, the weather beacons and the live-warning watcher on the weather
    // program's files, the breaks, the bulletins' times, a long file on a DTMF code, the
    // stop-player code.
    std::map<std::string, station_settings::Keys> drawnSchedules() {
        const auto minutes = [&](int lo, int hi) { return std::to_string(between(lo, hi)); };
        const std::string weather = std::string(MVSMALL_TEST_DATA) + "/weather/";
        return {
            {"beaconabc.ini", {{"BEACONPERIOD1", minutes(1, 20)}, {"INFOHALF", std::to_string(pick(2))}}},
            {"beaconabc2.ini",
             {{"BEACONPERIOD1", minutes(1, 25)}, {"TEXT21", "Second set beacon"}, {"STOPCLOCK1", std::to_string(pick(2))}}},
            {"MP3_PlayerABC.ini",
             {{"STOPCLOCK8", std::to_string(pick(4) != 0)}, {"BEACONPERIOD8", minutes(1, 6)}, {"TEXT6", minutes(60, 400)}}},
            {"newsabc.ini", {{"HOUR3", "0" + minutes(7, 9)}, {"MINS3", minutes(10, 59)}}},
            {"abcweather.ini",
             {{"STOPCLOCK1", std::to_string(pick(2))}, {"BEACONPERIOD1", minutes(5, 30)},
              {"STOPCLOCK2", std::to_string(pick(2))}, {"BEACONPERIOD2", minutes(5, 30)},
              {"STOPCLOCK3", std::to_string(pick(2))}, {"BEACONPERIOD3", minutes(5, 30)},
              {"STOPCLOCK4", "1"}, {"BEACONPERIOD4", minutes(1, 10)}, {"CHECK2", std::to_string(pick(2))},
              {"WHEREISFILE", weather + "data.csv"}, {"WHEREISFILE2", weather + "metar.txt"},
              {"WHEREISFILE3", weather + "warning.txt"}}},
            {"marodtmfhelpMP3.ini", {{"TEXT43", "55*1"}, {"TEXT21", s_.dataFile("news.mp3")}}},
            {"dtmfctrl.ini", {{"STOPPLAYER", kStopPlayerCode}}},
        };
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

    static void prepareSounds(Station& s) {
        for (const auto& [name, seconds] : station_settings::soundFiles()) {
            s.dataFolder().write(name, "RIFF");
            s.audio->setLength(s.dataFile(name), seconds);
        }
    }

    std::size_t pick(std::size_t n) { return std::uniform_int_distribution<std::size_t>(0, n - 1)(rng_); }
    std::int64_t between(std::int64_t lo, std::int64_t hi) {
        return std::uniform_int_distribution<std::int64_t>(lo, hi)(rng_);
    }

    void advanceTo(std::int64_t ms) {
        if (ms > nowMs_) {
            s_.advance(static_cast<double>(ms - nowMs_) / 1000.0);
            nowMs_ = ms;
        }
        if (s_.app().ended()) fail("the program ended unasked");
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

    void randomEvent() {
        ++figures_.events;
        SimulatedNode& node = s_.node();
        const std::size_t r = pick(100);
        if (r < 20) {          // DTMF, valid or not
            ++figures_.dtmf;
            node.receiveDtmf(pick(2) ? kValidDtmf[pick(kValidDtmf.size())] : randomDigits());
        } else if (r < 35) {   // a station connects
            ++figures_.connects;
            const std::string& call = kStations[pick(kStations.size())];
            if (!node.isConnected(trim(call))) node.stationConnects(trim(call), pick(2) ? "Name" : "", "10.0.0.1");
        } else if (r < 47) {   // a station drops
            if (!node.stations().empty())
                node.stationDisconnects(node.stations()[pick(node.stations().size())].call);
        } else if (r < 60) {   // a chat line
            ++figures_.chats;
            node.receiveChat(kChatLines[pick(kChatLines.size())]);
        } else if (r < 75) {   // an Internet over
            if (!node.internetAudio()) {
                ++figures_.overs;
                node.setInternetAudio(true);
                later(between(500, 90'000), [this] { s_.node().setInternetAudio(false); });
            }
        } else if (r < 90) {   // a local carrier: a kerchunk or an over
            if (!node.carrier()) {
                ++figures_.carriers;
                node.setCarrier(true);
                node.setReceivingSignal(true);
                later(pick(3) ? between(200, 1500) : between(2000, 45'000), [this] {
                    s_.node().setCarrier(false);
                    s_.node().setReceivingSignal(false);
                });
            }
        } else if (r < 94) {   // activity
            node.setActivity(true);
            later(between(1000, 20'000), [this] { s_.node().setActivity(false); });
        } else if (r < 96) {   // EchoLink unreachable for a while
            if (!node.unreachable()) {
                ++figures_.unreachable;
                node.setUnreachable(true);
                later(between(5'000, 20 * 60'000), [this] { s_.node().setUnreachable(false); });
            }
        } else if (r < 97) {   // the operator stops the player from one of the Stop buttons
            // (a button's failed EchoLink call is an error the log shows by design: not while EchoLink is away)
            if (node.unreachable()) return;
            ++figures_.stops;
            const std::size_t which = pick(3);
            if (which == 0) s_.app().form111().Command5.click();
            else if (which == 1) s_.app().form110().Command5.click();
            else s_.app().form1().Command9.click();
        } else if (r < 98) {   // a long file on the air by DTMF, for beacons and breaks to meet
            node.receiveDtmf("55*1");
        } else {               // the operator saves everything
            readBack("after an operator save");
        }
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
        const std::string line = stamped.size() > 13 ? stamped.substr(13) : stamped;
        if (line.rfind("KEY on", 0) == 0) {
            ++figures_.keyed;
            keyedSince_ = s_.clock().tickCount();
        } else if (line.rfind("KEY off", 0) == 0) {
            if (keyedSince_ >= 0) figures_.keyedMs += s_.clock().tickCount() - keyedSince_;
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
            fail("the program ended unasked");
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
        const std::uint64_t stops = s_.app().form1().requestedStops();
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
        App& a = s_.app();
        Form1& player = a.form1();
        const auto left = toNumber(player.Label1.caption());
        if (!left || *left != 0) return true;
        // A break holds the key off; it stands for the key only while its own length runs (the
        // resume keys at its end), never longer.
        if (player.TempDelay == 1 && breakSince_ >= 0) {
            const auto ticks = toNumber(player.Text6.text());
            if (ticks && s_.clock().tickCount() - breakSince_ <= *ticks * kDriverTickMs + kDriverTickMs) return true;
        }
        Form22& courtesy = a.form22();
        return courtesy.Option6.value() && courtesy.RFUser.text() == "Receiving  RF";
    }

    // The watch: a timer at the driver's own interval, created after every window, so in each
    // round it looks after the driver has had its turn.
    void check() {
        if (s_.app().ended() || checking_) return;
        checking_ = true;
        const std::int64_t now = s_.clock().tickCount();
        {
            const auto left = toNumber(s_.app().form1().Label1.caption());
            onAirLeft_ = left ? *left : 0;
        }
        if (s_.app().form1().TempDelay != 1) breakSince_ = -1;
        else if (breakSince_ < 0) breakSince_ = now;
        // While EchoLink does not answer, nobody can release its key: the count starts when it answers again.
        if (s_.node().keyed() && !s_.node().unreachable() && !somethingHolds()) {
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
        SimulatedNode& node = s_.node();
        s_.app().act([&] {
            node.setUnreachable(false);
            node.setInternetAudio(false);
            node.setCarrier(false);
            node.setReceivingSignal(false);
            node.setActivity(false);
            // The control line that DTMF codes switched on (alternate control, permanent on) goes off.
            node.receiveDtmf("###0");
            if (s_.app().form3().Check4.value() == 1) node.receiveDtmf("###3");
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
            if (const auto line = s_.app().raisedLines().lineOf(static_cast<LineReason>(r)))
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
        s_.app().act([&] {
            for (Form* f : s_.app().existingForms()) f->SaveData();
        });
        {
            std::ifstream in(s_.settingsFile(kDamagedFile), std::ios::binary);
            const std::string now((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
            if (now != damaged_) fail("the damaged " + std::string(kDamagedFile) + " was written over " + when);
        }
        const std::string config = std::filesystem::path(s_.settingsFile("x")).parent_path().string();
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
            const SettingsFile before(s_.settingsFile(name));
            const SettingsFile after(fresh.settingsFile(name));
            for (const auto& key : keysOf(s_.settingsFile(name))) {
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
            failures_.push_back("day " + std::to_string(nowMs_ / kDayMs) + " " + timeText(s_.clock().now()) + ": " +
                                what);
    }

    const Options& options_;
    std::uint32_t seed_;
    std::mt19937 rng_;
    Station s_;
    std::unique_ptr<Timer> watch_;
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
        else {
            std::fprintf(stderr, "usage: %s [--days D] [--hours H] [--seed N] [--runs R] [--quiet] [--show-log] "
                                 "[--inject-stuck-key]\n", argv[0]);
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
    for (int run = 0; run < o.runs; ++run) {
        const std::uint32_t seed = first + static_cast<std::uint32_t>(run);
        const auto started = std::chrono::steady_clock::now();
        Soak soak(o, seed);
        const bool ok = soak.run();
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
        if (o.showLog)
            for (const auto& line : soak.logLines()) std::printf("  %s\n", line.c_str());
        if (!ok) {
            ++failed;
            for (const auto& line : soak.failures()) std::printf("  FAIL %s\n", line.c_str());
            std::printf("  replay: %s --seed %u --hours %g%s\n", argv[0], seed, o.hours,
                        o.injectStuckKey ? " --inject-stuck-key" : "");
        }
        std::fflush(stdout);
    }
    return failed == 0 ? 0 : 1;
}
