#pragma once
// Helpers shared by the speech tests.
#include <algorithm>
#include <string>
#include <vector>

#include "core/text.h"
#include "player/player_window.h"
#include "support/station_fixture.h"
#include "support/test_wav.h"

// The transcript lines that start with one of the prefixes, in order.
inline std::vector<std::string> linesStarting(Station& s, const std::vector<std::string>& prefixes) {
    std::vector<std::string> out;
    for (const auto& l : s.transcript().lines())
        for (const auto& p : prefixes)
            if (l.rfind(p, 0) == 0) {
                out.push_back(l);
                break;
            }
    return out;
}

inline int countOf(const std::vector<std::string>& v, const std::string& x) {
    return static_cast<int>(std::count(v.begin(), v.end(), x));
}

// Puts a long silent file on the air through the player, which then owns the transmitter key
// (and its PTT captions) until the file is stopped.
inline void putLongFileOnAir(Station& s, double seconds = 30) {
    const std::string path = writeTestWav(s.dataFile("long.wav"), seconds);
    s.app().act([&] {
        Form1& player = s.app().form1();
        player.txtFile.setText(path);
        player.TempVolSet.setText("0");
        player.TXFile();
    });
}

inline void stopFileOnAir(Station& s) {
    s.app().act([&] { s.app().form1().StopFile(); });
}
