#include "soak/expectations.h"

#include <algorithm>
#include <functional>

#include "core/datetime.h"

namespace soak {
namespace {

constexpr LocalMs kSecond = 1000;
constexpr LocalMs kGridStep = 16;   // the event loop runs what falls due together in steps this long
constexpr LocalMs kDay = 86'400'000;
// A waiting beacon goes out as soon as the station's own transmission ends; the station quiet
// for longer than any break means the transmission is over.
constexpr LocalMs kQuietAfterTransmission = 8000;

const char* const kNames[] = {"voice ident", "CW ident", "time announcement", "information announcement",
                              "set 1 timed beacon", "set 2 timed beacon", "set 1 information beacon",
                              "set 2 information beacon", "weather conditions beacon", "weather forecast beacon",
                              "weather warning beacon", "live-warning watcher", "one-minute news warning",
                              "news bulletin", "bulletin with 2nd File", "2nd File", "end announcement",
                              "net of set 1", "net of set 2", "dated net", "daily disconnect", "daily connect",
                              "silence begins", "silence ends", "profile", "news download"};
static_assert(sizeof kNames / sizeof kNames[0] == static_cast<int>(Kind::Count));

bool contains(const std::string& s, const char* part) { return s.find(part) != std::string::npos; }
bool startsWith(const std::string& s, const std::string& head) { return s.rfind(head, 0) == 0; }

bool isWeatherText(const std::string& t) {
    if (startsWith(t, "End of local")) return false;
    std::string low;
    for (char c : t) low += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return contains(low, "weather") || contains(low, "forecast") || contains(low, "warning") ||
           contains(low, "temperature");
}

struct Item {
    Kind kind;
    LocalMs due;
    LocalMs from, to;   // where its airing is looked for
    std::function<bool(const Aired&)> is;
    bool waiting = false;   // held by the station's own transmission
    bool held = false;      // its turn was taken (its set active), waiting or not
    bool overtaken = false; // a tick while it waited found a station talking: the turn is lost
    LocalMs release = 0;    // when it is taken up: its due, or the first tick after the wait
    std::string tag{};      // the net's callsign, the profile's name
    Outcome outcome{};
};

class Model {
public:
    Model(const DayPlan& plan, const std::vector<RunSegment>& runs, OnAirRecord& record, LocalMs end)
        : plan_(plan), runs_(runs), rec_(record), end_(end) {
        buildSetTimeline();
        buildAnnouncementTimeline();
    }

    Verdict judge() {
        periodic();
        clockSchedules();
        std::stable_sort(items_.begin(), items_.end(), [](const Item& a, const Item& b) { return a.release < b.release; });
        // The bulletins and what follows them first: a spoken 2nd File is weather speech, which
        // the weather beacons must not take.
        const auto bulletin = [](const Item& i) { return i.kind == Kind::NewsBulletin || i.kind == Kind::ThirdBulletin; };
        for (Item& item : items_)
            if (bulletin(item)) settle(item);
        bulletinChains();
        for (Item& item : items_)
            if (!bulletin(item) && item.kind != Kind::SecondFile && item.kind != Kind::EndAnnouncement) settle(item);
        watcher();
        unexpectedAirings();
        Verdict v;
        for (Item& item : items_) {
            if (!item.outcome.aired && item.outcome.reason.empty())
                fail(item.due, item.kind, "fell due and never went on the air, with no reason to lose it" + circumstances(item));
            if (!item.outcome.failure.empty()) fail(item.due, item.kind, item.outcome.failure);
            v.items.push_back(item.outcome);
        }
        std::sort(failures_.begin(), failures_.end());
        for (auto& [at, text] : failures_) v.failures.push_back(text);
        return v;
    }

private:
    // ---- timelines the plan and the soak's own actions give

    void buildSetTimeline() {
        sets_.push_back({plan_.start, plan_.firstSet});
        forEachDay([&](LocalMs midnight, int weekday) {
            for (const ProfileEntry& e : plan_.profiles)
                if (e.at.on(weekday)) {
                    const LocalMs t = at(midnight, e.at, 15);
                    if (t > plan_.start && t < end_ && !stationOff(t)) sets_.push_back({profileLine(e.name, t), e.set});
                }
        });
        // A profile's code applies it at once; while EchoLink does not take the profile, the
        // handler ends before it selects the set.
        for (const Aired& d : rec_.dtmfSent())
            for (const ProfileEntry& e : plan_.profiles)
                if (d.text == e.code && !rec_.outside(Outside::EchoLinkAway).during(d.at - kSecond, d.at + kSecond) &&
                    !stationOff(d.at))
                    sets_.push_back({d.at, e.set});
        std::sort(sets_.begin(), sets_.end());
    }
    // The profile's scheduler ticks after the windows created before it: what those do in its
    // second comes first, and so the set changes where the transcript shows the profile.
    LocalMs profileLine(const std::string& name, LocalMs t) const {
        for (const Aired& a : rec_.aired()) {
            if (a.at > t + 5 * kSecond) break;
            if (a.at >= t && a.verb == "PROFILE" && a.text == name) return a.at;
        }
        return t;
    }
    int activeSet(LocalMs t) const {
        int set = plan_.firstSet;
        for (const auto& [when, s] : sets_)
            if (when <= t) set = s;
        return set;
    }
    // Whether the active set was `set` at every moment of [from, to]; a change within a second
    // of `from` is not decided.
    bool setChangedWithin(LocalMs from, LocalMs to) const {
        for (const auto& [when, s] : sets_)
            if (when >= from && when <= to && s != activeSet(when - 1)) return true;
        return false;
    }

