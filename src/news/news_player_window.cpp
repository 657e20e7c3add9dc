// The news player window: creation, settings file newsabc.ini, volume, time-box filters, closing.
#include "news/news_player_window.h"

#include "app/app.h"
#include "core/settings.h"
#include "core/settings_binding.h"
#include "core/step.h"
#include "core/text.h"
#include "echolink/echolink_app.h"
#include "news/news_download_window.h"
#include "player/player_window.h"
#include "weather/weather_window.h"

namespace {
constexpr const char* kSettingsFile = "newsabc.ini";
constexpr const char* kNews1 = "C:\\Program Files\\Marovane\\News1.mp3";
constexpr const char* kNews2 = "C:\\Program Files\\Marovane\\News2.mp3";
constexpr const char* kNews3 = "C:\\Program Files\\Marovane\\News3.mp3";
constexpr const char* kNews4 = "C:\\Program Files\\Marovane\\News4.mp3";
}  // namespace

Form24::Form24(FormHost& host) : Form(host, "Form24") {
    Play2nd.setToolTip("Add 2nd file to the end of Audio File 3");
    Command21.setToolTip("Play the selected audio file");
    Command15.setToolTip("Find and load a file ready to play");
    Command16.setToolTip("Show the Web & FTP Downloads Screen");
    wireHandlers();
    declareLayout();
}

Form24::FileSet Form24::fileSet(int n) {
    switch (n) {
    case 0:
        return {Option4, Option5, Option6, Text4x, Label15, Label16, Command3,
                {&Sun3, &Mon3, &Tue3, &Wed3, &Thur3, &Fri3, &Sat3}, &Hour3, &Mins3, &Hour33, &Mins33, &DTMFInfo3};
    case 1:
        return {Option1, Option2, Option3, Text5x, Label17, Label18, Command6,
                {&Sun2, &Mon2, &Tue2, &Wed2, &Thur2, &Fri2, &Sat2}, &Hour2, &Mins2, &Hour22, &Mins22, &DTMFInfo2};
    case 2:
        return {Option7, Option8, Option9, Text7x, Label19, Label20, Command12,
                {&Sun, &Mon, &Tue, &Wed, &Thur, &Fri, &Sat}, &Hour, &Mins, &Hour00, &Mins00, &DTMFInfo};
    default:
        return {Option10, Option11, Option12, Text8x, Label21, Label22, Command15,
                {nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr}, nullptr, nullptr, nullptr, nullptr,
                nullptr};
    }
}

void Form24::wireHandlers() {
    // The twelve time boxes take digits only; the style holds from the start so the load knows them.
    for (TextBox* box : {&Hour3, &Mins3, &Hour33, &Mins33, &Hour2, &Mins2, &Hour22, &Mins22, &Hour, &Mins, &Hour00,
                         &Mins00}) {
        box->numberOnly = true;
        box->onChange([box] { step([&] { box->numberOnly = true; }); });
    }
    V1.onChange([this] { V1_Change(); });

    Command1.onClick([this] { StartBulletin(0, Asker::Operator); });
    Command7.onClick([this] { StartBulletin(1, Asker::Operator); });
    Command13.onClick([this] { StartBulletin(2, Asker::Operator); });
    Command21.onClick([this] { StartBulletin(3, Asker::Operator); });
    Command3.onClick([this] { pickFile(Text4x); });
    Command6.onClick([this] { pickFile(Text5x); });
    Command12.onClick([this] { pickFile(Text7x); });
    Command15.onClick([this] { pickFile(Text8x); });
    Command4.onClick([this] { stopButton(true); });
    Command8.onClick([this] { stopButton(true); });
    Command9.onClick([this] { stopButton(false); });
    Command14.onClick([this] { stopButton(true); });
    Command20.onClick([this] { Text8x.setText(app().mapPath(kNews4)); });
    Command10.onClick([this] { WarnDisconnect(); });
    Command2.onClick([this] { speakOnAir(WarnEnd.text()); });
    Command17.onClick([this] { speakOnAir(WarnEndWX.text()); });
    Command18.onClick([this] { speakOnAir(WarnEndNewsWX.text()); });
    Command11.onClick([this] { app().form114().Show(); });
    Command16.onClick([this] { app().form13().Show(); });
    Command5.onClick([this] { SaveData(); });
    SaveAndExit.onClick([this] { Hide(); });
}

