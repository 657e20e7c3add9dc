#include "speech/courtesy_window.h"

#include "app/app.h"
#include "core/event_loop.h"
#include "core/step.h"
#include "echolink/echolink_app.h"

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
}

// Closing the frame ends the program; the end releases the transmitter and lines first.
void Form22::closeRequest() { app().endProgram(); }

void Form22::closingDuties() {
    step([&] { EchoLink().KeyTransmitter(false); });
    SaveData();
}

void Form22::EchoLink_Closing() { app().echoLinkClosing(); }
