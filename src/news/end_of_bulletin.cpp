// The end-of-bulletin chain, run by the player's progress timer on every tick: when the
// bulletin's file has played, the 2nd File follows Audio File 3 when asked; otherwise the
// bulletin ends: busy off, phase over, the timed auto connect restarted and, when asked, the end
// announced.
#include "app/app.h"
#include "beacons/beacon_set1_window.h"
#include "core/step.h"
#include "core/text.h"
#include "echolink/echolink_app.h"
#include "news/news_player_window.h"
#include "player/player_window.h"
#include "speech/idents_window.h"

void Form24::EndOfBulletin() {
    // Gate: only while a bulletin's transmission is on (phase 0), and only once its file has played.
    if (ferrin2 != 0) return;
    const auto left = toNumber(app().form1().Label1.caption());
    if (!left || *left != 0) return;

    if (Play2nd.value() == 1 && Play2ndFile == 1) {
        step([&] { startSecondFile(); });
        return;
    }
    endBulletin();
}

// The 2nd File goes on the air once: once it has started, a short one is not started again.
// A weather report that the speak-now path drops (the transmitter is often still keyed for a
// moment after the bulletin's own speech) is tried again on the next ticks until the player's
// 3-second timer gives it up; one that cannot be built is given up at once. Either way the
// bulletin then ends at the next tick.
void Form24::startSecondFile() {
    Form1& player = app().form1();
    const Kind kind = kindOf(fileSet(3));
    if (kind == Kind::News) {
        Play2ndFile = 0;
        if (Text8x.text().empty()) {
            LogError("News player, 2nd File: no audio file is set; nothing is played ");
            return;
        }
        EndText = 2;
        step([&] { player.txtFile.setText(app().mapPath(Text8x.text())); });
        step([&] { player.TXFile(); });
        step([&] { player.V1.setValue(toInt(player.VolSet.text())); });
        return;
    }
    if (speechWouldBeDropped()) {
        step([&] { player.Timer7.enable(); });
        return;
    }
    Play2ndFile = 0;
    const auto report = weatherReport(kind);
    if (!report) return;
    EndText = (kind == Kind::Forecast || Option7.value()) ? 3 : 1;
    Form111& speakNow = app().form111();
    speakNow.TempText = *report;
    step([&] { speakNow.TestTTW(); });
}

void Form24::endBulletin() {
    step([&] { EchoLink().Busy(false); });
    ferrin2 = 2;
    Play2ndFile = 0;   // a flag left by this bulletin must not give a later one the 2nd File
    step([&] { app().form3().RearmTimedConnection(); });
    if (Check1.value() == 0) return;
    const std::string* text = nullptr;
    if (EndText == 1) text = &WarnEndWX.text();
    if (EndText == 2) text = &WarnEnd.text();
    if (EndText == 3) text = &WarnEndNewsWX.text();
    if (!text) return;
    step([&] { speakOnAir(*text); });
}
