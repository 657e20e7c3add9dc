// The news schedule clock: every second it shows the time, keeps the file frames in step with
// their type options, and starts the sets whose day and start time have come, with the
// one-minute disconnect warning before a set's first start time.
#include <cmath>
#include <exception>
#include <optional>

#include "app/app.h"
#include "core/datetime.h"
#include "core/event_loop.h"
#include "core/step.h"
#include "core/text.h"
#include "echolink/echolink_app.h"
#include "news/news_player_window.h"

namespace {

constexpr LocalMs kMinuteMs = 60 * 1000;

// An hour or minute box read by value ("8" and "08" alike); nothing when empty, not a whole
// number or out of range (hour "24" switches a start time off).
std::optional<int> boxValue(const TextBox* box, int max) {
    if (!box) return std::nullopt;
    const auto v = toNumber(box->text());
    if (!v || *v != std::floor(*v) || *v < 0 || *v > max) return std::nullopt;
    return static_cast<int>(*v);
}

std::optional<int> minuteOfDay(const TextBox* hour, const TextBox* mins) {
    const auto h = boxValue(hour, 23);
    const auto m = boxValue(mins, 59);
    if (!h || !m) return std::nullopt;
    return *h * 60 + *m;
}

int minuteOfDayOf(LocalMs t) { return hourOf(t) * 60 + minuteOf(t); }

}  // namespace

void Form24::showTypeOf(const FileSet& set) {
    const Kind kind = kindOf(set);
    set.conditionsLabel.setVisible(kind == Kind::Conditions);
    set.forecastLabel.setVisible(kind == Kind::Forecast);
    set.file.setVisible(kind == Kind::News);
    set.fileButton.setVisible(kind == Kind::News);
}

// A start matches in second 15 of its minute, or in seconds 16 to 20 while the transmitter is
// not keyed. Every second comes once, a late one with its own time.
bool Form24::startsNow(const FileSet& set, int secondsPart, LocalMs tick) {
    const LocalMs t = tick;
    if (secondOf(t) != secondsPart) return false;
    const int minute = minuteOfDayOf(t);
    const auto first = minuteOfDay(set.hour1, set.mins1);
    const auto second = minuteOfDay(set.hour2, set.mins2);
    return (first && *first == minute) || (second && *second == minute);
}

// The warning comes in second 00 of the minute before the first start time, on the day the start
// falls on (a start at 00:00 is warned at 23:59 of the day before, under its own day's box).
bool Form24::warnsNow(const FileSet& set, LocalMs tick) {
    if (DisconnectAll.value() != 1 || WarnCheck.value() != 1) return false;
    const LocalMs t = tick;
    if (secondOf(t) != 0) return false;
    const auto first = minuteOfDay(set.hour1, set.mins1);
    if (!first) return false;
    const LocalMs start = t + kMinuteMs;
    return minuteOfDayOf(start) == *first && set.days[weekday(start) - 1]->value() == 1;
}

void Form24::Timer2_Timer(LocalMs second) {
    const LocalMs tick = second;
    step([&] { ShowTime.setCaption(timeText(tick)); });
    const int today = weekday(tick);
    for (int n = 0; n < 4; ++n) step([&] { showTypeOf(fileSet(n)); });

    int secondsPart = 15;
    const int s = secondOf(tick);
    if (s >= 16 && s <= 20 && PTT.caption() != "PTT ON") secondsPart = s;

    step([&] { loop().doEvents(); });

    for (int n = 0; n < 3; ++n) {
        FileSet set = fileSet(n);
        const std::string what = "News schedule, Audio File " + std::to_string(n + 1);
        auto logged = [&](const char* doing, const std::function<void()>& work) {
            stepOr(work, [&](const std::string& why) { LogError(what + ": " + doing + " failed: " + why + " "); });
        };
        if (warnsNow(set, tick)) {
            logged("the chat warning", [&] {
                EchoLink().SendChatText(timeText(tick) + "  <1> Minute Warning Auto Disconnect for Local News/WX.");
            });
            logged("the disconnect warning", [&] { WarnDisconnect(); });
        }
        if (set.days[today - 1]->value() != 1) continue;
        if (!startsNow(set, secondsPart, tick)) continue;
        // A short bulletin that is over before second 20 is not started a second time, and one
        // that cannot start (no file, no report) is logged once, not every second of the window.
        // One whose start failed (its speech's busy test unread while EchoLink does not answer)
        // put nothing on the air: the later seconds try it again, and the failure is logged once.
        const LocalMs t = tick;
        const LocalMs minute = t - t % kMinuteMs;
        StartMinute& tried = startMinute_[n];
        if (tried.minute != minute) tried = {minute};
        if (tried.done) continue;
        stepOr([&] { tried.done = StartBulletin(n, Asker::Unattended) != Started::NotNow; },
               [&](const std::string& why) {
                   if (!tried.failureLogged) LogError(what + ": the start failed: " + why + " ");
                   tried.failureLogged = true;
               });
    }
}
