// The progress display: the labels other windows read (time left, position, length) and the
// operator's hh:mm:ss boxes, and the end-of-file hook that continues a news bulletin.
#include <cmath>
#include <cstdio>

#include "app/app.h"
#include "core/event_loop.h"
#include "core/step.h"
#include "core/text.h"
#include "news/news_player_window.h"
#include "player/player_window.h"

void Form1::progressTick() {
    // With no file loaded every display step fails and is skipped: skipping them outright keeps
    // the idle player (ticking every 16 ms) cheap.
    if (graph_) showProgress();
    step([&] { loop().doEvents(); });
    const bool ended = firstBranchOnFailure([&] {
        return toDouble(Label1.caption()) == 0 && app().form24().ferrin2 == 0;
    });
    if (ended) step([&] { EndOfFileHook(); });
}

void Form1::showProgress() {
    // Written every 16 ms, mostly unchanged (a stopped file stays loaded): text only on a change.
    const auto number = [](double v) { return numberText(v); };
    step([&] { Label1.showNumber(graph().duration() - playedPosition(), number); });
    step([&] { Label2.showNumber(playedPosition(), number); });
    step([&] {
        const double pos = std::nearbyint(playedPosition());
        progressWriting_ = true;
        struct Reset {
            bool& b;
            ~Reset() { b = false; }
        } reset{progressWriting_};
        H1.setValue(static_cast<int>(pos));
    });
    step([&] { Text1.showNumber(graph().duration() - playedPosition(), FormatHMS); });
    step([&] { Text2.showNumber(playedPosition(), FormatHMS); });
}

// The news player's end-of-bulletin chain runs here, at the end of each of its files.
void Form1::EndOfFileHook() { app().form24().EndOfBulletin(); }

std::string Form1::FormatHMS(double seconds) {
    if (std::isnan(seconds)) return "00:00:00";
    const double whole = std::floor(seconds);
    if (whole < 1) return "00:00:00";
    if (whole >= 25 * 3600.0) return "24:59:59";
    const long long total = static_cast<long long>(whole);
    const long long hours = total / 3600;
    const long long minutes = (total - hours * 3600) / 60;
    const long long secs = total - (total / 60) * 60;
    // Written every tick of a playing file: two digits each, hours below 25.
    const auto two = [](long long n) { return std::string{static_cast<char>('0' + n / 10), static_cast<char>('0' + n % 10)}; };
    return two(hours) + ":" + two(minutes) + ":" + two(secs);
}
