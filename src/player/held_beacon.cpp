#include "player/held_beacon.h"

#include "app/app.h"
#include "core/step.h"
#include "echolink/echolink_app.h"
#include "player/player_window.h"

bool takeBeaconTurn(HeldTurn& turn, bool due, Form& asker) {
    // Nothing is read on the quiet ticks: no window is made for them.
    if (!due && !turn.waiting()) return false;
    const Form1& player = asker.app().form1();
    Airtime air = Airtime::Free;
    if (firstBranchOnFailure([&] { return asker.EchoLink().LinkBusy(); }))
        air = Airtime::StationTalking;
    else if (player.transmissionOnAir())
        air = Airtime::OwnTransmission;
    return turn.take(due, player.requestedStops(), air);
}
