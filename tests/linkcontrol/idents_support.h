#pragma once
// A station with the idents window created from the given identabc.ini lines.
#include <string>
#include <vector>

#include "core/text.h"
#include "news/news_player_window.h"
#include "player/player_window.h"
#include "speech/idents_window.h"
#include "support/station_fixture.h"

inline Form3& openIdents(Station& s, const std::string& settingsLines = "") {
    if (!settingsLines.empty()) s.writeSettings(Form3::kSettingsFile, "[SETTINGS]\n" + settingsLines);
    Form3* f = nullptr;
    s.app().act([&] { f = &s.app().form3(); });
    return *f;
}

// A news bulletin on the air with "Disconnect All Before Playing File" ticked: the player's hold
// labels differ while its file plays.
inline void bulletinPlaying(Station& s, bool playing) {
    s.app().form24().DisconnectAll.setValue(1);
    s.app().form1().Label1.setCaption(playing ? "95" : "0");
    s.app().form1().Label2.setCaption(playing ? "95" : "0");
    s.app().form1().Label3.setCaption(playing ? "120" : "0");
}

// The transcript's connect and disconnect lines, in order.
inline std::vector<std::string> connects(Station& s) {
    std::vector<std::string> out;
    for (const auto& l : s.transcript().lines())
        if (startsWith(l, "CONNECT ") || startsWith(l, "DISCONNECT")) out.push_back(l);
    return out;
}

inline std::vector<std::string> chatLines(Station& s) {
    std::vector<std::string> out;
    for (const auto& l : s.transcript().lines())
        if (startsWith(l, "CHAT ")) out.push_back(l);
    return out;
}
