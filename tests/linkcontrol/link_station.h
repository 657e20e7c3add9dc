#pragma once
// A station whose connect-control window starts from the given dtmfctrl.ini lines.
#include <string>
#include <vector>

#include "linkcontrol/connect_control_window.h"
#include "player/player_window.h"
#include "speech/courtesy_window.h"
#include "speech/idents_window.h"
#include "core/text.h"
#include "support/station_fixture.h"

inline Form4& openConnectControl(Station& s, const std::string& settingsLines = "") {
    if (!settingsLines.empty()) s.writeSettings(Form4::kSettingsFile, "[SETTINGS]\n" + settingsLines);
    Form4* f = nullptr;
    s.app().act([&] { f = &s.app().form4(); });
    return *f;
}

// Local RF as the courtesy window publishes it, with the node's carrier and received signal.
inline void localSignal(Station& s, bool on) {
    s.node().setCarrier(on);
    s.node().setReceivingSignal(on);
    s.app().form22().RFUser.setText(on ? "Receiving  RF" : "RX  Standby");
}

inline void dtmf(Station& s, const std::string& digits, double settle = 0.2) {
    s.node().receiveDtmf(digits);
    s.advance(settle);
}

// What the node was told to do about its links, leaving out what other windows put on the air
// (speech, tones, keying) and the error log.
inline std::vector<std::string> linkActions(const Transcript& t) {
    std::vector<std::string> out;
    for (const auto& l : t.lines())
        for (const char* p : {"CONNECT ", "DISCONNECT", "BUSY ", "LISTEN-ONLY ", "RESTART", "EXIT"})
            if (startsWith(l, p)) {
                out.push_back(l);
                break;
            }
    return out;
}

// `wanted` appears in `lines` in this order, other lines in between allowed.
inline bool inOrder(const std::vector<std::string>& lines, const std::vector<std::string>& wanted) {
    size_t i = 0;
    for (const auto& l : lines)
        if (i < wanted.size() && l == wanted[i]) ++i;
    return i == wanted.size();
}
