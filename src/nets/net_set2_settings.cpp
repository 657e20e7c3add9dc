// netscheduler2.ini: every slot of set 2 and the window's place, read at each load and written
// only by the window's Save button.
#include "core/settings.h"
#include "core/settings_binding.h"
#include "core/settings_table.h"
#include "core/text.h"
#include "nets/net_set2_window.h"


// The keys in the order the file is written.
std::vector<SettingKey> Form117::settingKeys() {
    using namespace setting_keys;
    const auto minutes = [](const char* key, TextBox& box) { return number(key, box, "0"); };
    return {
        check("CHECK1", Check1),
        check("CHECK2", Check2),
        check("CHECK3", Check3),
        check("CHECK6", Check6),
        check("CHECK11", Check11),
        check("CHECK20", Check20),
        minutes("DISCMINS1", DiscMins1),
        minutes("DISCMINS2", DiscMins2),
        minutes("DISCMINS3", DiscMins3),
        minutes("DISCMINS4", DiscMins4),
        minutes("DISCMINS5", DiscMins5),
        check("CHECK14", Check14),
        check("CHECK16", Check16),
        check("CHECK18", Check18),
        check("CHECK21", Check21),
        check("SUN2", Sun2),
        check("MON2", Mon2),
        check("TUE2", Tue2),
        check("WED2", Wed2),
        check("THUR2", Thur2),
        check("FRI2", Fri2),
        check("SAT2", Sat2),
        text("HOUR2", Hour2, "24"),
        text("MINS2", Mins2, "00"),
        call("NETCALL1", NetCall1),
        call("NETCALL2", NetCall2),
        call("NETCALL3", NetCall3),
        call("NETCALL4", NetCall4),
        call("NETCALL5", NetCall5),
        check("SUN", Sun),
        check("MON", Mon),
        check("TUE", Tue),
        check("WED", Wed),
        check("THUR", Thur),
        check("FRI", Fri),
        check("SAT", Sat),
        text("HOUR", Hour, "24"),
        text("MINS", Mins, "00"),
        check("SUN3", Sun3),
        check("MON3", Mon3),
        check("TUE3", Tue3),
        check("WED3", Wed3),
        check("THUR3", Thur3),
        check("FRI3", Fri3),
        check("SAT3", Sat3),
        text("HOUR3", Hour3, "24"),
        text("MINS3", Mins3, "00"),
        check("SUN4", Sun4),
        check("MON4", Mon4),
        check("TUE4", Tue4),
        check("WED4", Wed4),
        check("THUR4", Thur4),
        check("FRI4", Fri4),
        check("SAT4", Sat4),
        text("HOUR4", Hour4, "24"),
        text("MINS4", Mins4, "00"),
        text("HOUR5", Hour5, "24"),
        text("MINS5", Mins5, "00"),
        check("DISCONNECTALL1", DisconnectAll1),
        check("DISCONNECTALL2", DisconnectAll2),
        check("DISCONNECTALL3", DisconnectAll3),
        check("DISCONNECTALL4", DisconnectAll4),
        check("DISCONNECTALL5", DisconnectAll5),
        edge("LEFT"),
        edge("TOP"),
        check("SHOWBUSY1", ShowBusy1),
        check("SHOWBUSY2", ShowBusy2),
        check("SHOWBUSY3", ShowBusy3),
        check("SHOWBUSY4", ShowBusy4),
        check("SHOWBUSY5", ShowBusy5),
        check("RFBUSY", RFBusy),
        check("CHECK25", Check25),
        text("TEXT3", Text3),
    };
}

void Form117::loadSettings() {
    SettingsFile ini(host().settingsPath(kSettingsFile));
    for (const SettingKey& k : settingKeys()) loadSettingKey(*this, ini, k, /*capitalsOnLoad=*/true);
    // The place last, once the fields are in.
    loadPosition(*this, ini);
}

void Form117::SaveData() {
    SettingsFile ini(host().settingsPath(kSettingsFile));
    saveSettingKeys(*this, ini, settingKeys());
    saveOrLog(*this, ini);
}
