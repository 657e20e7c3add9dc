// The window's one-second clock: the clock text, the timed connection's hold while the node is
// active, the disconnect-all display, then the weekly nets of set 1 and the daily connect and
// disconnect. Every second comes once, late ones with their own time, so none is missed.
#include "app/app.h"
#include "core/datetime.h"
#include "core/event_loop.h"
#include "linkcontrol/connect_control_window.h"
#include "linkcontrol/countdowns_and_calls.h"
#include "speech/courtesy_window.h"
#include "speech/idents_window.h"

using namespace linkcontrol;

void Form4::Timer2_Timer(LocalMs second) {
    step([&] { loop().doEvents(); });
    step([&] { ShowTime.setCaption(timeText(second)); });
    holdTimedConnectionWhileActive(second);
    showDisconnectAllState();
    startDueNets(second);
    dailySchedule(second);
}

// While the node transmits or hears local RF the timed connection's countdown stays at its full
// length, so it ends DelayPeriod minutes after the last activity. A second the station spent
// speaking counts as active also when it is handed over after the speech, with the key up.
void Form4::holdTimedConnectionWhileActive(LocalMs second) {
    if (!firstBranchOnFailure([&] { return ticked(DelayCTRL); })) return;
    step([&] {
        Form3& idents = app().form3();
        if (firstBranchOnFailure([&] { return idents.PTT.caption() == "PTT ON" || idents.spokeOnAirIn(second); }))
            reloadTimedCountdown();
    });
    step([&] {
        if (firstBranchOnFailure([&] { return app().form22().RFUser.text() == "Receiving  RF"; }))
            reloadTimedCountdown();
    });
}

// The test station is always reached with everybody disconnected, so its box is replaced by a note.
void Form4::showDisconnectAllState() {
    step([&] {
        if (Text1x.text() == kTestStation) {
            Check10.setValue(0);
            Check10.setVisible(false);
            Label49.setVisible(true);
        } else {
            Check10.setVisible(true);
            Label49.setVisible(false);
        }
    });
}
