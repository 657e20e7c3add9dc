#include "core/settings_binding.h"

#include <cmath>
#include <filesystem>

#include "core/form.h"
#include "core/text.h"

namespace {
// Named by the file's name, as the operator knows it.
void logStored(Form& form, const SettingsFile& ini, std::string_view key, const std::string& value,
               const std::string& what) {
    const std::string file = std::filesystem::path(ini.path()).filename().string();
    form.LogError(file + " <-- " + std::string(key) + " has the value \"" + value + "\", " + what + " ");
}

// Characters, not bytes: a cut never splits a UTF-8 sequence.
size_t characterCount(const std::string& s) {
    size_t n = 0;
    for (unsigned char c : s)
        if ((c & 0xC0) != 0x80) ++n;
    return n;
}

std::string firstCharacters(const std::string& s, size_t count) {
    size_t seen = 0;
    for (size_t i = 0; i < s.size(); ++i) {
        if ((static_cast<unsigned char>(s[i]) & 0xC0) == 0x80) continue;
        if (seen++ == count) return s.substr(0, i);
    }
    return s;
}

// A whole number from min to max, or nothing.
std::optional<int> wholeNumber(const std::string& text, int min, int max) {
    const auto n = toNumber(text);
    if (!n || *n != std::floor(*n) || *n < min || *n > max) return std::nullopt;
    return static_cast<int>(*n);
}
}  // namespace

std::string fittedText(Form& form, const SettingsFile& ini, std::string_view key, const TextBox& box,
                       std::string value, std::string_view def) {
    if (box.numberOnly && !trim(value).empty()) {
        const auto n = toNumber(value);
        if (!n) {
            logStored(form, ini, key, value, "not a number; the default \"" + std::string(def) + "\" is used");
            value = std::string(def);
        } else if (*n < 0) {
            logStored(form, ini, key, value, "below zero; it reads as \"0\"");
            value = "0";
        }
    }
    if (box.upperCase) value = ucase(value);
    if (box.maxLength > 0 && characterCount(value) > static_cast<size_t>(box.maxLength)) {
        logStored(form, ini, key, value,
                  "longer than its box; it is cut to " + std::to_string(box.maxLength) + " characters");
        value = firstCharacters(value, static_cast<size_t>(box.maxLength));
    }
    return value;
}

void loadText(Form& form, const SettingsFile& ini, std::string_view key, TextBox& box, std::string_view def,
              size_t maxLength) {
    box.load(fittedText(form, ini, key, box, ini.read(key, def, maxLength), def));
}

void loadCheck(Form& form, const SettingsFile& ini, std::string_view key, CheckBox& box, std::string_view def) {
    const std::string v = ini.read(key, def);
    auto value = wholeNumber(v, 0, 2);
    if (!value) {
        value = wholeNumber(std::string(def), 0, 2).value_or(box.value());
        logStored(form, ini, key, v, "not a check box state; the default \"" + std::to_string(*value) + "\" is used");
    }
    box.load(*value);
}

void loadOption(Form& form, const SettingsFile& ini, std::string_view key, OptionButton& option,
                std::string_view def) {
    const std::string v = ini.read(key, def);
    auto b = toBool(v);
    if (!b) {
        b = toBool(def).value_or(option.value());
        logStored(form, ini, key, v, std::string("not True or False; the default \"") + boolText(*b) + "\" is used");
    }
    option.load(*b);
}

void loadSlider(Form& form, const SettingsFile& ini, std::string_view key, Slider& slider, std::string_view def) {
    const std::string v = ini.read(key, def);
    auto n = toNumber(v);
    if (!n) {
        n = toNumber(def).value_or(slider.value());
        logStored(form, ini, key, v, "not a number; the default \"" + numberText(*n) + "\" is used");
    }
    const int low = std::min(slider.min(), slider.max()), high = std::max(slider.min(), slider.max());
    if (*n < low || *n > high) {
        const int end = *n < low ? low : high;
        logStored(form, ini, key, v, "outside " + std::to_string(low) + " to " + std::to_string(high) + "; \"" +
                                         std::to_string(end) + "\" is used");
        n = end;
    }
    slider.load(static_cast<int>(std::lround(*n)));
}

bool sliderFromText(Form& form, std::string_view fileName, std::string_view key, const TextBox& box,
                    Slider& slider) {
    const int low = std::min(slider.min(), slider.max()), high = std::max(slider.min(), slider.max());
    if (const auto n = wholeNumber(box.text(), low, high)) {
        slider.setValue(*n);
        return true;
    }
    form.LogError(std::string(fileName) + " <-- " + std::string(key) + " has the value \"" + box.text() +
                  "\", not a whole number from " + std::to_string(low) + " to " + std::to_string(high) +
                  "; the slider stays at " + std::to_string(slider.value()) + " ");
    return false;
}

void loadPosition(Form& form, const SettingsFile& ini) {
    const std::string l = ini.read("LEFT", "300"), t = ini.read("TOP", "300");
    const auto left = wholeNumber(l, -1000000, 1000000), top = wholeNumber(t, -1000000, 1000000);
    if (!left) logStored(form, ini, "LEFT", l, "not a position; the window stays where it is");
    if (!top) logStored(form, ini, "TOP", t, "not a position; the window stays where it is");
    form.Move(left.value_or(form.Left), top.value_or(form.Top));
}

StoredPath loadPath(Form& form, const SettingsFile& ini, std::string_view key, TextBox& box, std::string_view def) {
    StoredPath p{fittedText(form, ini, key, box, ini.read(key, def), def), {}};
    p.shown = form.host().mapPath(p.stored);
    box.load(p.shown);
    return p;
}

void saveText(SettingsFile& ini, std::string_view key, const TextBox& box) { ini.write(key, box.text()); }
void savePath(SettingsFile& ini, std::string_view key, const TextBox& box, const StoredPath& path) {
    ini.write(key, box.text() == path.shown ? path.stored : box.text());
}
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
        form.host().settingsSaved(true);
        return true;
    } catch (const SettingsWriteError& e) {
        form.host().settingsSaved(false);
        form.LogError(std::string(e.what()) + " <-- Settings not saved ");
        return false;
    }
}
