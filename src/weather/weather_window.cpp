#include "weather/weather_window.h"

#include "app/app.h"
#include "core/settings.h"
#include "core/settings_binding.h"
#include "core/step.h"
#include "echolink/echolink_app.h"
#include "platform/dialogs.h"
#include "player/player_window.h"
#include "weather/forecast_parser_window.h"
#include "weather/full_warning_window.h"
#include "weather/weather_requests.h"

namespace {
constexpr int kWidthPaneHidden = 5785;
constexpr int kWidthPaneShown = 8440;
constexpr const char* kSettingsFile = "abcweather.ini";
}  // namespace

Form114::Form114(FormHost& host) : Form(host, "Form114", "Weather") {
    for (int k = 1; k <= 10; ++k) {
        TextRep.push_back(std::make_unique<TextBox>(*this, "TextRep" + std::to_string(k), "", &ChangerPane));
        TextRepB.push_back(std::make_unique<TextBox>(*this, "TextRep" + std::to_string(k) + "b", "", &ChangerPane));
    }
    ChangerPane.setVisible(false);
    Option4.setToolTip("Add the time stamp the weather information was sampled");
    Option5.setToolTip("Add the Local time. 24 hour format Only");
    Option6.setToolTip("Do not add the time");
    DTMFCon.setToolTip("DTMP For Contiotions");
    PlayTemp.setToolTip("DTMF for Temp");
    Command7.setToolTip("Stop message that is playing");
    wireHandlers();
    declareLayout();
}

void Form114::wireHandlers() {
    Command1.onClick([this] { SaveData(); });
    Command2.onClick([this] { Hide(); });
    for (CommandButton* b : {&Command7, &Command15, &Command16}) b->onClick([this] { stopMessage(); });
    Command14.onClick([this] { toggleChanger(Command14); });
    Command17.onClick([this] { toggleChanger(Command17); });
    Command13.onClick([this] { app().form122().Show(); });
    GetcsvFile.onClick([this] { pickFile(WhereIsFile, "*.csv|*.csv", " You must select an csv file", nullptr); });
    Command5.onClick([this] {
        pickFile(WhereIsFile2, "*.txt|*.txt", " You must select an audio file", &app().form115().WhereIsFile2);
    });
    Command6.onClick([this] { pickFile(WhereIsFile3, "*.txt|*.txt", " You must select a txt file", nullptr); });

    cmdParse.onClick([this] { reportButton(Report::Conditions); });
    Command3.onClick([this] { reportButton(Report::Temperature); });
    Command4.onClick([this] { reportButton(Report::Forecast); });
    Command11.onClick([this] { reportButton(Report::ShortWarning); });
    Command8.onClick([this] { reportButton(Report::LongWarning); });
    Command12.onClick([this] { reportButton(Report::Summary); });

    // The period handlers are in place before the settings are read, which runs them.
    for (TextBox* period : {&BeaconPeriod1, &BeaconPeriod2, &BeaconPeriod3, &BeaconPeriod4}) period->numberOnly = true;
    BeaconPeriod1.onChange([this] { periodChanged(BeaconPeriod1, BeaconSeconds1, Beacon1, false); });
    BeaconPeriod2.onChange([this] { periodChanged(BeaconPeriod2, BeaconSeconds2, Beacon2, false); });
    BeaconPeriod3.onChange([this] { periodChanged(BeaconPeriod3, BeaconSeconds3, Beacon3, true); });
    BeaconPeriod4.onChange([this] { periodChanged(BeaconPeriod4, BeaconSeconds4, Beacon4, false); });
}

