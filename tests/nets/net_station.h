#pragma once
// A station with nets set up from their settings files, and the link actions stamped to the second.
#include <string>
#include <vector>

#include "../linkcontrol/link_station.h"
#include "news/news_player_window.h"
#include "nets/net_set2_window.h"

// The connect-control window with set 1 from these dtmfctrl.ini lines. The idents window does not
// announce connects here: its speech blocks the station's clock and would delay the nets' ticks.
inline Form4& openSet1(Station& s, const std::string& settingsLines = "") {
    Form4& f = openConnectControl(s, settingsLines);
    s.app().act([&] { s.app().form3().ConDisc.setValue(0); });
    return f;
}

inline Form117& openNetSet2(Station& s, const std::string& settingsLines = "") {
    if (!settingsLines.empty()) s.writeSettings(Form117::kSettingsFile, "[SETTINGS]\n" + settingsLines);
    if (!s.app().exists("Form4")) openSet1(s);
    s.click("Form4.Command25");
    return s.app().form117();
}

// The idents window's first two stay-connected boxes as a net finds them.
inline void stayConnected(Station& s, int con1, int con2) {
    s.app().act([&] {
        s.app().form3().StayCon1.setValue(con1);
        s.app().form3().StayCon2.setValue(con2);
    });
}

inline std::pair<int, int> stayConnectedBoxes(Station& s) {
    return {s.app().form3().StayCon1.value(), s.app().form3().StayCon2.value()};
}

// "hh:mm:ss LINE" for every link action (connects, disconnects, busy, listen-only).
inline std::vector<std::string> timedLinkActions(const Transcript& t) {
    std::vector<std::string> out;
    for (const auto& l : t.stamped()) {
        const std::string line = l.substr(13);
        for (const char* p : {"CONNECT ", "DISCONNECT", "BUSY ", "LISTEN-ONLY "})
            if (startsWith(line, p)) {
                out.push_back(l.substr(0, 8) + " " + line);
                break;
            }
    }
    return out;
}
