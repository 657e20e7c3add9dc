#pragma once
// Form111: beacon set 1. Its speak-now request TestTTW is the one most of the station speaks through.
#include "beacons/beacon_set_window.h"

class Form111 : public BeaconSetWindow {
public:
    explicit Form111(FormHost& host);

    // Speaks TempText on the air now, or drops it; true when the speech was handed to the player.
    bool TestTTW() override;

    CheckBox Check2{*this, "Check2", "Allow Timed Beacon in set 2 also to be enabled when set 1 is in operation", 0,
                    &Frame4};

protected:
    bool timedBeaconWanted() override;
    bool infoBeaconsActive() override;
    Form& otherSet() override;
    void loadOwnKeys(const SettingsFile& ini) override;
    void saveOwnKeys(SettingsFile& ini) const override;
};
