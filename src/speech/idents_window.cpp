#include "speech/idents_window.h"

#include "app/app.h"
#include "core/settings_binding.h"
#include "core/step.h"
#include "core/text.h"
#include "echolink/echolink_app.h"
#include "platform/dialogs.h"
#include "shell/single_instance.h"

Form3::Form3(FormHost& host) : Form(host, "Form3") {
    // Handlers go in before the settings load, which raises them as an operator's edits would.
    wireSpeech();
    wireSpeakNow();
    wireIdents();
    wireAnnouncements();
    wireControlLines();
    wireLinkControl();
    for (CommandButton* save : {&SaveDataNow, &Command6, &Command14, &Command11})
        save->onClick([this] { SaveData(); });
    for (CommandButton* hide : {&Exit, &Command4, &Command7, &Command10, &Command16})
        hide->onClick([this] { Hide(); });
    declareLayout();
}

void Form3::load() {
    // A second copy would fight the first over the transmitter: it ends before doing anything.
    if (anotherCopyRunning(app())) app().endProgram();
    createEchoLink();
    EchoLink().RX = [this](bool bRX) { EchoLink_RX(bRX); };
    EchoLink().Closing = [this] { EchoLink_Closing(); };
    connectLinkControlEvents();
    setCaption(app().windowCaption("       Idents"));
    loadSettings();
    DelaySeconds.setCaption(DelayPeriod.text());
    CWIdentPending = "0";
    flag2 = 0;
    flag3 = 0;
    flagtime = 0;
    StopTTS = 0;
    ferrin = 0;
    sliderFromText(*this, kSettingsFile, "VOLSET", VolSet, V1);
    step([&] { app().speech().setRate(VoiceSpeed.value()); });
    step([&] { app().speech().setVolume(VolLev.value()); });
}

void Form3::closeRequest() {
    const MsgAnswer answer = app().dialogs().messageBox(
        "Exit Program", "Quit MaroTTS - Are You Sure ? Remember To Save Any Changes  ", MsgButtons::YesNo,
        MsgIcon::Question);
    if (answer != MsgAnswer::Yes) return;
    step([&] { EchoLink().KeyTransmitter(false); });
    step([&] { EchoLink().RTSLine(false); });
    step([&] { EchoLink().DTRLine(false); });
    app().endProgram();
}

// DTR before RTS here; the quit prompt releases them the other way round.
void Form3::closingDuties() {
    step([&] { EchoLink().KeyTransmitter(false); });
    step([&] { EchoLink().DTRLine(false); });
    step([&] { EchoLink().RTSLine(false); });
}

void Form3::EchoLink_Closing() { app().echoLinkClosing(); }

bool Form3::linkActive() { return EchoLink().LinkBusy(); }

bool Form3::linkActiveOrKeyed() { return EchoLink().LinkBusy() || PTT.caption() == "PTT ON"; }
