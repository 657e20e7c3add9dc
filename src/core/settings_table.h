#pragma once
// A window whose stored values are many keeps them as one table: the order the file is written,
// and how each key is read back into its control.
#include <string>
#include <vector>

#include "core/controls.h"
#include "core/settings.h"

class Form;

struct SettingKey {
    const char* key;
    TextBox* text = nullptr;     // a text box, or
    CheckBox* check = nullptr;   // a check box, or neither: the window's LEFT or TOP edge
    const char* def = "";
    bool capitals = false;       // stored in capitals (callsigns)
    bool number = false;         // a number box (number-only style)
};

// The table's rows, named for what they hold.
namespace setting_keys {
inline SettingKey text(const char* key, TextBox& box, const char* def = "") { return {key, &box, nullptr, def}; }
inline SettingKey number(const char* key, TextBox& box, const char* def) {
    return {key, &box, nullptr, def, false, true};
}
inline SettingKey call(const char* key, TextBox& box) { return {key, &box, nullptr, "", true}; }
inline SettingKey check(const char* key, CheckBox& box, const char* def = "0") { return {key, nullptr, &box, def}; }
inline SettingKey edge(const char* key) { return {key, nullptr, nullptr, "300"}; }
}  // namespace setting_keys

// Reads one key into its control by the load rule of settings_binding.h.
// The window's edges are read together by loadPosition, not here. `capitalsOnLoad` also puts
// callsigns into capitals as they are read.
void loadSettingKey(Form& form, const SettingsFile& ini, const SettingKey& k, bool capitalsOnLoad = false);
// Writes every key in table order (edges from the window's place).
void saveSettingKeys(const Form& form, SettingsFile& ini, const std::vector<SettingKey>& keys);
