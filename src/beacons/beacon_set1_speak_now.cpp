// Speak-now of beacon set 1: the entry almost every tool speaks through. The text goes on the
// air at once as a speech file, or is dropped while announcements are off or the link is busy.
#include "app/app.h"
#include "beacons/beacon_set1_window.h"
#include "core/step.h"
#include "echolink/echolink_app.h"
#include "player/player_window.h"
#include "speech/idents_window.h"

bool Form111::TestTTW() {
    Form3& idents = app().form3();
    if (idents.Check1.value() == 1) return false;
    // This window's own EchoLink object when it has one; the node's state is the same on all.
    EchoLinkApp& echoLink = hasEchoLink() ? EchoLink() : idents.EchoLink();
    if (echoLink.LinkBusy() || idents.PTT.caption() == "PTT ON") return false;
    idents.TextField.setText(TempText);
    step([&] { idents.SaveToWav(); });
    step([&] { app().form1().txtFile.setText(idents.wavfile.text()); });
    step([&] { idents.ferrin = 1; });
    step([&] { app().form1().TempVolSet.setText(idents.VolSet.text()); });
    step([&] { app().form1().TXFile(); });
    return true;
}