    void buildAnnouncementTimeline() {
        std::vector<std::pair<LocalMs, bool>> changes;   // (when, disabled)
        for (const Aired& d : rec_.dtmfSent()) {
            if (d.text == "#71") changes.push_back({d.at + 5 * kSecond, true});
            if (d.text == "#70") changes.push_back({d.at, false});
        }
        forEachDay([&](LocalMs midnight, int weekday) {
            if (plan_.silenceFrom.on(weekday)) changes.push_back({at(midnight, plan_.silenceFrom, 20), true});
            if (plan_.silenceTo.on(weekday)) changes.push_back({at(midnight, plan_.silenceTo, 15), false});
        });
        std::sort(changes.begin(), changes.end());
        for (const auto& [when, disabled] : changes) announcementsOff_.set(disabled, when);
    }
    bool announcementsOff(LocalMs from, LocalMs to) const { return announcementsOff_.during(from - 6 * kSecond, to); }

    // ---- questions about a moment

    bool stationOff(LocalMs t) const { return rec_.outside(Outside::StationOff).at(t); }
    bool off(LocalMs from, LocalMs to) const { return rec_.outside(Outside::StationOff).during(from, to); }
    bool away(LocalMs from, LocalMs to) const { return rec_.outside(Outside::EchoLinkAway).during(from - 2 * kSecond, to); }
    bool talking(LocalMs from, LocalMs to) const {
        return rec_.outside(Outside::Carrier).during(from, to) || rec_.outside(Outside::Signal).during(from, to) ||
               rec_.outside(Outside::Activity).during(from, to);
    }
    bool internet(LocalMs from, LocalMs to) const { return rec_.outside(Outside::InternetAudio).during(from, to); }
    // What the node calls busy: a station talking on either side (Internet audio is activity).
    bool linkBusy(LocalMs from, LocalMs to) const { return talking(from, to) || internet(from, to); }
    // On the air by a transmission that began before `t`: a tie is no reason, the schedule
    // created first goes first.
    bool ownBefore(LocalMs t) const {
        const LocalMs own = rec_.ownTransmission().since(t), key = rec_.keyed().since(t);
        return (own != kOpen && own < t) || (key != kOpen && key < t);
    }
    // In a break of the station's own transmission: the file plays on after it.
    bool inBreak(LocalMs t) const { return rec_.breaks().at(t); }
    bool ownAt(LocalMs t) const { return rec_.ownTransmission().at(t) || rec_.keyed().at(t); }
    // When the station's own transmission that holds `t` ends, waiting beacons after it included.
    LocalMs endOfTransmission(LocalMs t) const {
        LocalMs e = t;
        for (int k = 0; k < 50; ++k) {
            const LocalMs a = rec_.ownTransmission().freeFor(e, kQuietAfterTransmission);
            const LocalMs b = rec_.keyed().freeFor(a, kQuietAfterTransmission);
            if (b == e) break;
            e = b;
        }
        return std::min(e, end_);   // one still on the air when the run ended
    }
    // The first moment from which the link is free for a second and a half (for the CW ident).
    LocalMs linkFree(LocalMs t) const {
        LocalMs e = t;
        for (int k = 0; k < 100; ++k) {
            LocalMs n = e;
            for (const StateSpans* s : {&rec_.keyed(), &rec_.outside(Outside::Carrier), &rec_.outside(Outside::Signal),
                                        &rec_.outside(Outside::Activity), &rec_.outside(Outside::EchoLinkAway),
                                        &rec_.outside(Outside::InternetAudio)})
                n = std::max(n, s->freeFor(n, 1500));
            if (n == e) break;
            e = n;
        }
        return e;
    }

    // ---- the items

    template <typename F>
    void forEachDay(F f) const {
        CivilTime c = toCivil(plan_.start);
        c.hour = c.minute = c.second = c.millisecond = 0;
        for (LocalMs midnight = fromCivil(c); midnight < end_; midnight += kDay) f(midnight, weekday(midnight));
    }
    static LocalMs at(LocalMs midnight, const WeeklyTime& t, int second) {
        return midnight + ((t.hour * 60 + t.minute) * 60 + second) * kSecond;
    }

    Item& add(Kind kind, LocalMs due, LocalMs from, LocalMs to, std::function<bool(const Aired&)> is) {
        Item item{kind, due, from, to, std::move(is)};
        item.release = due;
        item.outcome.kind = kind;
        item.outcome.due = due;
        items_.push_back(std::move(item));
        return items_.back();
    }
    static std::function<bool(const Aired&)> wav(const std::string& text) {
        return [text](const Aired& a) { return a.verb == "WAV" && a.text == text; };
    }
    static std::function<bool(const Aired&)> verbText(const char* verb, const std::string& text) {
        return [verb = std::string(verb), text](const Aired& a) { return a.verb == verb && a.text == text; };
    }
    static std::function<bool(const Aired&)> weatherSpeech() {
        return [](const Aired& a) { return a.verb == "WAV" && isWeatherText(a.text); };
    }
    // One weather report by the start message the weather window puts before it, so that a
    // beacon is not counted as aired by another report's speech.
    static std::function<bool(const Aired&)> reportSpeech(const char* start) {
        return [start = std::string(start)](const Aired& a) { return a.verb == "WAV" && startsWith(a.text, start); };
    }
    static std::function<bool(const Aired&)> conditionsSpeech() { return reportSpeech("The local weather conditions"); }
    static std::function<bool(const Aired&)> forecastSpeech() { return reportSpeech("The local weather forecast"); }
    // The warning file's text, as the watcher and the warning beacon speak it.
    static std::function<bool(const Aired&)> warningSpeech() { return reportSpeech("The local weather warning"); }

