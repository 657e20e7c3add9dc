// dtmfctrl.ini: every stored control of the connect-control window, the net slots of set 1 included.
#include <algorithm>

#include "core/settings.h"
#include "core/settings_table.h"
#include "core/settings_binding.h"
#include "core/text.h"
#include "linkcontrol/connect_control_window.h"

// One stored value: a text box, a check box, or (neither) the window's LEFT or TOP edge.

// The keys in the order the file is written.
std::vector<SettingKey> Form4::settingKeys() {
    using namespace setting_keys;
    const auto period = setting_keys::number;
    return {
        text("STOPPLAYER", StopPlayer),
        text("TEXT1X", Text1x),
        text("TEXT2X", Text2x),
        text("TEXT3X", Text3x),
        period("DELAYPERIOD", DelayPeriod, "5"),
        period("BEACONPERIOD17", BeaconPeriod17, "5"),
        text("TEXT5", Text5),
        check("CHECK14", Check14),
        check("CHECK16", Check16),
        check("CHECK18", Check18),
        check("CHECK21", Check21),
        check("CHECK4", Check4),
        check("CHECK13", Check13),
        check("STOPCLOCK17", StopClock17),
        check("CHECK10", Check10),
        check("CHECK12", Check12),
        text("RESTART", ReStart),
        text("CLOSEDOWN", CloseDown),
        period("DISCMINS1", DiscMins1, "0"),
        period("DISCMINS2", DiscMins2, "0"),
        period("DISCMINS3", DiscMins3, "0"),
        period("DISCMINS4", DiscMins4, "0"),
        check("CHECK2", Check2),
        check("CHECK3", Check3),
        check("CHECK11", Check11),
        check("CHECK20", Check20),
        period("DTMFDELAYSECONDS", DTMFDelaySeconds, "5"),
        check("USEDTMFDELAY", UseDTMFDelay),
        text("TEXT555", Text555),
        period("BEACONPERIOD", BeaconPeriod, "1"),
        text("TEXT111", Text111, "73"),
        text("TEXT222", Text222),
        text("TEXT333", Text333),
        check("CHECK1", Check1, "1"),
        text("TEXT1111", Text1111),
        text("TEXT2222", Text2222),
        text("DTMF1", DTMF1),
        text("DTMF2", DTMF2),
        text("DTMF3", DTMF3),
        text("DTMF4", DTMF4),
        text("DTMF5", DTMF5),
        text("DTMF6", DTMF6),
        text("DTMF7", DTMF7),
        text("DTMF8", DTMF8),
        call("CALL1", Call1),
        call("CALL2", Call2),
        call("CALL3", Call3),
        call("CALL4", Call4),
        call("CALL5", Call5),
        call("CALL6", Call6),
        call("CALL7", Call7),
        call("CALL8", Call8),
        text("DTMFGROUP1CONNECT", DTMFGroup1Connect),
        text("DTMFGROUP1DISC", DTMFGroup1Disc),
        text("DTMFGROUP2CONNECT", DTMFGroup2Connect),
        text("DTMFGROUP2DISC", DTMFGroup2Disc),
        call("GROUPCALL1", GroupCall1),
        call("GROUPCALL2", GroupCall2),
        call("GROUPCALL3", GroupCall3),
        call("GROUPCALL4", GroupCall4),
        call("GROUPCALL5", GroupCall5),
        call("GROUPCALL6", GroupCall6),
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
        check("DISCONNECTALL1", DisconnectAll1),
        check("DISCONNECTALL2", DisconnectAll2),
        check("DISCONNECTALL3", DisconnectAll3),
        check("DISCONNECTALL4", DisconnectAll4),
        edge("LEFT"),
        edge("TOP"),
        check("SHOWBUSY1", ShowBusy1),
        check("SHOWBUSY2", ShowBusy2),
        check("SHOWBUSY3", ShowBusy3),
        check("SHOWBUSY4", ShowBusy4),
        check("RFBUSY", RFBusy),
        text("Hour0", Hour0, "99"),
        text("Hour00", Hour00, "99"),
        text("Mins0", Mins0, "99"),
        text("Mins00", Mins00, "99"),
        text("CONNECT1", Connect1),
        text("DISCONNECT1", Disconnect1),
        check("CHECK5", Check5),
        check("CHECK6", Check6),
        check("CHECK7", Check7),
        check("CHECK8", Check8),
        check("CHECK9", Check9),
        check("CHECK23", Check23),
        check("CHECK24", Check24),
        check("CHECK25", Check25),
        check("CHECK26", Check26),
    };
}

void Form4::loadSettings() {
    SettingsFile ini(host().settingsPath(kSettingsFile));
    std::vector<SettingKey> keys = settingKeys();
    // The disconnect-all box of the timed connection is read ahead of the idle-disconnect boxes.
    auto byKey = [&](const char* k) {
        return std::find_if(keys.begin(), keys.end(), [&](const SettingKey& s) { return std::string(s.key) == k; });
    };
    std::rotate(byKey("CHECK4"), byKey("CHECK10"), byKey("CHECK10") + 1);

    for (const SettingKey& k : keys) {
        if (k.check || k.text)
            loadSettingKey(*this, ini, k);
        else if (std::string(k.key) == "LEFT")
            loadPosition(*this, ini);   // LEFT and TOP together
    }
}

void Form4::SaveData() {
    SettingsFile ini(host().settingsPath(kSettingsFile));
    saveSettingKeys(*this, ini, settingKeys());
    saveOrLog(*this, ini);
}
