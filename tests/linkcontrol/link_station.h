#pragma once
// A station whose connect-control window starts from the given dtmfctrl.ini lines.
#include <string>

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
