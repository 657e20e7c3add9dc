// The player's settings file MP3_PlayerABC.ini: seventeen keys, read at creation and written by
// every save path in the same order.

#include "app/app.h"
#include "core/settings.h"
#include "core/settings_binding.h"
#include "core/text.h"
#include "player/player_window.h"

namespace {
constexpr const char* kSettingsFile = "MP3_PlayerABC.ini";
}  // namespace

void Form1::readSettings() {
    const SettingsFile ini(app().settingsPath(kSettingsFile));
    OptionButton* options[] = {&Option1, &Option2, &Option3, &Option4, &Option5,
                               &Option6, &Option7, &Option8, &Option9};
    for (int i = 0; i < 9; ++i)
        loadOption(*this, ini, "OPTION" + std::to_string(i + 1), *options[i], i == 1 ? "1" : "0");
    loadCheck(*this, ini, "CHECK1", Check1, "1");
    loadText(*this, ini, "TEXT4", Text4, "-1500");
    loadText(*this, ini, "VOLSET", VolSet, "-1540");
    loadText(*this, ini, "SPEEDSET", SpeedSet, "100");
    // The designed "100" is no path: a request left at it takes the missing-file rule.
    storedTxtFile_ = loadPath(*this, ini, "TXTFILE", txtFile, "100");
    loadText(*this, ini, "BEACONPERIOD8", BeaconPeriod8, "5");
    loadText(*this, ini, "TEXT6", Text6, "100");
    loadCheck(*this, ini, "STOPCLOCK8", StopClock8, "0");
    // A stored volume or speed the slider cannot hold leaves the slider at its designed value.
    sliderFromText(*this, kSettingsFile, "VOLSET", VolSet, V1);
    sliderFromText(*this, kSettingsFile, "SPEEDSET", SpeedSet, V2);
}

void Form1::SaveData() {
    SettingsFile ini(app().settingsPath(kSettingsFile));
    const OptionButton* options[] = {&Option1, &Option2, &Option3, &Option4, &Option5,
                                     &Option6, &Option7, &Option8, &Option9};
    for (int i = 0; i < 9; ++i) saveOption(ini, "OPTION" + std::to_string(i + 1), *options[i]);
    saveCheck(ini, "CHECK1", Check1);
    saveText(ini, "TEXT4", Text4);
    saveText(ini, "VOLSET", VolSet);
    saveText(ini, "SPEEDSET", SpeedSet);
    savePath(ini, "TXTFILE", txtFile, storedTxtFile_);
    saveText(ini, "BEACONPERIOD8", BeaconPeriod8);
    saveText(ini, "TEXT6", Text6);
    saveCheck(ini, "STOPCLOCK8", StopClock8);
    saveOrLog(*this, ini);
}
