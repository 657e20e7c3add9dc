#include "beacons/dtmf_before_after_window.h"

#include "core/settings.h"
#include "core/settings_binding.h"

Form128::Form128(FormHost& host) : Form(host, "Form128", "Send DTMF Before and After TX") {
    checks_ = {&Check1, &Check2, &Check3,  &Check4,  &Check5,  &Check6,  &Check7,
               &Check8, &Check9, &Check10, &Check11, &Check12, &Check13, &Check14};
    texts_ = {&Text1,  &Text2,  &Text3,  &Text4,  &Text5,  &Text6,  &Text7,  &Text8,
              &Text9,  &Text10, &Text11, &Text12, &Text13, &Text14, &Text15, &Text16,
              &Text17, &Text18, &Text19, &Text20, &Text21, &Text22, &Text23, &Text24};
    Frame6.setVisible(false);
    Command1.onClick([this] { Hide(); });
    Command2.onClick([this] { SaveData(); });
    declareLayout();
}

void Form128::load() {
    createEchoLink();
    const SettingsFile ini(host().settingsPath("senddtmf.ini"));
    for (int k = 1; k <= 14; ++k) loadCheck(*this, ini, "CHECK" + std::to_string(k), use(k), "0");
    for (int k = 1; k <= 24; ++k) loadText(*this, ini, "TEXT" + std::to_string(k), digits(k), "");
}

void Form128::SaveData() {
    SettingsFile ini(host().settingsPath("senddtmf.ini"));
    for (int k = 1; k <= 14; ++k) saveCheck(ini, "CHECK" + std::to_string(k), use(k));
    for (int k = 1; k <= 24; ++k) saveText(ini, "TEXT" + std::to_string(k), digits(k));
    saveOrLog(*this, ini);
}
