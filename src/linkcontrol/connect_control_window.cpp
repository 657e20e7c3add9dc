#include "linkcontrol/connect_control_window.h"

#include "app/app.h"
#include "echolink/echolink_app.h"
#include "shell/single_instance.h"

namespace {
const std::string kNotListedBusy = "0";
}

Form4::Form4(FormHost& host) : Form(host, "Form4") {
    Label49.setVisible(false);
    Check15.setVisible(false);
    Check17.setVisible(false);
    Check19.setVisible(false);
    Check22.setVisible(false);
    Text1x.setToolTip("Enter Call");
    Check10.setToolTip("Dsconnect All when DTMF sent");
    Check12.setToolTip("Show busy when active");
    DelayPeriod.setToolTip("Disconnect Minutes");
    DelayCTRL.setToolTip("Indcator when in use");
    BeaconPeriod.setToolTip("Re-Enable Minutes");
    LastConnected.setToolTip("Last Call Connected");
    Command23.setToolTip("Test Disconnection Selection");
    Command24.setToolTip("Test Disconnection Selection");
    Command1.setToolTip("Select Pre Set Profiles and Beacons");
    for (TextBox* box : {&Call1, &Call2, &Call3, &Call4, &Call5, &Call6, &Call7, &Call8}) box->setToolTip("Enter Call");
    for (TextBox* box : {&DTMF1, &DTMF2, &DTMF3, &DTMF4, &DTMF5, &DTMF6, &DTMF7, &DTMF8})
        box->setToolTip("Enter DTMF to Con/Disc Call");
    for (TextBox* box : {&GroupCall1, &GroupCall2, &GroupCall3, &GroupCall4, &GroupCall5, &GroupCall6})
        box->setToolTip("Enter Group Call");
    for (CommandButton* b : {&Command7, &Command8, &Command9, &Command10, &Command11, &Command12, &Command13, &Command15})
        b->setToolTip("Connect / Disconnect Selected Callsign");
    for (CommandButton* b : {&Command3, &Command5}) b->setToolTip("Test Connection Selection");
    for (CommandButton* b : {&Command4, &Command6}) b->setToolTip("Test Disconnection Selection");
    for (TextBox* box : {&DiscMins1, &DiscMins2, &DiscMins3, &DiscMins4})
        box->setToolTip("Disconnect Net Callsign after xx Minutes");
    for (CheckBox* box : {&Check3, &Check2, &Check11, &Check20}) box->setToolTip("Use Disconnect Net Callsign after");
    for (CheckBox* box : {&Check23, &Check24, &Check25, &Check26}) box->setToolTip("Put your node into Listen Only mode");
    for (TextBox* box : {&Hour, &Hour2, &Hour3, &Hour4, &Mins, &Mins2, &Mins3, &Mins4}) box->maxLength = 2;

    // The input filters act from the first keystroke on.
    for (TextBox* box : {&BeaconPeriod, &BeaconPeriod17, &DelayPeriod, &DTMFDelaySeconds, &DiscMins1, &DiscMins2,
                         &DiscMins3, &DiscMins4, &Hour, &Hour2, &Hour3, &Hour4, &Mins, &Mins2, &Mins3, &Mins4})
        box->numberOnly = true;
    for (TextBox* box : {&Call1, &Call2, &Call3, &Call4, &Call5, &Call6, &Call7, &Call8, &NetCall1, &NetCall2,
                         &NetCall3, &NetCall4, &Text1x, &Text5, &Connect1, &GroupCall1, &GroupCall2, &GroupCall3,
                         &GroupCall4, &GroupCall5, &GroupCall6})
        box->upperCase = true;

    // The change handlers must be in place before the settings are read: the load relies on them
    // for the countdown labels and for turning an empty period into its number.
    wireChangeHandlers();
    wireButtons();
    wireNets();
    declareLayout();
}

void Form4::load() {
    // A second copy would fight the first over the transmitter: it ends before doing anything.
    if (anotherCopyRunning(app())) app().endProgram();
    createEchoLink();
    EchoLink().DTMFString = [this](const std::string& digits) { EchoLink_DTMFString(digits); };
    EchoLink().connected = [this](const std::string& call, const std::string& name, const std::string& addr) {
        Echolink_connected(call, name, addr);
    };
    EchoLink().Closing = [this] { EchoLink_Closing(); };
    setCaption(app().windowCaption(kCaptionSuffix));
    endsOnFailure("Form4 start-up: transmitter release", [&] { EchoLink().KeyTransmitter(false); });
    loadSettings();
    // The end-of-net countdowns never survive a restart.
    Timer3.disable();
    Timer4.disable();
    Timer5.disable();
    Timer6.disable();
    ListBusy = kNotListedBusy;
    reloadTimedCountdown();
}

void Form4::closeRequest() {
    const MsgAnswer answer = app().dialogs().messageBox(
        "Exit Program", "Quit MaroTTS - Are You Sure ? Remember To Save Any Changes  ", MsgButtons::YesNo,
        MsgIcon::Question);
    if (answer == MsgAnswer::Yes) releaseAndEnd();
}

void Form4::EchoLink_Closing() { app().echoLinkClosing(); }

// The transmitter and the busy listing are released so the node is not left keyed or listed busy
// by a program that is gone. Nothing is saved.
void Form4::closingDuties() {
    step([&] { EchoLink().KeyTransmitter(false); });
    step([&] { EchoLink().Busy(false); });
}

void Form4::releaseAndEnd() {
    closingDuties();
    app().endProgram();
}

