// Choosing one beacon of a set (static, serial or random) and putting it on the air as speech,
// a spoken text file or an audio file.
#include <random>

#include "app/app.h"
#include "beacons/beacon_set1_window.h"
#include "beacons/beacon_set_window.h"
#include "core/step.h"
#include "core/text.h"
#include "core/text_file.h"
#include "echolink/echolink_app.h"
#include "player/player_window.h"
#include "speech/idents_window.h"

namespace {
// A spoken beacon text file is read up to what a text box holds.
constexpr size_t kMostSpokenText = 65535;

// A counter label's number, or nothing when it holds none.
std::optional<double> counterValue(const Label& label) { return toNumber(label.caption()); }
}  // namespace

bool BeaconSetWindow::linkBusy() {
    if (EchoLink().LinkBusy()) return true;
    // A break in a file is no end of it: a beacon then would cut the file short.
    return app().form3().PTT.caption() == "PTT ON" || app().form1().transmissionOnAir();
}

void BeaconSetWindow::RandomGreeting() {
    // A beacon that cannot go out now is dropped: the caller's next time is the next chance.
    if (guardedTest([&] { return linkBusy(); })) return;

    guarded([&] {
        const auto n = toNumber(MaxRand.text());
        if (n && *n > 20) MaxRand.setText("20");
    });
    guarded([&] {
        const auto n = toNumber(MaxRand.text());
        if (!n || *n < 1) MaxRand.setText("1");
    });

    if (StopClock2.value()) {
        guarded([&] { RandomGreeting3(); });
    } else if (Serial.value()) {
        guarded([&] {
            // Past the end of the range: start the pass again at From.
            if (guardedTest([&] { return toDouble(Label6.caption()) + 1 == toDouble(NextNo.caption()); })) {
                StartNo.setCaption(Label5.caption());
                NextNo.setCaption(Label5.caption());
            }
        });
        guarded([&] { Serial2(); });
        guarded([&] { advanceSerialCounter(); });
    } else {
        guarded([&] { drawRandomSlot(); });
        guarded([&] { RandomGreeting2(); });
    }
}

void BeaconSetWindow::advanceSerialCounter() { NextNo.setCaption(numberText(toDouble(NextNo.caption()) + 1)); }

void BeaconSetWindow::drawRandomSlot() {
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    const double r = unit(random_);
    theRandomNumber = static_cast<int>(toDouble(MaxRand.text()) * r + 1);
}

void BeaconSetWindow::RandomGreeting3() {
    for (int k = 1; k <= 20; ++k)
        if (slotOption(k).value()) playSlot(k);
}

void BeaconSetWindow::Serial2() {
    for (int k = 1; k <= 20; ++k) {
        const auto next = counterValue(NextNo);
        if (next && *next == k) {
            slotOption(k).setValue(true);
            playSlot(k);
        }
    }
}

void BeaconSetWindow::RandomGreeting2() {
    for (int k = 1; k <= 20; ++k) {
        if (theRandomNumber == k) {
            slotOption(k).setValue(true);
            playSlot(k);
        }
    }
}

void BeaconSetWindow::playSlot(int k) {
    TempText2 = slot(k).text();
    PlayBeacon();
}

void BeaconSetWindow::PlayBeacon() {
    const std::string kind = right(TempText2, 4);
    if (kind == ".txt") {
        WhereIsFile = TempText2;
        SpeakTextFile();
    } else if (kind == ".wav" || kind == ".mp3") {
        // The player's volume and tail delay stay as the last caller left them.
        Form1& player = app().form1();
        player.txtFile.setText(app().mapPath(TempText2));
        player.TXFile();
    } else {
        TempText = TempText2;
        TestTTW();
    }
    afterBeacon();
}

void BeaconSetWindow::SpeakTextFile() {
    Text24.setText("");
    // Something there that is no readable text file (a FIFO, a folder) is named as such.
    const auto notFound = [this](const std::string& why) {
        Tempmessage = WhereIsFile + " <-- Beacons 1 File not found Please Check ";
        LogError(Tempmessage + (why.empty() ? "" : "(" + why + ") "));
    };
    std::string why;
    const auto text = readSpokenTextFile(app().mapPath(WhereIsFile), kMostSpokenText, &why);
    if (!text) return notFound(why);
    Text24.setText(*text);
    // Both sets speak their text files through set 1's speak-now request.
    Form111& set1 = app().form111();
    set1.TempText = Text24.text();
    stepOr([&] { set1.TestTTW(); }, [&](const std::string&) { notFound(""); });
}
