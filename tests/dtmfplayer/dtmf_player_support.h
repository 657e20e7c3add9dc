#pragma once
// A station with the DTMF player window loaded, and the few reads its tests share.
#include <string>
#include <vector>

#include "beacons/beacon_set1_window.h"
#include "dtmfplayer/dtmf_player_window.h"
#include "player/player_window.h"
#include "support/station_fixture.h"

struct PlayerStation {
    explicit PlayerStation(const std::string& start = "2026-12-10 14:07:13") : s({start}) {}
    Station s;
    Form23& w = s.app().form23();
    Form1& player = s.app().form1();

    void slot(int k, const std::string& code, const std::string& location) {
        w.code(k).setText(code);
        w.location(k).setText(location);
    }
    void dtmf(const std::string& digits) {
        s.node().receiveDtmf(digits);
        s.advance(0.1);
    }
    // What was rendered to speech, in order.
    std::vector<std::string> spoken() const {
        std::vector<std::string> texts;
        for (const auto& [path, text] : s.speech->rendered) texts.push_back(text);
        return texts;
    }
    int logLines() const { return const_cast<Station&>(s).transcript().count("LOG "); }
};
