// The link-control side of the idents window: its boxes are stored with the window's settings,
// so their input styles, derived countdowns and buttons are in place before the settings load.
// The behaviour itself lives in the link-control folder (idents_*.cpp, silence_scheduler.cpp).
#include "core/step.h"
#include "core/text.h"
#include "echolink/echolink_app.h"
#include "speech/idents_window.h"

void Form3::wireLinkControl() {
    // The callsign boxes are in capitals from the start, so a stored callsign loads as EchoLink names it.
    for (TextBox* call : {&ConnectStation1, &ConnectStation2, &ConnectStationx}) {
        call->upperCase = true;
        call->onChange([call] { call->upperCase = true; });
    }
    for (TextBox* number : {&HourOFF1, &MinsOFF1, &HourON1b, &MinsON1b, &HourOFF2, &MinsOFF2, &HourON2b,
                            &MinsON2b, &HourOFF3, &MinsOFF3, &HourON3b, &MinsON3b}) {
        // Their designed texts are already numbers; the style holds from the start.
        number->numberOnly = true;
        number->onChange([number] { number->numberOnly = true; });
    }
    BeaconPeriodx.numberOnly = true;
    BeaconPeriodx.onChange([this] { BeaconPeriodx_Change(); });

    Connect1.onClick([this] { conDisc(ConnectStation1); });
    Command3.onClick([this] { conDisc(ConnectStation2); });
    Command9.onClick([this] { conDisc(ConnectStation3); });
    Command8.onClick([this] { conDisc(ConnectStation4); });
    Command15.onClick([this] { conDisc(ConnectStationx); });

    Command5.onClick([this] { CallHistory.setText(""); });
    Command12.onClick([this] { chooseBellFile(); });
    Command13.onClick([this] { sendBell(); });
    CallHistory.multiLine = true;
}

void Form3::connectLinkControlEvents() {
    EchoLink().DTMFString = [this](const std::string& sDigits) { EchoLink_DTMFString(sDigits); };
    EchoLink().connected = [this](const std::string& sCallConnected, const std::string& sName,
                                  const std::string& sAddr) { Echolink_connected(sCallConnected, sName, sAddr); };
    EchoLink().Disconnected = [this](const std::string& sCall) { Echolink_Disconnected(sCall); };
}
