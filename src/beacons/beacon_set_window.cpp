// Creation of a beacon-set window and its settings file.
#include "beacons/beacon_set_window.h"

#include "app/app.h"
#include "core/settings.h"
#include "core/settings_binding.h"

namespace {
constexpr const char* kDefaultBeaconText = "Enter your beacon text here";
constexpr const char* kSlotTip = "Beacon Text put here or the File Location for  .txt  . wav  .mp3";
}  // namespace

BeaconSetWindow::BeaconSetWindow(FormHost& host, std::string name, const SetTraits& traits)
    : Form(host, std::move(name)), traits_(traits) {
    slots_ = {&Text1,  &Text2,  &Text3,  &Text4,  &Text5,  &Text6,  &Text7,  &Text8,  &Text9,  &Text10, &Text11,
              &Text12, &Text13, &Text14, &Text15, &Text16, &Text17, &Text18, &Text19, &Text20, &Text21};
    options_ = {&Option1,  &Option2,  &Option3,  &Option4,  &Option5,  &Option6,  &Option7,
                &Option8,  &Option9,  &Option10, &Option11, &Option12, &Option13, &Option14,
                &Option15, &Option16, &Option17, &Option18, &Option19, &Option20};
    tests_ = {&Command61, &Command59, &Command57, &Command55, &Command53, &Command51, &Command23,
              &Command21, &Command29, &Command28, &Command27, &Command26, &Command25, &Command24,
              &Command7,  &Command8,  &Command9,  &Command10, &Command6,  &Command12, &Command4};
    pickers_ = {&Command30, &Command31, &Command32, &Command33, &Command34, &Command35, &Command36,
                &Command37, &Command38, &Command39, &Command40, &Command41, &Command42, &Command43,
                &Command44, &Command45, &Command46, &Command47, &Command48, &Command49, &Command16};

    for (int k = 1; k <= 20; ++k) {
        slot(k).setToolTip(kSlotTip);
        slotOption(k).setToolTip("Selected Beacon");
        testButton(k).setToolTip("Test Beacon Text");
    }
    for (int k = 1; k <= 21; ++k) pickerButton(k).setToolTip("Search for File  MP3 WAV or Text File");
    Text21.setToolTip("Enter Beacon Text");
    Command4.setToolTip("Test Extra Beacon Text");
    MaxRand.setToolTip("Maximum 20");
    BeaconPeriod1.setToolTip("Enter Beacon Time in Minutes");
    StopClock1.setToolTip("Use Extra Beacon");
    for (CheckBox* info : {&InfoHourly, &InfoQuarter, &InfoHalf})
        info->setToolTip("TX Info Text. See Maro Idents to Enter Text.");
    Command5.setToolTip("Stop Beacon Transmission when Playing");
    Command1.setToolTip("Save Changed Data");
    Command2.setToolTip("Hide THis Screen");
    Command3.setToolTip("Show Idents Screen to Set Timed Beacons");
    Label5.setVisible(false);
    Label6.setVisible(false);
    Text24.setVisible(false);
    declareLayout();

    for (TextBox* box : {&BeaconPeriod1, &Text22, &Text23, &MaxRand}) box->numberOnly = true;
    BeaconPeriod1.onChange([this] { BeaconPeriod1_Change(); });
    Text22.onChange([this] { serialRange_Change(Text22); });
    Text23.onChange([this] { serialRange_Change(Text23); });
    MaxRand.onChange([this] { step([&] { MaxRand.numberOnly = true; }); });
    wireCommands();
}

void BeaconSetWindow::load() {
    createEchoLink();
    setCaption(app().windowCaption(traits_.captionSuffix));
    random_.seed(static_cast<std::uint32_t>(now()) + static_cast<std::uint32_t>(traits_.number));

    const SettingsFile ini(host().settingsPath(traits_.settingsFile));
    loadOwnKeys(ini);
    loadOption(*this, ini, "SERIAL", Serial, "0");
    loadCheck(*this, ini, "INFOHOURLY", InfoHourly, "0");
    loadCheck(*this, ini, "INFOQUATER", InfoQuarter, "0");
    loadCheck(*this, ini, "INFOHALF", InfoHalf, "0");
    for (int k = 1; k <= 21; ++k)
        loadText(*this, ini, "TEXT" + std::to_string(k), slot(k), (k == 1 || k == 21) ? kDefaultBeaconText : "");
    loadText(*this, ini, "TEXT22", Text22, "1");
    loadText(*this, ini, "TEXT23", Text23, "1");
    loadText(*this, ini, "BEACONPERIOD1", BeaconPeriod1, "15");
    for (int k = 1; k <= 20; ++k) loadOption(*this, ini, "OPTION" + std::to_string(k), slotOption(k), k == 1 ? "1" : "0");
    loadOption(*this, ini, "STOPCLOCK0", StopClock0, "0");
    loadCheck(*this, ini, "STOPCLOCK1", StopClock1, "0");
    loadOption(*this, ini, "STOPCLOCK2", StopClock2, "1");
    loadText(*this, ini, "MAXRAND", MaxRand, "20");
    loadPosition(*this, ini);

    Timer2.enable();
}

void BeaconSetWindow::SaveData() {
    SettingsFile ini(host().settingsPath(traits_.settingsFile));
    saveOwnKeys(ini);
    saveOption(ini, "SERIAL", Serial);
    saveCheck(ini, "INFOHOURLY", InfoHourly);
    saveCheck(ini, "INFOQUATER", InfoQuarter);
    saveCheck(ini, "INFOHALF", InfoHalf);
    for (int k = 1; k <= 21; ++k) saveText(ini, "TEXT" + std::to_string(k), slot(k));
    saveText(ini, "TEXT22", Text22);
    saveText(ini, "TEXT23", Text23);
    saveText(ini, "BEACONPERIOD1", BeaconPeriod1);
    for (int k = 1; k <= 20; ++k) saveOption(ini, "OPTION" + std::to_string(k), slotOption(k));
    saveOption(ini, "STOPCLOCK0", StopClock0);
    saveCheck(ini, "STOPCLOCK1", StopClock1);
    saveOption(ini, "STOPCLOCK2", StopClock2);
    saveText(ini, "MAXRAND", MaxRand);
    savePosition(ini, *this);
    saveOrLog(*this, ini);
}
