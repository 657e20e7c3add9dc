#include "beacons/profile_window.h"

#include "app/app.h"
#include "beacons/beacon_set1_window.h"
#include "beacons/beacon_set2_window.h"
#include "core/datetime.h"
#include "core/settings.h"
#include "core/settings_binding.h"
#include "core/step.h"
#include "core/text.h"
#include "echolink/echolink_app.h"
#include "speech/idents_window.h"
#include "shell/single_instance.h"

namespace {
constexpr std::array<const char*, 7> kDayKeys = {"SUN", "MON", "TUE", "WED", "THUR", "FRI", "SAT"};
std::string entrySuffix(int k) { return k == 1 ? "" : std::to_string(k); }
}  // namespace

Form123::Form123(FormHost& host) : Form(host, "Form123") {
    entries_ = {{
        {&Profile1, &Text1, &Hour, &Mins, &Hourx, &Minsx, {&Sun, &Mon, &Tue, &Wed, &Thur, &Fri, &Sat}, &Option1, &Option2, &Command3},
        {&Profile2, &Text2, &Hour2, &Mins2, &Hour2x, &Mins2x, {&Sun2, &Mon2, &Tue2, &Wed2, &Thur2, &Fri2, &Sat2}, &Option3, &Option4, &Command4},
        {&Profile3, &Text3, &Hour3, &Mins3, &Hour3x, &Mins3x, {&Sun3, &Mon3, &Tue3, &Wed3, &Thur3, &Fri3, &Sat3}, &Option5, &Option6, &Command5},
        {&Profile4, &Text4, &Hour4, &Mins4, &Hour4x, &Mins4x, {&Sun4, &Mon4, &Tue4, &Wed4, &Thur4, &Fri4, &Sat4}, &Option7, &Option8, &Command6}}};
    for (int k = 1; k <= 4; ++k) {
        const Entry& e = entry(k);
        e.profile->setToolTip("Enter Profile name.  Profiles can be added using the EchoLink Program");
        e.code->setToolTip("DTMF Change to this Profile");
        e.set1->setToolTip("Use Beacon Set 1");
        e.set2->setToolTip("Use Beacon Set 2");
        e.applyNow->setToolTip("Change to this Profile now");
        e.applyNow->onClick([this, k] { applyFromOperator(k); });
        for (TextBox* box : {e.hour, e.mins, e.hourx, e.minsx}) {
            box->maxLength = 2;
            box->numberOnly = true;
            box->onChange([box] { step([&] { box->numberOnly = true; }); });
        }
    }
    Option10.setToolTip("Select Beacon Set 1 for setup changes");
    Option9.setToolTip("Select Beacon Set 2 for setup changes");
    SpeakInfo.setToolTip("Show Beacon Setup screen");
    SpeakInfo.onClick([this] {
        if (Option10.value())
            app().form111().Show();
        else
            app().form110().Show();
    });
    Command1.setToolTip("Hide this screen");
    Command1.onClick([this] { Hide(); });
    Command2.setToolTip("Save your data");
    declareLayout();
    Command2.onClick([this] { SaveData(); });
}

void Form123::load() {
    // A second copy would fight the first over the transmitter: it ends before doing anything.
    if (anotherCopyRunning(app())) app().endProgram();
    createEchoLink();
    EchoLink().DTMFString = [this](const std::string& sDigits) { EchoLink_DTMFString(sDigits); };
    setCaption(app().windowCaption("   Profiles & Beacons Sheduler"));
    // The window only lets go of the transmitter; a node that does not answer changes nothing.
    step([&] { EchoLink().KeyTransmitter(false); });

    const SettingsFile ini(host().settingsPath("profiles.ini"));
    for (int k = 1; k <= 4; ++k) {
        loadOption(*this, ini, "OPTION" + std::to_string(2 * k - 1), *entry(k).set1, "1");
        loadOption(*this, ini, "OPTION" + std::to_string(2 * k), *entry(k).set2, "0");
    }
    loadEntryTimesAndDays(ini, 2);
    for (int k = 1; k <= 4; ++k) loadText(*this, ini, "Profile" + std::to_string(k), *entry(k).profile, k == 1 ? "MAIN" : "");
    loadEntryTimesAndDays(ini, 1);
    loadEntryTimesAndDays(ini, 3);
    loadEntryTimesAndDays(ini, 4);
    for (int k = 1; k <= 4; ++k) loadText(*this, ini, "TEXT" + std::to_string(k), *entry(k).code, "");
    loadPosition(*this, ini);
}

void Form123::loadEntryTimesAndDays(const SettingsFile& ini, int k) {
    const Entry& e = entry(k);
    const std::string s = entrySuffix(k);
    for (size_t d = 0; d < kDayKeys.size(); ++d) loadCheck(*this, ini, kDayKeys[d] + s, *e.days[d], "0");
    loadText(*this, ini, "HOUR" + s, *e.hour, "24");
    loadText(*this, ini, "MINS" + s, *e.mins, "00");
    loadText(*this, ini, "HOUR" + s + "x", *e.hourx, "24");
    loadText(*this, ini, "MINS" + s + "x", *e.minsx, "00");
}

void Form123::SaveData() {
    SettingsFile ini(host().settingsPath("profiles.ini"));
    for (int k = 1; k <= 4; ++k) {
        saveOption(ini, "OPTION" + std::to_string(2 * k - 1), *entry(k).set1);
        saveOption(ini, "OPTION" + std::to_string(2 * k), *entry(k).set2);
    }
    saveEntryTimesAndDays(ini, 2);
    for (int k = 1; k <= 4; ++k) saveText(ini, "Profile" + std::to_string(k), *entry(k).profile);
    saveEntryTimesAndDays(ini, 1);
    saveEntryTimesAndDays(ini, 3);
    saveEntryTimesAndDays(ini, 4);
    for (int k = 1; k <= 4; ++k) saveText(ini, "TEXT" + std::to_string(k), *entry(k).code);
    savePosition(ini, *this);
    saveOrLog(*this, ini);
}

void Form123::saveEntryTimesAndDays(SettingsFile& ini, int k) const {
    const Entry& e = entry(k);
    const std::string s = entrySuffix(k);
    for (size_t d = 0; d < kDayKeys.size(); ++d) saveCheck(ini, kDayKeys[d] + s, *e.days[d]);
    saveText(ini, "HOUR" + s, *e.hour);
    saveText(ini, "MINS" + s, *e.mins);
    saveText(ini, "HOUR" + s + "x", *e.hourx);
    saveText(ini, "MINS" + s + "x", *e.minsx);
}
