#pragma once
// How a window's creation takes its stored values, and how SaveData writes them back.
//
// Every bound control receives its stored value (or the key's default when the key is missing)
// and its handler runs once, whether the value changed or not, so what the handler derives (a
// timer on or off, a countdown, an edit style) always matches the loaded value. A value the
// control cannot take is replaced before it goes in, with one error-log line naming the file, the
// key and the value:
//   - a number box (number-only style) holding something that is not a number takes the key's
//     default; a number below zero reads as "0" (a period below zero is off);
//   - a text longer than its box is cut at the box's length;
//   - a check box, option or slider value that does not convert takes the key's default; a
//     slider value outside its range is brought to the nearest end.
// A box with the upper-case style takes the value in capitals. An empty text still goes in as it is: the handler says what an empty box means.
// Windows do not repeat these checks.
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
// A slider the creation sets from a stored text box (a volume kept as text): a whole number within
// the slider's range moves it; anything else leaves it where it is, with one log line. True when
// it moved.
bool sliderFromText(Form& form, std::string_view fileName, std::string_view key, const TextBox& box,
                    Slider& slider);
// Window position, keys LEFT and TOP in twips (default "300").
void loadPosition(Form& form, const SettingsFile& ini);

// The text a stored value becomes in the box under the rules above (logged when it had to change).
std::string fittedText(Form& form, const SettingsFile& ini, std::string_view key, const TextBox& box,
                       std::string value, std::string_view def);

// A path box shows a stored path as this machine names it (`shown`); SaveData writes the stored
// form back as long as the box still shows it, so the file never takes today's data or home
// folder in place of the form the operator stored (the folders move with the user and with
// MVSMALL_DATA_DIR). A path the operator or the program put into the box is saved as it stands.
// Every path box that maps its stored path loads and saves through these two.
struct StoredPath {
    std::string stored, shown;
};
StoredPath loadPath(Form& form, const SettingsFile& ini, std::string_view key, TextBox& box, std::string_view def);
void savePath(SettingsFile& ini, std::string_view key, const TextBox& box, const StoredPath& path);
void saveText(SettingsFile& ini, std::string_view key, const TextBox& box);
void saveCheck(SettingsFile& ini, std::string_view key, const CheckBox& box);
void saveOption(SettingsFile& ini, std::string_view key, const OptionButton& option);
void saveSlider(SettingsFile& ini, std::string_view key, const Slider& slider);
void savePosition(SettingsFile& ini, const Form& form);

// Saves the file; a failure goes to the error log instead of ending the handler.
bool saveOrLog(Form& form, const SettingsFile& ini);