    // A beacon that waits for the station's own transmission: looked for until it has ended.
    // Turns that wait together go out in the order their timers tick after the end, so the
    // airings are handed out in that order. `ticks` are its timer's, none for the one-second
    // scheduler (10 ms after each second).
    void beacon(Kind kind, LocalMs due, std::function<bool(const Aired&)> is, const TickRecord* ticks = nullptr) {
        // It waits when its tick finds the station's own transmission on the air: begun before
        // the tick, in a break of a file (the file plays on after it), or keyed in its second by
        // a schedule that ticks before it (its speech is on the air a few milliseconds on, or
        // later when that second was handed over late); a key in its second that is its own
        // speech is no wait. A station talking at its tick loses the turn before the
        // transmission is asked about.
        const LocalMs tick = ticks ? due : due + 10;
        const LocalMs keyInItsSecond = firstKeyIn(tick, due + kSecond - 1);
        const bool waits = (ownBefore(tick) || inBreak(tick) || (keyInItsSecond != kOpen && !airsAt(keyInItsSecond, is))) &&
                           !stationOff(due) && !surelyBusyAt(tick);
        Item& item = add(kind, due, due - 1500, waits ? endOfTransmission(due) + 2 * kSecond : due + 3 * kSecond, std::move(is));
        item.waiting = waits;
        if (!waits) return;
        // Its timer's ticks after the due one (the one-second scheduler's: 10 ms into each second).
        std::vector<LocalMs> after;
        // Its own airing, keyed in the instant the transmission before it let go, ends the wait:
        // the wait is not for the transmission it joins on to.
        const LocalMs end = std::min(ownEnd(due), firstAiring(due + 1, ownEnd(due), item.is));
        if (ticks) {
            for (std::size_t i = ticks->upperBound(due); i < ticks->size() && (*ticks)[i] <= end + kSecond; ++i)
                after.push_back((*ticks)[i]);
        } else {
            for (LocalMs t = due / kSecond * kSecond + kSecond + 10; t <= end + kSecond; t += kSecond) after.push_back(t);
        }
        const auto release = std::lower_bound(after.begin(), after.end(), end);
        item.release = release == after.end() ? end : *release;
        // Every tick of the wait asks whether a station talks; one that surely found it so
        // ends the wait, lost.
        for (auto t = after.begin(); t != after.end() && t <= release; ++t)
            if (surelyBusyAt(*t)) item.overtaken = true;
    }
    // The first airing in [from, to] that `is` takes for the item (`to` when none is).
    LocalMs firstAiring(LocalMs from, LocalMs to, const std::function<bool(const Aired&)>& is) const {
        const auto& aired = rec_.aired();
        for (auto it = std::lower_bound(aired.begin(), aired.end(), from, [](const Aired& a, LocalMs v) { return a.at < v; });
             it != aired.end() && it->at <= to; ++it)
            if (is(*it)) return it->at;
        return to;
    }
    LocalMs firstKeyIn(LocalMs from, LocalMs to) const {
        const auto& spans = rec_.keyed().spans();
        const auto it = std::lower_bound(spans.begin(), spans.end(), from, [](const StateSpans::Span& s, LocalMs v) { return s.from < v; });
        return it != spans.end() && it->from <= to ? it->from : kOpen;
    }
    // Whether what keys at `key` is the item itself: its speech is rendered in that instant.
    bool airsAt(LocalMs key, const std::function<bool(const Aired&)>& is) const {
        const auto& aired = rec_.aired();
        for (auto it = std::lower_bound(aired.begin(), aired.end(), key, [](const Aired& a, LocalMs v) { return a.at < v; });
             it != aired.end() && it->at == key; ++it)
            if (is(*it)) return true;
        return false;
    }
    bool surelyBusyAt(LocalMs t) const {
        const auto busy = [&](LocalMs at) { return linkBusy(at, at) || rec_.outside(Outside::EchoLinkAway).at(at); };
        return busy(t - 20) && busy(t + 20);
    }
    // When the station's own transmission holding `t` ends for good: a file's breaks are part
    // of it.
    LocalMs ownEnd(LocalMs t) const {
        LocalMs e = t;
        for (int k = 0; k < 50; ++k) {
            const LocalMs a = rec_.ownTransmission().freeFor(e, 1);
            const LocalMs b = inBreak(a) ? rec_.breaks().freeFor(a, 1) : a;
            if (b == e || b == kOpen) return std::min(b, end_);
            e = b;
        }
        return std::min(e, end_);
    }