void Form24::load() {
    createEchoLink();
    EchoLink().DTMFString = [this](const std::string& sDigits) { EchoLink_DTMFString(sDigits); };
    EchoLink().Closing = [this] { EchoLink_Closing(); };
    setCaption(app().windowCaption("      News Player"));
    PTT.setCaption("PTT OFF");

    SettingsFile ini(host().settingsPath(kSettingsFile));
    loadOption(*this, ini, "OPTION1", Option1, "1");
    loadOption(*this, ini, "OPTION2", Option2, "0");
    loadOption(*this, ini, "OPTION3", Option3, "0");
    loadOption(*this, ini, "OPTION4", Option4, "1");
    loadOption(*this, ini, "OPTION5", Option5, "0");
    loadOption(*this, ini, "OPTION6", Option6, "0");
    loadOption(*this, ini, "OPTION7", Option7, "1");
    loadOption(*this, ini, "OPTION8", Option8, "0");
    loadOption(*this, ini, "OPTION9", Option9, "0");
    loadOption(*this, ini, "OPTION10", Option10, "1");
    loadOption(*this, ini, "OPTION11", Option11, "0");
    loadOption(*this, ini, "OPTION12", Option12, "0");
    storedFiles_[3] = loadPath(*this, ini, "Text8x", Text8x, kNews4);
    loadCheck(*this, ini, "CHECK1", Check1, "0");
    loadCheck(*this, ini, "PLAY2ND", Play2nd, "0");
    loadText(*this, ini, "WARNDISC", WarnDisc, "1 minute warning. Auto Disconnect for local news.");
    loadText(*this, ini, "WARNEND", WarnEnd, "End of local news. Link : On.");
    loadText(*this, ini, "WARNENDWX", WarnEndWX, "End of local weather. Link : On.");
    loadText(*this, ini, "WARNENDNEWSWX", WarnEndNewsWX, "End of local news and weather. Link : On.");
    loadCheck(*this, ini, "WARNCHECK", WarnCheck, "1");
    loadCheck(*this, ini, "DISCONNECTALL", DisconnectAll, "1");
    loadCheck(*this, ini, "LISTASBUSYCHECK", ListAsBusyCheck, "1");
    const char* dayKeys[3][7] = {{"SUN3", "MON3", "TUE3", "WED3", "THUR3", "FRI3", "SAT3"},
                                 {"SUN2", "MON2", "TUE2", "WED2", "THUR2", "FRI2", "SAT2"},
                                 {"SUN", "MON", "TUE", "WED", "THUR", "FRI", "SAT"}};
    const char* fileKeys[3] = {"Text4x", "Text5x", "Text7x"};
    const char* fileDefaults[3] = {kNews1, kNews2, kNews3};
    const char* timeKeys[3][4] = {{"HOUR3", "MINS3", "HOUR33", "MINS33"},
                                  {"HOUR2", "MINS2", "HOUR22", "MINS22"},
                                  {"HOUR", "MINS", "HOUR00", "MINS00"}};
    const char* dtmfKeys[3] = {"DTMFInfo3", "DTMFInfo2", "DTMFInfo"};
    const char* dtmfDefaults[3] = {"AA", "BB", "CC"};
    for (int n = 0; n < 3; ++n) {
        FileSet set = fileSet(n);
        storedFiles_[n] = loadPath(*this, ini, fileKeys[n], set.file, fileDefaults[n]);
        for (int d = 0; d < 7; ++d) loadCheck(*this, ini, dayKeys[n][d], *set.days[d], "0");
        loadText(*this, ini, timeKeys[n][0], *set.hour1, "24");
        loadText(*this, ini, timeKeys[n][1], *set.mins1, "00");
        loadText(*this, ini, timeKeys[n][2], *set.hour2, "24");
        loadText(*this, ini, timeKeys[n][3], *set.mins2, "00");
        loadText(*this, ini, dtmfKeys[n], *set.dtmf, dtmfDefaults[n]);
    }
    loadText(*this, ini, "VOLSET", VolSet, "0");
    loadPosition(*this, ini);

    ferrin = 0;
    ferrin2 = 3;
    Play2ndFile = 0;

    // The news volume: anything the slider cannot take keeps the slider's value, and the box says so.
    if (!sliderFromText(*this, kSettingsFile, "VOLSET", VolSet, V1)) VolSet.setText(std::to_string(V1.value()));
    for (int n = 0; n < 4; ++n) showTypeOf(fileSet(n));
}

