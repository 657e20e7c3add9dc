#include "core/settings_table.h"

#include "core/form.h"
#include "core/settings_binding.h"
#include "core/text.h"

void loadSettingKey(Form& form, const SettingsFile& ini, const SettingKey& k, bool capitalsOnLoad) {
    if (k.check) {
        loadCheck(form, ini, k.key, *k.check, k.def);
        return;
    }
    if (!k.text) return;
    if (k.number) k.text->numberOnly = true;
    const std::string value = fittedText(form, ini, k.key, *k.text, ini.read(k.key, k.def), k.def);
    k.text->load(capitalsOnLoad && k.capitals ? ucase(value) : value);
}

void saveSettingKeys(const Form& form, SettingsFile& ini, const std::vector<SettingKey>& keys) {
    for (const SettingKey& k : keys) {
        if (k.check)
            saveCheck(ini, k.key, *k.check);
        else if (k.text)
            ini.write(k.key, k.capitals ? ucase(k.text->text()) : k.text->text());
        else if (std::string(k.key) == "LEFT")
            ini.write("LEFT", std::to_string(form.Left));
        else
            ini.write("TOP", std::to_string(form.Top));
    }
}
