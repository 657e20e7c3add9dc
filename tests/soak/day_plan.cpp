#include "soak/day_plan.h"

#include <cstdio>

#include "core/datetime.h"

namespace soak {
namespace {

class Draw {
public:
    explicit Draw(std::mt19937& rng) : rng_(rng) {}
    int between(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng_); }
    bool chance(int percent) { return between(1, 100) <= percent; }
    template <typename T>
    const T& oneOf(const std::vector<T>& v) { return v[static_cast<std::size_t>(between(0, static_cast<int>(v.size()) - 1))]; }

    // A period in minutes; short ones often, so that schedules meet in one second now and then.
    int period(int lo, int hi) { return chance(40) ? oneOf(std::vector<int>{5, 10, 15, 20}) : between(lo, hi); }

    // Every day, or most days with one or two left out.
    WeeklyTime weekly(int hourLo, int hourHi) {
        WeeklyTime t;
        t.hour = between(hourLo, hourHi);
        t.minute = between(0, 59);
        if (chance(40))
            for (int k = between(1, 2); k > 0; --k) t.days[between(1, 7)] = false;
        return t;
    }

private:
    std::mt19937& rng_;
};

std::string two(int n) {
    char b[8];
    std::snprintf(b, sizeof b, "%02d", n);
    return b;
}

const char* const kDayKeys[8] = {"", "SUN", "MON", "TUE", "WED", "THUR", "FRI", "SAT"};

void putWeekly(station_settings::Keys& keys, const WeeklyTime& t, const std::string& daySuffix,
               const std::string& hourKey, const std::string& minuteKey) {
    for (int d = 1; d <= 7; ++d) keys.emplace_back(kDayKeys[d] + daySuffix, t.days[d] ? "1" : "0");
    keys.emplace_back(hourKey, two(t.hour));
    keys.emplace_back(minuteKey, two(t.minute));
}

// Days that end a month or a year are drawn often: the schedules that read the weekday and
// the dated net must go over them.
LocalMs drawStart(Draw& draw) {
    CivilTime c;
    c.year = draw.between(2025, 2031);
    c.month = draw.between(1, 12);
    static const int lengths[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    int last = lengths[c.month - 1];
    if (c.month == 2 && c.year % 4 == 0) last = 29;
    if (draw.chance(30)) c.month = 12, last = 31;
    c.day = draw.chance(60) ? last : draw.between(1, last);
    c.hour = draw.between(0, 23);
    c.minute = draw.between(0, 59);
    c.second = draw.between(0, 59);
    return fromCivil(c);
}

}  // namespace

DayPlan drawPlan(std::mt19937& rng, const std::string& dataFolder, const std::string& serverUrl) {
    Draw draw(rng);
    DayPlan p;
    p.start = drawStart(draw);
    {
        const CivilTime c = toCivil(p.start);
        char b[32];
        std::snprintf(b, sizeof b, "%04d-%02d-%02d %02d:%02d:%02d", c.year, c.month, c.day, c.hour, c.minute, c.second);
        p.startText = b;
    }
    // The sysop saves, exits and starts the station again some hours in.
    p.restartAt = p.start + static_cast<LocalMs>(draw.between(2 * 3600, 7 * 3600)) * 1000;
    p.restartPauseSeconds = draw.between(5, 120);

    p.voiceIdent = draw.period(5, 30);
    p.cwIdent = draw.period(5, 30);
    p.set1Timed = draw.period(1, 20);
    p.set2Timed = draw.period(1, 25);
    p.set2TimedWithSet1 = draw.chance(50);
    p.firstSet = draw.between(1, 2);
    p.weatherConditions = draw.chance(50) ? draw.period(5, 30) : 0;
    p.weatherForecast = draw.chance(50) ? draw.period(5, 30) : 0;
    p.weatherWarning = draw.chance(50) ? draw.period(5, 30) : 0;
    p.warningWatcher = draw.between(1, 10);
    p.watcherStartsWarningBeacon = draw.chance(50);
    p.weatherQuietWhileConnected = draw.chance(50);

    p.voiceIdentText = "N0CALL link";
    p.set1Extra = "N0CALL beacon";
    p.set1Slot = "This is the N0CALL link";
    p.set2Extra = "Second set beacon";
    p.set2Slot = "Second set information";

    p.newsFile = dataFolder + "/news.mp3";
    p.thirdFile = dataFolder + "/third.mp3";
    p.secondFile = dataFolder + "/second.mp3";
    // Files end at any moment of the second, now and then just where the player's own
    // one-second timers tick.
    const auto seconds = [&](int lo, int hi) { return draw.between(lo, hi) + draw.oneOf(std::vector<double>{0, 0.25, 0.5, 0.55, 0.75}); };
    p.soundLengths = {{"news.mp3", 420}, {"long.mp3", 420}, {"third.mp3", seconds(6, 240)}, {"second.mp3", seconds(6, 120)}};

    WeeklyTime first = draw.weekly(6, 9), second = first;
    second.hour = draw.between(18, 21);
    p.newsBulletins = {first, second};
    p.bulletinWithSecondFile = draw.weekly(10, 17);
    p.net1 = {"W9NET", draw.weekly(0, 23)};
    p.net2 = {"K9NET-R", draw.weekly(0, 23)};
    p.datedNetDay = p.start + static_cast<LocalMs>(draw.between(0, 1)) * 86'400'000;
    p.datedNet = {"VK9DATE", draw.weekly(0, 23)};
    p.profiles = {{"DAYTIME", 1, draw.weekly(6, 11), "#61"}, {"EVENING", 2, draw.weekly(16, 22), "#62"}};
    // A sysop may switch the beacon set while the morning news is on the air.
    if (draw.chance(50)) {
        WeeklyTime& t = p.profiles[0].at;
        const int minute = first.hour * 60 + first.minute + draw.between(1, 6);
        t.hour = minute / 60 % 24;
        t.minute = minute % 60;
    }
    p.download = draw.weekly(0, 23);
    p.downloadUrl = serverUrl.empty() ? "" : serverUrl + "/tune.mp3";
    p.dailyDisconnect = draw.weekly(0, 23);
    p.dailyConnect = draw.weekly(0, 23);
    p.dailyConnectCall = "K2XYZ";
    p.silenceFrom = {23, 30};
    p.silenceTo = {6, 15};

    // ---- the settings
    using station_settings::Keys;
    const auto n = [](int v) { return std::to_string(v); };
    const auto stopClock = [](int period) { return std::string(period > 0 ? "1" : "0"); };
    const auto periodText = [](int period) { return std::to_string(period > 0 ? period : 15); };
    const std::string weather = std::string(MVSMALL_TEST_DATA) + "/weather/";

    Keys ident = {{"STOPCLOCK6", "1"}, {"BEACONPERIOD6", n(p.voiceIdent)}, {"STOPCLOCK7", "1"},
                  {"BEACONPERIOD7", n(p.cwIdent)}, {"CALLSIGN", p.voiceIdentText},
                  // The idle watch moves both idents' phase with what the node hears; this station keeps it off.
                  {"IDCHECK", "0"}, {"CHECK6", "1"},
                  {"Option3", p.firstSet == 1 ? "True" : "False"}, {"Option4", p.firstSet == 2 ? "True" : "False"},
                  {"INFOQUATER", "0"}};
    {
        WeeklyTime off = p.silenceFrom, on = p.silenceTo;
        putWeekly(ident, off, "", "HOUROFF1", "MINSOFF1");
        ident.emplace_back("HOURON1B", two(on.hour));
        ident.emplace_back("MINSON1B", two(on.minute));
    }
    p.overrides["identabc.ini"] = ident;

    p.overrides["beaconabc.ini"] = {{"STOPCLOCK1", "1"}, {"BEACONPERIOD1", n(p.set1Timed)}, {"TEXT21", p.set1Extra},
                                    {"TEXT1", p.set1Slot}, {"CHECK2", p.set2TimedWithSet1 ? "1" : "0"},
                                    {"INFOHALF", n(draw.between(0, 1))}};
    p.overrides["beaconabc2.ini"] = {{"STOPCLOCK1", "1"}, {"BEACONPERIOD1", n(p.set2Timed)}, {"TEXT21", p.set2Extra},
                                     {"TEXT1", p.set2Slot}, {"INFOHOURLY", n(draw.between(0, 1))}};
    p.overrides["MP3_PlayerABC.ini"] = {{"STOPCLOCK8", n(draw.chance(75))}, {"BEACONPERIOD8", n(draw.between(1, 6))},
                                        {"TEXT6", n(draw.between(60, 400))}};
    p.overrides["abcweather.ini"] = {
        {"STOPCLOCK1", stopClock(p.weatherConditions)}, {"BEACONPERIOD1", periodText(p.weatherConditions)},
        {"STOPCLOCK2", stopClock(p.weatherForecast)}, {"BEACONPERIOD2", periodText(p.weatherForecast)},
        {"STOPCLOCK3", stopClock(p.weatherWarning)}, {"BEACONPERIOD3", periodText(p.weatherWarning)},
        {"STOPCLOCK4", "1"}, {"BEACONPERIOD4", n(p.warningWatcher)},
        {"CHECK2", p.watcherStartsWarningBeacon ? "1" : "0"}, {"CHECK3", p.weatherQuietWhileConnected ? "1" : "0"},
        {"WHEREISFILE", weather + "data.csv"}, {"WHEREISFILE2", weather + "metar.txt"},
        {"WHEREISFILE3", weather + "warning.txt"}};

    p.secondFileType = draw.oneOf(std::vector<std::string>{"news", "conditions", "forecast"});
    const auto option = [](bool on) { return std::string(on ? "True" : "False"); };
    Keys news = {{"OPTION10", option(p.secondFileType == "news")}, {"OPTION11", option(p.secondFileType == "conditions")},
                 {"OPTION12", option(p.secondFileType == "forecast")},
                 {"Text4x", p.newsFile}, {"Text7x", p.thirdFile}, {"Text8x", p.secondFile}, {"PLAY2ND", "1"},
                 {"CHECK1", "1"}, {"LISTASBUSYCHECK", "1"}, {"WARNCHECK", "1"}, {"DISCONNECTALL", "1"}};
    putWeekly(news, p.newsBulletins[0], "3", "HOUR3", "MINS3");
    news.emplace_back("HOUR33", two(p.newsBulletins[1].hour));
    news.emplace_back("MINS33", two(p.newsBulletins[1].minute));
    p.newsBulletins[1].days[0] = false;
    for (int d = 1; d <= 7; ++d) p.newsBulletins[1].days[d] = p.newsBulletins[0].days[d];
    putWeekly(news, p.bulletinWithSecondFile, "", "HOUR", "MINS");
    p.overrides["newsabc.ini"] = news;

    Keys control = {{"Hour0", two(p.dailyDisconnect.hour)}, {"Mins0", two(p.dailyDisconnect.minute)},
                    {"Hour00", two(p.dailyConnect.hour)}, {"Mins00", two(p.dailyConnect.minute)},
                    {"CONNECT1", p.dailyConnectCall}, {"NETCALL1", p.net1.call}, {"DISCMINS1", n(draw.between(5, 40))},
                    {"CHECK3", "1"}, {"SHOWBUSY1", "0"}, {"RFBUSY", "0"}};
    p.dailyDisconnect.days[0] = p.dailyConnect.days[0] = false;
    for (int d = 1; d <= 7; ++d) p.dailyDisconnect.days[d] = p.dailyConnect.days[d] = true;
    putWeekly(control, p.net1.at, "", "HOUR", "MINS");
    p.overrides["dtmfctrl.ini"] = control;

    Keys nets2 = {{"NETCALL1", p.net2.call}, {"DISCMINS1", n(draw.between(5, 40))}, {"CHECK3", "1"},
                  {"SHOWBUSY1", "0"}, {"RFBUSY", "0"},
                  {"NETCALL5", p.datedNet.call}, {"TEXT3", shortDate(p.datedNetDay)},
                  {"HOUR5", two(p.datedNet.at.hour)}, {"MINS5", two(p.datedNet.at.minute)},
                  {"DISCMINS5", n(draw.between(5, 40))}, {"CHECK6", "1"}, {"SHOWBUSY5", "0"}};
    putWeekly(nets2, p.net2.at, "", "HOUR", "MINS");
    p.overrides["netscheduler2.ini"] = nets2;

    Keys profiles;
    for (std::size_t k = 0; k < p.profiles.size(); ++k) {
        const ProfileEntry& e = p.profiles[k];
        const std::string s = k == 0 ? "" : std::to_string(k + 1);
        profiles.emplace_back("Profile" + std::to_string(k + 1), e.name);
        profiles.emplace_back("TEXT" + std::to_string(k + 1), e.code);
        profiles.emplace_back("OPTION" + std::to_string(2 * k + 1), e.set == 1 ? "True" : "False");
        profiles.emplace_back("OPTION" + std::to_string(2 * k + 2), e.set == 2 ? "True" : "False");
        putWeekly(profiles, e.at, s, "HOUR" + s, "MINS" + s);
    }
    p.overrides["profiles.ini"] = profiles;

    if (!p.downloadUrl.empty()) {
        Keys download = {{"TXTURL11", p.downloadUrl}, {"CHECK1", "1"}};
        putWeekly(download, p.download, "", "HOUR", "MINS");
        p.overrides["maronewsmp3d.ini"] = download;
    }
    // The long file the DTMF player sends, for beacons and breaks to meet.
    p.overrides["marodtmfhelpMP3.ini"] = {{"TEXT43", "55*1"}, {"TEXT21", dataFolder + "/long.mp3"}};
    p.overrides["dtmfctrl.ini"].emplace_back("STOPPLAYER", "#00");
    return p;
}

}  // namespace soak