void Form24::SaveData() {
    SettingsFile ini(host().settingsPath(kSettingsFile));
    for (auto [key, option] : {std::pair{"OPTION1", &Option1}, {"OPTION2", &Option2}, {"OPTION3", &Option3},
                               {"OPTION4", &Option4}, {"OPTION5", &Option5}, {"OPTION6", &Option6},
                               {"OPTION7", &Option7}, {"OPTION8", &Option8}, {"OPTION9", &Option9},
                               {"OPTION10", &Option10}, {"OPTION11", &Option11}, {"OPTION12", &Option12}})
        saveOption(ini, key, *option);
    savePath(ini, "Text8x", Text8x, storedFiles_[3]);
    saveCheck(ini, "CHECK1", Check1);
    saveCheck(ini, "PLAY2ND", Play2nd);
    saveText(ini, "WARNDISC", WarnDisc);
    saveText(ini, "WARNEND", WarnEnd);
    saveText(ini, "WARNENDWX", WarnEndWX);
    saveText(ini, "WARNENDNEWSWX", WarnEndNewsWX);
    saveCheck(ini, "WARNCHECK", WarnCheck);
    saveCheck(ini, "DISCONNECTALL", DisconnectAll);
    saveCheck(ini, "LISTASBUSYCHECK", ListAsBusyCheck);
    const char* dayKeys[3][7] = {{"SUN3", "MON3", "TUE3", "WED3", "THUR3", "FRI3", "SAT3"},
                                 {"SUN2", "MON2", "TUE2", "WED2", "THUR2", "FRI2", "SAT2"},
                                 {"SUN", "MON", "TUE", "WED", "THUR", "FRI", "SAT"}};
    const char* fileKeys[3] = {"Text4x", "Text5x", "Text7x"};
    const char* timeKeys[3][4] = {{"HOUR3", "MINS3", "HOUR33", "MINS33"},
                                  {"HOUR2", "MINS2", "HOUR22", "MINS22"},
                                  {"HOUR", "MINS", "HOUR00", "MINS00"}};
    const char* dtmfKeys[3] = {"DTMFINFO3", "DTMFINFO2", "DTMFINFO"};
    for (int n = 0; n < 3; ++n) {
        FileSet set = fileSet(n);
        savePath(ini, fileKeys[n], set.file, storedFiles_[n]);
        for (int d = 0; d < 7; ++d) saveCheck(ini, dayKeys[n][d], *set.days[d]);
        saveText(ini, timeKeys[n][0], *set.hour1);
        saveText(ini, timeKeys[n][1], *set.mins1);
        saveText(ini, timeKeys[n][2], *set.hour2);
        saveText(ini, timeKeys[n][3], *set.mins2);
        saveText(ini, dtmfKeys[n], *set.dtmf);
    }
    saveText(ini, "VOLSET", VolSet);
    savePosition(ini, *this);
    saveOrLog(*this, ini);
}

void Form24::V1_Change() {
    step([&] { app().form1().V1.setValue(V1.value()); });
    step([&] { VolSet.setText(std::to_string(V1.value())); });
}

// Closing the frame: the transmitter and the busy listing are released and the program ends,
// without saving any window.
void Form24::closeRequest() {
    step([&] { EchoLink().KeyTransmitter(false); });
    step([&] { EchoLink().Busy(false); });
    app().endProgram();
}

// EchoLink closing: this window saves nothing; it only lets go of the transmitter.
void Form24::closingDuties() { step([&] { EchoLink().KeyTransmitter(false); }); }

void Form24::EchoLink_Closing() { app().echoLinkClosing(); }
