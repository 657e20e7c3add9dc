#pragma once
// Form110: beacon set 2. It speaks its plain-text beacons through its own speak-now request and
// may send a DTMF string after each beacon.
#include "beacons/beacon_set_window.h"

class Form110 : public BeaconSetWindow {
public:
    explicit Form110(FormHost& host);

    // Speaks TempText on the air now, or drops it.
    bool TestTTW() override;

protected:
    void afterBeacon() override;
    bool timedBeaconWanted() override;
    bool infoBeaconsActive() override;
    Form& otherSet() override;
};