    void periodic() {
        bool warningBeaconOn = plan_.weatherWarning > 0;
        for (const RunSegment& run : runs_) {
            const auto every = [&](const char* window, int minutes, const std::function<void(LocalMs)>& f) {
                const auto ticks = run.ticks.find(window);
                if (minutes <= 0 || ticks == run.ticks.end()) return;
                const std::size_t step = static_cast<std::size_t>(minutes) * 60;
                for (std::size_t n = step; n <= ticks->second.size(); n += step)
                    if (inRun(ticks->second[n - 1])) f(ticks->second[n - 1]);
            };
            every("voice ident", plan_.voiceIdent, [&](LocalMs t) { add(Kind::VoiceIdent, t, t - 1500, t + 2500, wav(plan_.voiceIdentText)); });
            every("CW ident", plan_.cwIdent, [&](LocalMs t) {
                add(Kind::CwIdent, t, t - 1500, linkFree(t) + 3 * kSecond, [](const Aired& a) { return a.verb == "CW"; });
            });
            const auto ticksOf = [&](const char* schedule) { return &run.ticks.at(schedule); };
            every("set 1 timed beacon", plan_.set1Timed, [&](LocalMs t) { beacon(Kind::Set1Timed, t, wav(plan_.set1Extra), ticksOf("set 1 timed beacon")); });
            every("set 2 timed beacon", plan_.set2Timed, [&](LocalMs t) { beacon(Kind::Set2Timed, t, wav(plan_.set2Extra), ticksOf("set 2 timed beacon")); });
            every("weather conditions", plan_.weatherConditions, [&](LocalMs t) { beacon(Kind::WeatherConditions, t, conditionsSpeech(), ticksOf("weather conditions")); });
            every("weather forecast", plan_.weatherForecast, [&](LocalMs t) { beacon(Kind::WeatherForecast, t, forecastSpeech(), ticksOf("weather forecast")); });
            warningBeacons(run, warningBeaconOn);
        }
    }

    // The warning beacon counts its period on its timer's ticks; a warning the watcher records
    // switches it on (it stays on in the settings the Save / Exit writes) and starts its count
    // again from a minute, after the beacon's own turn in that very second.
    void warningBeacons(const RunSegment& run, bool& on) {
        const auto found = run.ticks.find("weather warning");
        if (found == run.ticks.end()) return;
        const TickRecord& ticks = found->second;
        const std::size_t period = static_cast<std::size_t>(plan_.weatherWarning > 0 ? plan_.weatherWarning : 15) * 60;
        std::size_t recorded = kNever;
        if (const std::size_t w = plan_.watcherStartsWarningBeacon ? watcherRecords(run) : kNever; w != kNever) {
            // The beacon's tick in the second the watcher's tick recorded it.
            const LocalMs at = run.ticks.at("warning watcher")[w - 1];
            if (const std::size_t i = ticks.lowerBound(at); i < ticks.size()) recorded = i + 1;
        }
        std::size_t next = on ? period : kNever;
        for (std::size_t n = 1; n <= ticks.size(); ++n) {
            if (n == next) {
                if (inRun(ticks[n - 1])) beacon(Kind::WeatherWarning, ticks[n - 1], warningSpeech(), &ticks);
                next = n + period;
            }
            if (n == recorded) {
                on = true;
                next = n + 60;
            }
        }
    }

