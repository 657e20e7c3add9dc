#include "nets/net_set2_window.h"

#include "app/app.h"
#include "core/step.h"
#include "echolink/echolink_app.h"
#include "shell/single_instance.h"

Form117::Form117(FormHost& host) : Form(host, "Form117") {
    for (TextBox* box : {&NetCall1, &NetCall2, &NetCall3, &NetCall4, &NetCall5})
        box->setToolTip("Enter NET Callsign ... Tip = For no connections to be made enter the Word \"LOCAL\".");
    for (CheckBox* box : {&DisconnectAll1, &DisconnectAll2, &DisconnectAll4})
        box->setToolTip("Disconnect All Connected Stations At The Time Of Net");
    for (TextBox* box : {&DiscMins1, &DiscMins2, &DiscMins3, &DiscMins4, &DiscMins5})
        box->setToolTip("Disconnect Net Callsign after xx Minutes");
    for (CheckBox* box : {&Check3, &Check2, &Check11, &Check20, &Check6})
        box->setToolTip("Use Disconnect Net Callsign after");
    Command2.setToolTip("Save your data");
    Command1.setToolTip("Hide this screen");

    // The weekly slots' boxes filter typing from the first keystroke; the dated slot's boxes take
    // any characters up to their length.
    for (TextBox* box : {&Hour, &Hour2, &Hour3, &Hour4, &Mins, &Mins2, &Mins3, &Mins4, &Hour5, &Mins5})
        box->maxLength = 2;
    Text3.maxLength = 10;
    for (TextBox* box : {&Hour, &Hour2, &Hour3, &Hour4, &Mins, &Mins2, &Mins3, &Mins4, &DiscMins1, &DiscMins2,
                         &DiscMins3, &DiscMins4})
        box->numberOnly = true;
    for (TextBox* box : {&NetCall1, &NetCall2, &NetCall3, &NetCall4}) box->upperCase = true;

    // In place before the settings are read: the load sets the seconds left through them.
    TextBox* minutes[] = {&DiscMins1, &DiscMins2, &DiscMins3, &DiscMins4};
    for (int n = 0; n < 4; ++n) {
        minutes[n]->onChange([this, n] {
            std::array<nets::NetSlot, 4> slots = weeklySlots();
            nets::minutesRule(slots[n]);
        });
    }
    Command1.onClick([this] { Hide(); });
    Command2.onClick([this] { SaveData(); });
    declareLayout();
}

void Form117::load() {
    // A second copy would fight the first over the transmitter: it ends before doing anything.
    if (anotherCopyRunning(app())) app().endProgram();
    createEchoLink();
    setCaption(app().windowCaption(kCaptionSuffix));
    step([&] { EchoLink().KeyTransmitter(false); });
    loadSettings();
    // Nothing of a net survives the window: its countdowns start only with a net.
    for (Timer* t : {&Timer3, &Timer4, &Timer5, &Timer6, &Timer7}) t->disable();
}

bool Form117::netRunning() const {
    for (const Timer* t : {&Timer3, &Timer4, &Timer5, &Timer6, &Timer7})
        if (t->enabled()) return true;
    for (const CheckBox* flag : {&Check15, &Check17, &Check19, &Check22})
        if (flag->value() == 1) return true;
    return false;
}

void Form117::closeRequest() {
    if (!netRunning()) {
        unload();
        return;
    }
    closePending_ = true;
    Hide();
}

// A window closed during a net goes once that net is over, unless the operator opened it again.
void Form117::unloadIfClosedAndIdle() {
    if (closePending_ && !visible() && !netRunning()) unload();
}

nets::NetSet Form117::netSet() { return {*this, Auto1, Auto2, RFBusy}; }

std::array<nets::NetSlot, 4> Form117::weeklySlots() {
    return nets::weeklySlots(*this, name(), nullptr, nullptr, nullptr, nullptr);
}

nets::NetSlot Form117::datedSlot() {
    return {name() + ".5", {}, &Text3, Hour5, Mins5, NetCall5, DisconnectAll5, ShowBusy5, Check25, Check26,
            &Check1, true, Check6, DiscMins5, DiscPeriod5, Timer7, false, false};
}
