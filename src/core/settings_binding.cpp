#include "core/settings_binding.h"

#include "core/form.h"
#include "core/text.h"

namespace {
void logBadValue(Form& form, const SettingsFile& ini, std::string_view key, const std::string& value) {
    form.LogError(ini.path() + " <-- " + std::string(key) + " has the value \"" + value +
                  "\" that does not convert; the designed value is kept ");
}
}  // namespace

void loadText(Form&, const SettingsFile& ini, std::string_view key, TextBox& box, std::string_view def,
              size_t maxLength) {
    box.setText(ini.read(key, def, maxLength));
}

void loadCheck(Form& form, const SettingsFile& ini, std::string_view key, CheckBox& box, std::string_view def) {
    const std::string v = ini.read(key, def);
    const auto n = toNumber(v);
    if (!n || *n < 0 || *n > 2) {
        logBadValue(form, ini, key, v);
        return;
    }
    box.setValue(static_cast<int>(*n));
}

void loadOption(Form& form, const SettingsFile& ini, std::string_view key, OptionButton& option,
                std::string_view def) {
    const std::string v = ini.read(key, def);
    const auto b = toBool(v);
    if (!b) {
        logBadValue(form, ini, key, v);
        return;
    }
    option.setValue(*b);
}

void loadSlider(Form& form, const SettingsFile& ini, std::string_view key, Slider& slider, std::string_view def) {
    const std::string v = ini.read(key, def);
    const auto n = toNumber(v);
    if (!n) {
        logBadValue(form, ini, key, v);
        return;
    }
    slider.setValue(static_cast<int>(*n));
}

void loadPosition(Form& form, const SettingsFile& ini) {
    const std::string l = ini.read("LEFT", "300"), t = ini.read("TOP", "300");
    const auto left = toNumber(l), top = toNumber(t);
    if (!left) logBadValue(form, ini, "LEFT", l);
    if (!top) logBadValue(form, ini, "TOP", t);
    form.Move(left ? static_cast<int>(*left) : form.Left, top ? static_cast<int>(*top) : form.Top);
}

void saveText(SettingsFile& ini, std::string_view key, const TextBox& box) { ini.write(key, box.text()); }
void saveCheck(SettingsFile& ini, std::string_view key, const CheckBox& box) {
    ini.write(key, std::to_string(box.value()));
}
void saveOption(SettingsFile& ini, std::string_view key, const OptionButton& option) {
    ini.write(key, boolText(option.value()));
}
void saveSlider(SettingsFile& ini, std::string_view key, const Slider& slider) {
    ini.write(key, std::to_string(slider.value()));
}
void savePosition(SettingsFile& ini, const Form& form) {
    ini.write("LEFT", std::to_string(form.Left));
    ini.write("TOP", std::to_string(form.Top));
}

bool saveOrLog(Form& form, const SettingsFile& ini) {
    try {
        ini.save();
        return true;
    } catch (const SettingsWriteError& e) {
        form.LogError(std::string(e.what()) + " <-- Settings not saved ");
        return false;
    }
}