void Form114::load() {
    createEchoLink();
    EchoLink().DTMFString = [this](const std::string& sDigits) { EchoLink_DTMFString(sDigits); };
    setCaption(app().windowCaption("      Weather"));

    SettingsFile ini(host().settingsPath(kSettingsFile));
    loadCheck(*this, ini, "CHECK3", Check3, "0");
    loadOption(*this, ini, "Option1", Option1, "1");
    loadOption(*this, ini, "Option2", Option2, "0");
    loadOption(*this, ini, "Option3", Option3, "0");
    loadOption(*this, ini, "Option4", Option4, "0");
    loadOption(*this, ini, "Option5", Option5, "0");
    loadOption(*this, ini, "Option6", Option6, "1");
    loadCheck(*this, ini, "CHECK6", Check6, "0");
    loadText(*this, ini, "TEXT9", Text9,
             "Tune to your local W X station for information or enter DTMF star star 3 for warning report");
    loadText(*this, ini, "DTMFCON", DTMFCon, "**1");
    loadText(*this, ini, "DTMFFOR", DTMFFor, "**2");
    loadText(*this, ini, "DTMFWARN", DTMFWarn, "**3");
    loadText(*this, ini, "DTMFLONGWARN", DTMFLongWarn, "**5");
    loadText(*this, ini, "PLAYTEMP", PlayTemp, "55*");
    loadText(*this, ini, "DTMFSUM", DTMFSum, "**4");
    loadText(*this, ini, "BEACONPERIOD1", BeaconPeriod1, "15");
    loadText(*this, ini, "BEACONPERIOD2", BeaconPeriod2, "15");
    loadText(*this, ini, "BEACONPERIOD3", BeaconPeriod3, "15");
    loadText(*this, ini, "BEACONPERIOD4", BeaconPeriod4, "5");
    loadCheck(*this, ini, "STOPCLOCK1", StopClock1, "0");
    loadCheck(*this, ini, "STOPCLOCK2", StopClock2, "0");
    loadCheck(*this, ini, "STOPCLOCK3", StopClock3, "0");
    loadCheck(*this, ini, "STOPCLOCK4", StopClock4, "0");
    loadCheck(*this, ini, "CHECK1", Check1, "0");
    loadText(*this, ini, "STARTMESSAGE", StartMessage, "The local weather conditions ");
    loadText(*this, ini, "ENDMESSAGE", EndMessage, "EchoLink node. Link : On");
    loadText(*this, ini, "STARTMESSAGE2", StartMessage2, "The local weather forecast for ");
    loadText(*this, ini, "ENDMESSAGE2", EndMessage2, "EchoLink node. Link : On");
    loadText(*this, ini, "STARTMESSAGE3", StartMessage3, "The local weather warning ");
    loadText(*this, ini, "ENDMESSAGE3", EndMessage3, "EchoLink node. Link : On");
    storedFiles_[0] = loadPath(*this, ini, "WHEREISFILE", WhereIsFile, "c:\\wxex\\csv\\data.csv");
    storedFiles_[1] = loadPath(*this, ini, "WHEREISFILE2", WhereIsFile2, "C:\\wxex\\data\\metar.txt");
    storedFiles_[2] = loadPath(*this, ini, "WHEREISFILE3", WhereIsFile3, "C:\\wxex\\data\\warning.txt");
    loadOption(*this, ini, "F", F, "1");
    loadOption(*this, ini, "C", C, "0");
    loadOption(*this, ini, "CELS", Cels, "0");
    loadOption(*this, ini, "MPH", mph, "1");
    loadOption(*this, ini, "KM_HR", km_hr, "0");
    loadOption(*this, ini, "INHG", inHg, "1");
    loadOption(*this, ini, "MB", mb, "0");
    loadOption(*this, ini, "HPA", hPa, "0");
    loadCheck(*this, ini, "CHECK2", Check2, "0");
    for (int k = 1; k <= 10; ++k)
        loadText(*this, ini, "TextRep" + std::to_string(k), *TextRep[static_cast<size_t>(k - 1)],
                 k == 1 ? "T-Storms" : "");
    for (int k = 1; k <= 10; ++k)
        loadText(*this, ini, "TextRep" + std::to_string(k) + "b", *TextRepB[static_cast<size_t>(k - 1)],
                 k == 1 ? "Thunder Storms" : "");
    loadPosition(*this, ini);

    // A period read equal to the box's design text does not change the box; run the handlers
    // anyway so that every countdown starts from its period, not from the design label.
    periodChanged(BeaconPeriod1, BeaconSeconds1, Beacon1, false);
    periodChanged(BeaconPeriod2, BeaconSeconds2, Beacon2, false);
    periodChanged(BeaconPeriod3, BeaconSeconds3, Beacon3, true);
    periodChanged(BeaconPeriod4, BeaconSeconds4, Beacon4, false);

    Text1.locked = true;
    Text3.locked = true;
    Width = kWidthPaneHidden;
    Timer1_Timer();
}