    void clockSchedules() {
        const auto& ident = plan_.overrides.at("beaconabc.ini");
        const auto keyOf = [](const station_settings::Keys& keys, const std::string& key, const std::string& dflt) {
            for (const auto& [k, v] : keys)
                if (k == key) return v;
            return dflt;
        };
        const bool set1Half = keyOf(ident, "INFOHALF", "0") == "1";
        const bool set2Hourly = keyOf(plan_.overrides.at("beaconabc2.ini"), "INFOHOURLY", "0") == "1";
        forEachDay([&](LocalMs midnight, int wd) {
            for (int minute = 0; minute < 24 * 60; minute += 15) {
                const LocalMs q = midnight + minute * 60 * kSecond;
                const int m = minute % 60;
                if (inRun(q + 10)) add(Kind::TimeAnnouncement, q + 10, q, afterBlockingSpeech(q + 10) + 3 * kSecond, [](const Aired& a) {
                    return a.verb == "SPEAK" && contains(a.text, "The Time Is");
                });
                // The idents window's information times: on the hour and the half hour, second 15.
                if ((m == 0 || m == 30) && inRun(q + 15 * kSecond)) {
                    const LocalMs t = q + 15 * kSecond + 10;
                    add(Kind::InfoAnnouncement, t, t - 500, afterBlockingSpeech(t) + 3 * kSecond,
                        [this, t](const Aired& a) { return a.verb == "WAV" && a.text == (activeSet(t) == 1 ? plan_.set1Slot : plan_.set2Slot); });
                }
                // The beacon sets' information beacons, second 20: set 1 on the hour and the
                // quarters (the half hour drawn), set 2 at the half hour (the hour drawn).
                const LocalMs t20 = q + 20 * kSecond;
                if (!inRun(t20)) continue;
                if (m != 30 || set1Half) beacon(Kind::Set1Info, t20, wav(plan_.set1Extra));
                if (m == 30 || (m == 0 && set2Hourly)) beacon(Kind::Set2Info, t20, wav(plan_.set2Extra));
            }
            // A second held up by the station's blocking speech is handed over late, with its own
            // time: what acts on it goes on the air once the key is up.
            const auto daily = [&](Kind kind, const WeeklyTime& w, int second, LocalMs late, std::function<bool(const Aired&)> is) {
                if (!w.on(wd)) return;
                const LocalMs t = at(midnight, w, second);
                if (inRun(t)) add(kind, t, t - 100, afterBlockingSpeech(t) + late, std::move(is));
            };
            const auto play = [](const std::string& path) { return verbText("PLAY", path); };
            for (const WeeklyTime& w : plan_.newsBulletins) daily(Kind::NewsBulletin, w, 15, 6 * kSecond, play(plan_.newsFile));
            // The one-minute warning before the first start time of each set.
            for (const WeeklyTime* first : {&plan_.newsBulletins[0], &plan_.bulletinWithSecondFile}) {
                if (!plan_.warnBeforeNews || !first->on(wd)) continue;
                const LocalMs t = at(midnight, *first, 0) - 60 * kSecond;
                if (inRun(t))
                    add(Kind::NewsWarning, t, t - 100, afterBlockingSpeech(t) + 1500,
                        [](const Aired& a) { return a.verb == "CHAT" && contains(a.text, "<1> Minute Warning"); });
            }
            daily(Kind::ThirdBulletin, plan_.bulletinWithSecondFile, 15, 6 * kSecond, play(plan_.thirdFile));
            const auto connect = [](const std::string& call) { return verbText("CONNECT", call); };
            daily(Kind::Net1, plan_.net1.at, 15, 3 * kSecond, connect(plan_.net1.call));
            daily(Kind::Net2, plan_.net2.at, 15, 3 * kSecond, connect(plan_.net2.call));
            if (midnight <= plan_.datedNetDay && plan_.datedNetDay < midnight + kDay)
                daily(Kind::DatedNet, plan_.datedNet.at, 15, 3 * kSecond, connect(plan_.datedNet.call));
            daily(Kind::DailyDisconnect, plan_.dailyDisconnect, 15, 2500, [](const Aired& a) { return a.verb == "DISCONNECT-ALL"; });
            daily(Kind::DailyConnect, plan_.dailyConnect, 15, 2500, connect(plan_.dailyConnectCall));
            daily(Kind::SilenceOn, plan_.silenceFrom, 15, 4500,
                  [](const Aired& a) { return a.verb == "CHAT" && contains(a.text, "<Silence Mode Enabled>"); });
            daily(Kind::SilenceOff, plan_.silenceTo, 15, 4500,
                  [](const Aired& a) { return a.verb == "CHAT" && contains(a.text, "<Silence Mode Disabled>"); });
            for (const ProfileEntry& e : plan_.profiles) {
                daily(Kind::Profile, e.at, 15, 3500, verbText("PROFILE", e.name));
                if (e.at.on(wd) && inRun(at(midnight, e.at, 15))) items_.back().tag = e.name;
            }
            if (!plan_.downloadUrl.empty())
                daily(Kind::Download, plan_.download, 0, 120 * kSecond,
                      [url = plan_.downloadUrl](const Aired& a) { return a.verb == "DOWNLOAD" && startsWith(a.text, url); });
        });
    }
    // The end of the station's own blocking speech that holds `t` (`t` when none does).
    LocalMs afterBlockingSpeech(LocalMs t) const {
        LocalMs end = t;
        const auto& aired = rec_.aired();
        auto it = std::lower_bound(aired.begin(), aired.end(), t - 10 * kSecond, [](const Aired& a, LocalMs v) { return a.at < v; });
        // Speech begun within a second holds it too: the handlers that come before in that
        // second key first and speak 150 ms later, and so again after each speech ends.
        for (; it != aired.end() && it->at < end + kSecond; ++it)
            if (it->verb == "SPEAK") end = std::max(end, rec_.keyed().freeFor(it->at, 1));
        return end;
    }
    // At the run's edges the model looks for nothing: what fell due in its last half minute may
    // not have aired yet.
    bool inRun(LocalMs t) const { return t > plan_.start + 2 * kSecond && t < end_ - 40 * kSecond; }

    // ---- matching and reasons

    Aired* find(const Item& item) {
        auto& aired = rec_.aired();
        auto it = std::lower_bound(aired.begin(), aired.end(), item.from, [](const Aired& a, LocalMs v) { return a.at < v; });
        for (; it != aired.end(); ++it) {
            Aired& a = *it;
            if (a.at > item.to) break;
            if (!a.used && item.is(a)) return &a;
        }
        return nullptr;
    }

    void settle(Item& item) {
        Outcome& o = item.outcome;
        const int set = setOf(item.kind);
        const bool setActive = set == 0 || activeFor(item.kind, item.due);
        const bool setUndecided = set != 0 && setChangedWithin(item.due - 2 * kSecond, item.due + 2 * kSecond);
        if (!setActive && !setUndecided) {
            o.reason = "its set inactive";
            return;
        }
        item.held = true;
        if (item.waiting) item.to = std::min(item.to, waitEndsBy(item));
        // One turn a schedule waits: a second one due meanwhile, or in the tick that releases
        // it, is the same turn.
        if (anotherWaits(item)) {
            o.reason = "one of its schedule waits already";
            return;
        }
        if (item.overtaken) {
            o.reason = "a station talking while it waited";
            return;
        }
        if (Aired* a = find(item)) {
            a->used = true;
            o.aired = true;
            o.airedAt = a->at;
            if (item.kind == Kind::NewsWarning && !startsWith(a->text, timeText(item.due)))
                o.failure = "its chat line carries another time than its second " + timeText(item.due) + ": \"" +
                            a->text.substr(0, 40) + "\"";
            return;
        }
        o.reason = reasonLost(item, setUndecided);
    }

    // The conditions and forecast beacons take their turn and then keep quiet while a station
    // is connected, when the weather window says so.
    static bool keepsQuietWhileConnected(Kind k) { return k == Kind::WeatherConditions || k == Kind::WeatherForecast; }

