// The beacon-set window's buttons: test a slot, pick a file, send one beacon, step or reset the
// serial counter, stop the transmission, save, hide, and move to the other windows.
#include "app/app.h"
#include "beacons/beacon_set_window.h"
#include "core/text.h"
#include "echolink/echolink_app.h"
#include "player/player_window.h"
#include "speech/idents_window.h"

void BeaconSetWindow::wireCommands() {
    for (int k = 1; k <= 21; ++k) {
        TextBox& box = slot(k);
        testButton(k).onClick([this, &box] { testSlot(box); });
        pickerButton(k).onClick([this, &box] { pickFile(box); });
    }
    Command15.onClick([this] { RandomGreeting(); });
    Command13.onClick([this] { stepNext(); });
    Command14.onClick([this] { resetCounter(); });
    Command5.onClick([this] { stopTransmission(); });
    Command1.onClick([this] { SaveData(); });
    Command2.onClick([this] { Hide(); });
    Command3.onClick([this] { app().form3().Show(); });
    Command11.onClick([this] { otherSet().Show(); });
}

// A test ignores the active set, the beacon type and the busy test of the schedules: an audio
// file goes on the air at once; speech still passes the speak-now request's own test.
void BeaconSetWindow::testSlot(TextBox& box) {
    TempText2 = box.text();
    PlayBeacon();
}

void BeaconSetWindow::pickFile(TextBox& box) {
    const auto chosen = app().dialogs().openFile("", "*.wav, *.mp3, *.txt|*.wav;*.mp3;*.txt");
    if (chosen && !chosen->empty()) {
        box.setText(*chosen);
        return;
    }
    app().dialogs().messageBox("Error No File selected", " No file Selected", MsgButtons::Ok, MsgIcon::Information);
}

// Moves the counter one step as a serial beacon does, sending nothing.
void BeaconSetWindow::stepNext() {
    step([&] {
        if (firstBranchOnFailure([&] { return toDouble(NextNo.caption()) == toDouble(Label6.caption()) + 1; })) {
            StartNo.setCaption(Label5.caption());
            NextNo.setCaption(Label5.caption());
        }
    });
    step([&] { advanceSerialCounter(); });
}

void BeaconSetWindow::resetCounter() {
    StartNo.setCaption(Label5.caption());
    NextNo.setCaption(Label5.caption());
}

void BeaconSetWindow::stopTransmission() {
    app().form1().StopOnRequest();
    EchoLink().Busy(false);
}