void Form114::SaveData() {
    SettingsFile ini(host().settingsPath(kSettingsFile));
    saveCheck(ini, "CHECK3", Check3);
    saveOption(ini, "Option1", Option1);
    saveOption(ini, "Option2", Option2);
    saveOption(ini, "Option3", Option3);
    saveOption(ini, "Option4", Option4);
    saveOption(ini, "Option5", Option5);
    saveOption(ini, "Option6", Option6);
    saveCheck(ini, "CHECK6", Check6);
    saveText(ini, "TEXT9", Text9);
    saveText(ini, "DTMFCON", DTMFCon);
    saveText(ini, "PLAYTEMP", PlayTemp);
    saveText(ini, "DTMFFOR", DTMFFor);
    saveText(ini, "DTMFWARN", DTMFWarn);
    saveText(ini, "DTMFLONGWARN", DTMFLongWarn);
    saveText(ini, "DTMFSUM", DTMFSum);
    saveText(ini, "BEACONPERIOD1", BeaconPeriod1);
    saveText(ini, "BEACONPERIOD2", BeaconPeriod2);
    saveText(ini, "BEACONPERIOD3", BeaconPeriod3);
    saveText(ini, "BEACONPERIOD4", BeaconPeriod4);
    saveCheck(ini, "STOPCLOCK1", StopClock1);
    saveCheck(ini, "STOPCLOCK2", StopClock2);
    saveCheck(ini, "STOPCLOCK3", StopClock3);
    saveCheck(ini, "STOPCLOCK4", StopClock4);
    saveCheck(ini, "CHECK1", Check1);
    saveText(ini, "STARTMESSAGE", StartMessage);
    saveText(ini, "ENDMESSAGE", EndMessage);
    saveText(ini, "STARTMESSAGE2", StartMessage2);
    saveText(ini, "ENDMESSAGE2", EndMessage2);
    saveText(ini, "STARTMESSAGE3", StartMessage3);
    saveText(ini, "ENDMESSAGE3", EndMessage3);
    savePath(ini, "WHEREISFILE", WhereIsFile, storedFiles_[0]);
    savePath(ini, "WHEREISFILE2", WhereIsFile2, storedFiles_[1]);
    savePath(ini, "WHEREISFILE3", WhereIsFile3, storedFiles_[2]);
    saveOption(ini, "F", F);
    saveOption(ini, "C", C);
    saveOption(ini, "CELS", Cels);
    saveOption(ini, "MPH", mph);
    saveOption(ini, "KM_HR", km_hr);
    saveOption(ini, "INHG", inHg);
    saveOption(ini, "MB", mb);
    saveOption(ini, "HPA", hPa);
    saveCheck(ini, "CHECK2", Check2);
    for (int k = 1; k <= 10; ++k) saveText(ini, "TextRep" + std::to_string(k), *TextRep[static_cast<size_t>(k - 1)]);
    for (int k = 1; k <= 10; ++k)
        saveText(ini, "TextRep" + std::to_string(k) + "b", *TextRepB[static_cast<size_t>(k - 1)]);
    savePosition(ini, *this);
    saveOrLog(*this, ini);
}

void Form114::stopMessage() {
    step([&] { app().form1().StopOnRequest(); });
    try {
        EchoLink().Busy(false);
    } catch (const std::exception& e) {
        LogError(std::string(e.what()) + " <-- Weather: the node could not be set not busy ");
    }
}

void Form114::toggleChanger(CommandButton& button) {
    const bool open = button.caption() == "Text Changer";
    button.setCaption(open ? "Hide Changer" : "Text Changer");
    ChangerPane.setVisible(open);
    Width = open ? kWidthPaneShown : kWidthPaneHidden;
    host().formChanged(*this);
}

void Form114::pickFile(TextBox& box, const char* filter, const char* noFileText, TextBox* alsoInto) {
    const std::string name = pickedFileName(app().dialogs(), box.text(), filter, box.text());
    if (name.empty()) {
        app().dialogs().messageBox("Error No File selected", noFileText, MsgButtons::Ok, MsgIcon::Information);
        return;
    }
    box.setText(name);
    if (alsoInto) alsoInto->setText(name);
}

void Form114::warningFileMissing(const std::string& path) {
    if (weather::operatorIsAsking())
        app().dialogs().messageBox(App::kProductName, "File Not Found. Please check and try again");
    if (warningMissingLogged_ == path) return;
    warningMissingLogged_ = path;
    LogError(path + " <-- Weather warning file not found; no warning is taken to be in force ");
}

void Form114::warningFileFound() { warningMissingLogged_.clear(); }