    static int setOf(Kind k) {
        switch (k) {
            case Kind::Set1Timed: case Kind::Set1Info: return 1;
            case Kind::Set2Timed: case Kind::Set2Info: return 2;
            default: return 0;
        }
    }
    bool activeFor(Kind k, LocalMs t) const {
        const int active = activeSet(t);
        if (k == Kind::Set2Timed) return active == 2 || plan_.set2TimedWithSet1;
        return active == setOf(k);
    }

    std::string reasonLost(const Item& item, bool setUndecided) const {
        const LocalMs due = item.due;
        const LocalMs last = std::max(item.to, due + kSecond);
        if (off(item.from, last)) return "the station was off";
        if (setUndecided) return "a change of set in its second";
        switch (item.kind) {
            case Kind::VoiceIdent:
                if (away(due, due + kSecond)) return "EchoLink not answering";
                if (internet(due - 3 * kSecond, due)) return "Internet audio";
                if (talking(due - 3 * kSecond, due)) return "a station talking";
                if (ownBefore(due) || inBreak(due)) return "the station's own transmission";
                // The ident's tick lets pending events run first: what they keyed in its step
                // (a connect bell) is on the air when it asks.
                if (const LocalMs key = firstKeyIn(due, due + kGridStep - 1); key != kOpen && !airsAt(key, item.is))
                    return "the station's own transmission";
                return "";
            case Kind::CwIdent:
                if (away(due, last)) return "EchoLink not answering";
                if (heldWithAnother(item)) return "held with the ident before it";
                return "";
            case Kind::TimeAnnouncement:
            case Kind::InfoAnnouncement:
                if (away(due, due + 2 * kSecond)) return "EchoLink not answering";
                if (internet(due - 3 * kSecond, due)) return "Internet audio";
                if (talking(due - 5 * kSecond, due + kSecond)) return "a station talking";
                if (announcementsOff(due, due + kSecond)) return "announcements disabled";
                if (rec_.keyed().during(due - 100, due + 1500)) return "the station's own transmission";
                return "";
            case Kind::Set1Timed: case Kind::Set2Timed: case Kind::Set1Info: case Kind::Set2Info:
            case Kind::WeatherConditions: case Kind::WeatherForecast: case Kind::WeatherWarning:
                if (away(due, last)) return "EchoLink not answering";
                if (internet(due - 3 * kSecond, last)) return "Internet audio";
                if (talking(due - 3 * kSecond, last)) return "a station talking";
                if (announcementsOff(due, last)) return "announcements disabled";
                if (item.waiting && rec_.stopBetween(due, last)) return "a stop";
                if (item.waiting && setChangedWithin(due, last)) return "a change of set";
                if (keepsQuietWhileConnected(item.kind) && connectedQuiet(due - kSecond, due)) return "a station connected";
                if (keepsQuietWhileConnected(item.kind) && item.waiting && connectedQuiet(item.release - 2 * kSecond, item.release))
                    return "a station connected";
                return "";
            case Kind::NewsBulletin:
            case Kind::ThirdBulletin:
            case Kind::NewsWarning:
            case Kind::SilenceOn:
            case Kind::SilenceOff:
            case Kind::DailyDisconnect:
                if (away(due, last)) return "EchoLink not answering";
                return "";
            case Kind::Net1: case Kind::Net2: case Kind::DatedNet: case Kind::DailyConnect: {
                if (away(due, last)) return "EchoLink not answering";
                const std::string call = item.kind == Kind::Net1   ? plan_.net1.call
                                         : item.kind == Kind::Net2 ? plan_.net2.call
                                         : item.kind == Kind::DatedNet ? plan_.datedNet.call
                                                                       : plan_.dailyConnectCall;
                if (rec_.connectedAt(call, due)) return "already connected";
                return "";
            }
            case Kind::Profile:
                if (away(due, last)) return "EchoLink not answering";
                if (profileInForce(item)) return "already in force";
                return "";
            default:
                return "";
        }
    }

    // A waiting beacon is dropped by a stop asked for meanwhile and by a change of set that
    // leaves its set inactive: it may go out until a second after that, never later.
    LocalMs waitEndsBy(const Item& item) const {
        LocalMs by = item.to;
        for (LocalMs stop : rec_.stops())
            if (stop > item.due && stop < by) by = stop + kSecond;
        if (setOf(item.kind) != 0)
            for (const auto& [when, set] : sets_)
                if (when > item.due && when < by && !activeFor(item.kind, when)) by = when + kSecond;
        return by;
    }

    bool heldWithAnother(const Item& item) const {
        for (const Item& other : items_)
            if (&other != &item && other.kind == item.kind && other.due < item.due && other.to >= item.due) return true;
        return false;
    }
    bool anotherWaits(const Item& item) const {
        for (const Item& other : items_)
            if (&other != &item && other.kind == item.kind && other.waiting && other.held && other.due < item.due &&
                (other.outcome.aired ? other.outcome.airedAt >= item.due : other.outcome.reason.empty() && other.to >= item.due))
                return true;
        return false;
    }
    bool profileInForce(const Item& item) const {
        const std::string& name = item.tag;
        std::string inForce;
        LocalMs runStart = plan_.start;
        for (const RunSegment& r : runs_)
            if (r.from <= item.due) runStart = r.from;
        for (const Aired& a : rec_.aired()) {
            if (a.at >= item.due) break;
            if (a.at >= runStart && a.verb == "PROFILE") inForce = a.text;
        }
        return inForce == name;
    }

    // ---- the bulletin chain: its 2nd File, its end announcement, its busy listing

