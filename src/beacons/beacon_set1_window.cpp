#include "beacons/beacon_set1_window.h"

#include "app/app.h"
#include "beacons/beacon_set2_window.h"
#include "core/settings_binding.h"
#include "speech/idents_window.h"

namespace {
const BeaconSetWindow::SetTraits kSet1{1,
                                       "beaconabc.ini",
                                       "      Beacons  Set 1",
                                       "Beacon Text or File Location for  .txt  . wav  .mp3",
                                       "Text Beacons 2",
                                       true};
}  // namespace

Form111::Form111(FormHost& host) : BeaconSetWindow(host, "Form111", kSet1) {
    // Set 1's own tick sits with the timed beacons it concerns.
    layout().row({Check2});
}

bool Form111::timedBeaconWanted() { return app().form3().Option3.value(); }

bool Form111::infoBeaconsActive() { return app().form3().Option3.value(); }

Form& Form111::otherSet() { return app().form110(); }

void Form111::loadOwnKeys(const SettingsFile& ini) { loadCheck(*this, ini, "CHECK2", Check2, "0"); }

void Form111::saveOwnKeys(SettingsFile& ini) const { saveCheck(ini, "CHECK2", Check2); }
