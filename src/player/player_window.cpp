#include "player/player_window.h"

#include "app/app.h"
#include "core/step.h"
#include "echolink/echolink_app.h"
#include "player/cross_window.h"

using namespace player_detail;

Form1::Form1(FormHost& host) : Form(host, "Form1") {
    wireGraphControls();
    wireBreakControls();
    wireButtons();
    declareLayout();
}

Form1::~Form1() = default;

// Creation: the window's EchoLink object, caption, transmit state, settings, sliders, labels.
void Form1::load() {
    createEchoLink();
    setCaption(app().windowCaption("   Player Utils"));
    Beacon8.disable();
    PTT.setForeColor(kGreen);
    PTT.setCaption("PTT OFF");
    readSettings();
    // The break timers run only while a file plays (TXFile starts them): whatever the loaded
    // periods' handlers switched, the creation ends with both stopped.
    Beacon8.disable();
    Timer4.disable();
    Label1.setCaption("0");
    Label2.setCaption("0");
    Label3.setCaption("0");
    ferrin = 0;
    TempDelay = 0;
    Timer5.disable();
}

// Closing the frame saves this window only and ends the program.
void Form1::closeRequest() {
    SaveData();
    app().endProgram();
}

void Form1::wireButtons() {
    Command9.onClick([this] {
        StopOnRequest();
        step([&] { EchoLink().Busy(false); });
    });
    Command11.onClick([this] { SaveData(); });
    SaveIt.onClick([this] { SaveData(); });
    Command10.onClick([this] { Hide(); });
    Command3.onClick([this] {
        OperatorAsks asking(*this);
        TempVolSet.setText(VolSet.text());
        TXFile();
    });
    Command4.onClick([this] {
        OperatorAsks asking(*this);
        txtFile.setText("");
        LoadFile(true);
    });
    Command2.onClick([this] {
        step([&] { Beacon8.disable(); });
        step([&] { stopGraph(); });   // the transmitter is left to the PTT driver
    });
    Command5.onClick([this] {
        step([&] { Beacon8.enable(); });
        step([&] { runGraph(); });
    });
    Command1.onClick([this] { txtFile.setText(app().mapPath("C:\\Program Files\\Marovane\\News1.mp3")); });
    Command6.onClick([this] { Timer4.enable(); });
    Command7.onClick([this] { EchoLink().KeyTransmitter(false); });
    Command8.onClick([this] { EchoLink().KeyTransmitter(true); });
}

AudioFormat Form1::SpeechWavFormat() const {
    struct Choice {
        const OptionButton* option;
        AudioFormat format;
    };
    const Choice choices[] = {
        {&Option1, {8000, 8, 1}},   {&Option2, {16000, 16, 1}}, {&Option3, {22050, 16, 1}},
        {&Option4, {32000, 16, 1}}, {&Option5, {48000, 8, 1}},  {&Option6, {48000, 16, 1}},
        {&Option7, {16000, 16, 2}}, {&Option8, {11025, 16, 1}}, {&Option9, {11025, 16, 2}},
    };
    for (const auto& c : choices)
        if (c.option->value()) return c.format;
    return AudioFormat{};
}