    void bulletinChains() {
        std::vector<LocalMs> starts;   // every bulletin's start on the air
        for (const Item& item : items_)
            if ((item.kind == Kind::NewsBulletin || item.kind == Kind::ThirdBulletin) && item.outcome.aired)
                starts.push_back(item.outcome.airedAt);
        std::sort(starts.begin(), starts.end());
        const auto nextStart = [&](LocalMs after) {
            auto it = std::upper_bound(starts.begin(), starts.end(), after);
            return it == starts.end() ? end_ : *it;
        };
        std::vector<Item> chain;
        for (const Item& item : items_) {
            if (!item.outcome.aired) continue;
            if (item.kind != Kind::NewsBulletin && item.kind != Kind::ThirdBulletin) continue;
            const LocalMs began = item.outcome.airedAt, until = nextStart(began);
            LocalMs endFrom = began;
            if (item.kind == Kind::ThirdBulletin) {
                // A spoken 2nd File is tried as the bulletin's transmission ends, and for three
                // seconds after that while it is dropped.
                const bool spoken = plan_.secondFileType != "news";
                Item second{Kind::SecondFile, began, began, spoken ? std::min(until, endOfTransmission(began) + 5 * kSecond) : until,
                            spoken ? weatherSpeech() : verbText("PLAY", plan_.secondFile)};
                second.outcome.kind = Kind::SecondFile;
                second.outcome.due = began;
                if (Aired* a = find(second)) {
                    a->used = true;
                    second.outcome.aired = true;
                    second.outcome.airedAt = endFrom = a->at;
                    if (const Aired* off = busyOffBetween(began, a->at))
                        second.outcome.failure = "the node was listed not busy at " + timeText(off->at) +
                                                 ", before its 2nd File went on the air at " + timeText(a->at);
                } else {
                    // A spoken 2nd File is dropped as any speech is; the bulletin then ends.
                    const LocalMs tried = second.to;
                    second.outcome.reason = off(began, until)                            ? "the station was off"
                                            : spoken && announcementsOff(began, tried)   ? "announcements disabled"
                                            : spoken && internet(began, tried)           ? "Internet audio"
                                            : spoken && talking(began, tried)            ? "a station talking"
                                            : spoken && away(began, tried)               ? "EchoLink not answering"
                                            : until < end_                               ? "the next bulletin began first"
                                            : end_ - began < 2 * 3600 * kSecond          ? "the run ended first"
                                                                                         : "";
                }
                const bool dropped = !second.outcome.aired && spoken && !second.outcome.reason.empty() &&
                                     second.outcome.reason != "the station was off" &&
                                     second.outcome.reason != "the next bulletin began first" &&
                                     second.outcome.reason != "the run ended first";
                chain.push_back(std::move(second));
                // A dropped spoken 2nd File still ends the bulletin, with its end announcement.
                if (!chain.back().outcome.aired && !dropped) continue;
            }
            Item endNote{Kind::EndAnnouncement, endFrom, endFrom, until,
                         [](const Aired& a) { return a.verb == "WAV" && startsWith(a.text, "End of local"); }};
            endNote.outcome.kind = Kind::EndAnnouncement;
            endNote.outcome.due = endFrom;
            if (Aired* a = find(endNote)) {
                a->used = true;
                endNote.outcome.aired = true;
                endNote.outcome.airedAt = a->at;
            } else {
                endNote.outcome.reason = off(endFrom, until)                  ? "the station was off"
                                         : until < end_                           ? "the next bulletin began first"
                                         : end_ - endFrom < 2 * 3600 * kSecond    ? "the run ended first"
                                                                                  : "";
            }
            chain.push_back(std::move(endNote));
        }
        for (Item& c : chain) items_.push_back(std::move(c));
    }
    // A "BUSY off" between the bulletin's start and its 2nd File that nothing else explains.
    const Aired* busyOffBetween(LocalMs from, LocalMs to) const {
        for (const Aired& a : rec_.aired()) {
            if (a.at <= from) continue;
            if (a.at >= to) break;
            if (a.verb != "BUSY" || a.text != "off") continue;
            if (off(from, to)) return nullptr;                           // the Save / Exit lifts it
            bool dailyConnect = false;                                     // "list as available"
            for (const Item& i : items_)
                if (i.kind == Kind::DailyConnect && i.due >= from && i.due <= to) dailyConnect = true;
            if (!dailyConnect) return &a;
        }
        return nullptr;
    }

    // ---- the live-warning watcher: the first check after each start that finds the link not
    // busy records the warning file's text (later checks find nothing new) and speaks it; a
    // warning it could not speak then is tried again every second until it goes on the air.

    static constexpr std::size_t kNever = static_cast<std::size_t>(-1);

    // The tick (counted from 1) of the check that records the warning in this run.
    std::size_t watcherRecords(const RunSegment& run) const {
        const auto found = run.ticks.find("warning watcher");
        if (plan_.warningWatcher <= 0 || found == run.ticks.end()) return kNever;
        const TickRecord& ticks = found->second;
        const std::size_t step = static_cast<std::size_t>(plan_.warningWatcher) * 60;
        for (std::size_t n = step; n <= ticks.size(); n += step) {
            const LocalMs t = ticks[n - 1];
            if (!linkBusy(t - 1500, t + 500) && !away(t, t + kSecond)) return n;
        }
        return kNever;
    }

    bool connectedQuiet(LocalMs from, LocalMs to) const {
        return plan_.weatherQuietWhileConnected && rec_.anyConnectedDuring(from, to);
    }

