#pragma once
// Small helpers shared by the beacon tests.
#include <string>
#include <vector>

#include "beacons/beacon_set1_window.h"
#include "beacons/beacon_set2_window.h"
#include "beacons/dtmf_before_after_window.h"
#include "beacons/profile_window.h"
#include "player/player_window.h"
#include "speech/idents_window.h"
#include "support/station_fixture.h"

// The clock times ("hh:mm:ss") of the transcript lines that start with `prefix`.
inline std::vector<std::string> timesOf(Transcript& t, const std::string& prefix) {
    std::vector<std::string> out;
    for (const auto& line : t.stamped()) {
        // "hh:mm:ss.mmm LINE"
        if (line.size() > 13 && line.compare(13, prefix.size(), prefix) == 0) out.push_back(line.substr(0, 8));
    }
    return out;
}

// Fills every slot k of a set with the text "slot k".
inline void nameSlots(BeaconSetWindow& set) {
    for (int k = 1; k <= 20; ++k) set.slot(k).setText("slot " + std::to_string(k));
}

// Set 2 marks every beacon it hands on with a DTMF string, which the transcript stamps with the
// time: the easiest way to see when a set-2 beacon went out.
inline void markSet2Beacons(Station& s, const std::string& digits = "9") {
    s.writeSettings("senddtmf.ini", "[SETTINGS]\nCHECK6=1\nTEXT11=" + digits + "\n");
}
