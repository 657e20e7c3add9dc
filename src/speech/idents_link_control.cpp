// The link-control side of the idents window: its boxes are stored with the window's settings,
// so their input styles and derived countdowns are in place before the settings load. The
// stay-connected, notice, DTMF and silence behaviour is built by the link-control subsystem.
#include "core/step.h"
#include "core/text.h"
#include "speech/idents_window.h"

void Form3::wireLinkControl() {
    for (TextBox* call : {&ConnectStation1, &ConnectStation2, &ConnectStationx})
        call->onChange([call] { call->upperCase = true; });
    for (TextBox* number : {&HourOFF1, &MinsOFF1, &HourON1b, &MinsON1b, &HourOFF2, &MinsOFF2, &HourON2b,
                            &MinsON2b, &HourOFF3, &MinsOFF3, &HourON3b, &MinsON3b})
        number->onChange([number] { number->numberOnly = true; });
    BeaconPeriodx.onChange([this] {
        step([&] { BeaconPeriodx.numberOnly = true; });
        step([&] { BeaconSecondsx.setCaption(numberText(toDouble(BeaconPeriodx.text()) * 60)); });
    });
}

void Form3::connectLinkControlEvents() {}

void Form3::Timer2_Timer() {}

void Form3::Timer3_Timer() {}

void Form3::Timer5_Timer() {}

void Form3::Timer9_Timer() {}