    // The first of the weather window's ticks from the `n`-th on at which nothing keeps the
    // warning off the air: the station's own transmission or a break in it (a waiting beacon
    // whose timer ticks before the watcher's may take the second first, and the warning's own
    // speech makes it later still, which only widens the look), a station talking, EchoLink
    // away, announcements disabled, a station connected to a station that keeps quiet.
    LocalMs freeToSpeakWarning(const TickRecord& ticks, std::size_t n) const {
        for (; n <= ticks.size(); ++n) {
            const LocalMs s = ticks[n - 1];
            if (ownBefore(s + 1) || rec_.keyed().during(s - 200, s + kSecond - 1) || inBreak(s)) continue;
            if (linkBusy(s - 1500, s + 500) || away(s, s + kSecond) || announcementsOff(s, s + kSecond)) continue;
            if (connectedQuiet(s - kSecond, s)) continue;
            return s;
        }
        return kOpen;
    }

    void watcher() {
        for (const RunSegment& run : runs_) {
            const std::size_t n = watcherRecords(run);
            if (n == kNever) continue;
            const TickRecord& ticks = run.ticks.at("warning watcher");
            const LocalMs t = ticks[n - 1];
            if (!inRun(t)) continue;
            Item& item = add(Kind::WarningWatcher, t, t - 1500, t + 3 * kSecond, warningSpeech());
            if (connectedQuiet(t - kSecond, t)) {
                // Recorded and kept quiet by choice: no later check finds it new.
                item.outcome.reason = "a station connected";
                continue;
            }
            const LocalMs free = freeToSpeakWarning(ticks, n);   // kOpen: not in this run
            item.to = std::min(free, run.to) + 3 * kSecond;
            item.waiting = free > t;
            if (Aired* a = find(item)) {
                a->used = true;
                item.outcome.aired = true;
                item.outcome.airedAt = a->at;
            } else if ((free > run.to && run.to < end_) || off(t, item.to)) {
                item.outcome.reason = "the station was off";
            } else if (free >= end_ - 40 * kSecond) {
                item.outcome.reason = "the run ended first";
            }
        }
    }

    // What a failing item met at its second: the station's own transmission it waited for, or
    // one that began in its very second.
    std::string circumstances(const Item& item) const {
        if (item.waiting)
            return " (it waited for the station's own transmission, which ended at " +
                   stampText(rec_.ownTransmission().freeFor(item.due, 1)) + ")";
        const LocalMs key = rec_.keyed().since(item.due + 999);
        if (key != kOpen && key >= item.due) return " (the station keyed in that second, at " + stampText(key) + ")";
        return "";
    }

    // ---- what went on the air without falling due

    void unexpectedAirings() {
        for (const Aired& a : rec_.aired()) {
            if (a.used || a.verb != "WAV" || a.at < plan_.start + 10 * kSecond || !inRun(a.at)) continue;
            const char* what = a.text == plan_.voiceIdentText ? "a voice ident"
                               : a.text == plan_.set1Extra    ? "set 1's beacon"
                               : a.text == plan_.set2Extra    ? "set 2's beacon"
                               : a.text == plan_.set1Slot     ? "set 1's information beacon"
                               : a.text == plan_.set2Slot     ? "set 2's information beacon"
                                                              : nullptr;
            if (!what) continue;
            std::string why = "went on the air with nothing of its kind due (set " + std::to_string(activeSet(a.at)) + " active)";
            failures_.push_back({a.at, dateOf(a.at) + " " + timeText(a.at) + " " + what + ": " + why});
        }
    }

    void fail(LocalMs at, Kind kind, const std::string& what) {
        failures_.push_back({at, dateOf(at) + " " + timeText(at) + " " + kindName(kind) + ": " + what});
    }
    static std::string dateOf(LocalMs t) { return shortDate(t); }

    const DayPlan& plan_;
    const std::vector<RunSegment>& runs_;
    OnAirRecord& rec_;
    LocalMs end_;
    std::vector<std::pair<LocalMs, int>> sets_;
    StateSpans announcementsOff_;
    std::vector<Item> items_;
    std::vector<std::pair<LocalMs, std::string>> failures_;
};

}  // namespace

const char* kindName(Kind k) { return kNames[static_cast<int>(k)]; }

void TickRecord::push_back(LocalMs t) {
    if (!runs_.empty() && t == runs_.back().first + static_cast<LocalMs>(runs_.back().count) * kSecond)
        ++runs_.back().count;
    else
        runs_.push_back({t, size_, 1});
    ++size_;
}

LocalMs TickRecord::operator[](std::size_t i) const {
    const auto run = std::prev(std::upper_bound(runs_.begin(), runs_.end(), i,
                                                [](std::size_t v, const Run& r) { return v < r.index; }));
    return run->first + static_cast<LocalMs>(i - run->index) * kSecond;
}

std::size_t TickRecord::lowerBound(LocalMs t) const {
    std::size_t lo = 0, hi = size_;
    while (lo < hi) {
        const std::size_t mid = lo + (hi - lo) / 2;
        if ((*this)[mid] < t) lo = mid + 1;
        else hi = mid;
    }
    return lo;
}

std::size_t TickRecord::upperBound(LocalMs t) const { return lowerBound(t + 1); }

Verdict judge(const DayPlan& plan, const std::vector<RunSegment>& runs, OnAirRecord& record, LocalMs end) {
    return Model(plan, runs, record, end).judge();
}

}  // namespace soak
