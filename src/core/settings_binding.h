#pragma once
// Reading a window's controls from its settings file and writing them back. A value that does
// not convert leaves the control at its designed value and says so in the error log.
#include <string>
#include <string_view>

#include "core/controls.h"
#include "core/settings.h"

class Form;

void loadText(Form& form, const SettingsFile& ini, std::string_view key, TextBox& box, std::string_view def,
              size_t maxLength = SettingsFile::kDefaultMaxLength);
void loadCheck(Form& form, const SettingsFile& ini, std::string_view key, CheckBox& box, std::string_view def);
void loadOption(Form& form, const SettingsFile& ini, std::string_view key, OptionButton& option,
                std::string_view def);
void loadSlider(Form& form, const SettingsFile& ini, std::string_view key, Slider& slider, std::string_view def);
// Window position, keys LEFT and TOP in twips (default "300").
void loadPosition(Form& form, const SettingsFile& ini);

void saveText(SettingsFile& ini, std::string_view key, const TextBox& box);
void saveCheck(SettingsFile& ini, std::string_view key, const CheckBox& box);
void saveOption(SettingsFile& ini, std::string_view key, const OptionButton& option);
void saveSlider(SettingsFile& ini, std::string_view key, const Slider& slider);
void savePosition(SettingsFile& ini, const Form& form);

// Saves the file; a failure goes to the error log instead of ending the handler.
bool saveOrLog(Form& form, const SettingsFile& ini);
