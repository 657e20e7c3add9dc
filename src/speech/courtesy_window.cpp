#include "speech/courtesy_window.h"

#include "app/app.h"
#include "core/event_loop.h"
#include "core/step.h"
#include "echolink/echolink_app.h"
#include "speech/idents_window.h"

Form22::Form22(FormHost& host) : Form(host, "Form22") {
    // Handlers go in before the settings load, which raises them as an operator's edits would.
    wireSettings();
    wireButtons();
    declareLayout();
}

void Form22::load() {
    createEchoLink();
    EchoLink().RX = [this](bool bRX) { EchoLink_RX(bRX); };
    EchoLink().CarrierDetect = [this](bool bCD) { EchoLink_CarrierDetect(bCD); };
    EchoLink().Closing = [this] { EchoLink_Closing(); };
    setCaption(app().windowCaption("   MaroCurtesy"));
    loadSettings();
    // Repeater keying uses the idents window's PTT line from its first tick on, not this
    // window's designed choice until the idents window's 100 ms timer hands the choice over.
    if (app().exists("Form3")) (app().form3().RTS.value() ? UseRTS : UseDTR).setValue(true);
}

// Closing the frame ends the program; the end releases the transmitter and lines first.
void Form22::closeRequest() { app().endProgram(); }

void Form22::closingDuties() {
    step([&] { EchoLink().KeyTransmitter(false); });
    SaveData();
}

void Form22::EchoLink_Closing() { app().echoLinkClosing(); }
