#include "beacons/beacon_set2_window.h"

#include "app/app.h"
#include "beacons/beacon_set1_window.h"
#include "beacons/dtmf_before_after_window.h"
#include "echolink/echolink_app.h"
#include "player/player_window.h"
#include "speech/idents_window.h"

namespace {
const BeaconSetWindow::SetTraits kSet2{2,
                                       "beaconabc2.ini",
                                       "      Beacons  Set 2",
                                       "Beacon 2 Text or File Location for  .txt  . wav  .mp3",
                                       "Text Beacons 1",
                                       false};
}  // namespace

Form110::Form110(FormHost& host) : BeaconSetWindow(host, "Form110", kSet2) {}

bool Form110::TestTTW() {
    Form3& idents = app().form3();
    if (idents.Check1.value() == 1) return false;
    if (linkBusy()) return false;
    idents.TextField.setText(TempText);
    // From here a failing step is skipped: the player logs a missing file and sends silence.
    step([&] { idents.SaveToWav(); });
    step([&] { app().form1().txtFile.setText(idents.wavfile.text()); });
    step([&] { idents.ferrin = 1; });
    step([&] { app().form1().TempVolSet.setText(idents.VolSet.text()); });
    step([&] { app().form1().TXFile(); });
    return true;
}

// The start string goes out once the beacon has been handed on, also when the speech request
// dropped it or its text file was missing.
void Form110::afterBeacon() {
    Form128& dtmf = app().form128();
    if (dtmf.Check6.value() == 1 && !dtmf.Text11.text().empty()) {
        EchoLink().SendDTMF(dtmf.Text11.text());
        dtmf.Option6.setValue(true);
    }
}

// Set 2's timed beacon also runs while set 1 is active when set 1 allows it.
bool Form110::timedBeaconWanted() {
    Form3& idents = app().form3();
    if (idents.Option4.value()) return true;
    return idents.Option3.value() && app().form111().Check2.value() == 1;
}

bool Form110::infoBeaconsActive() { return app().form3().Option4.value(); }

Form& Form110::otherSet() { return app().form111(); }
