// identabc.ini: every control the idents window keeps, the link-control ones included. The
// load puts each value into its control at once, in the load's order, so each change handler
// sees the keys read before it; the save writes every key in its own order.
#include <vector>

#include "app/app.h"
#include "core/settings.h"
#include "core/settings_binding.h"
#include "core/text.h"
#include "linkcontrol/connect_control_window.h"
#include "speech/idents_window.h"

namespace {
enum class Kind { Text, Callsign, Path, Check, Option, Slider };

struct Key {
    const char* name;
    Control* control;
    Kind kind;
    const char* def;
};

std::vector<Key> keysInLoadOrder(Form3& f) {
    using K = Kind;
    return {
        {"Option3", &f.Option3, K::Option, "1"},
        {"Option4", &f.Option4, K::Option, "0"},
        {"DTR", &f.DTR, K::Option, "0"},
        {"RTS", &f.RTS, K::Option, "1"},
        {"FanOnMessage", &f.FanOnMessage, K::Text, "Enabled"},
        {"FanOffMessage", &f.FanOffMessage, K::Text, "Disabled"},
        {"FanCTRL2", &f.FanCTRL2, K::Check, "0"},
        {"TEXT3", &f.Text3, K::Text, "###1"},
        {"TEXT4", &f.Text4, K::Text, "###0"},
        {"TEXT5", &f.Text5, K::Text, "###3"},
        {"TEXT6", &f.Text6, K::Text, "Always On Enabled"},
        {"TEXT7", &f.Text7, K::Text, "Always On Disabled"},
        {"TEXT8", &f.Text8, K::Text, ""},
        {"CHECK4", &f.Check4, K::Check, "0"},
        {"CHECK5", &f.Check5, K::Check, "0"},
        {"CHECK6", &f.Check6, K::Check, "1"},
        {"CHECK7", &f.Check7, K::Check, "0"},
        {"TEXT2", &f.Text2, K::Path, "C:\\Program Files\\Marovane\\RF.wav"},
        {"CONNECTBELLCHECK", &f.ConnectBellCheck, K::Check, "0"},
        {"PLUSSECONDS", &f.PlusSeconds, K::Text, "15"},
        {"CONNECTSTATION1", &f.ConnectStation1, K::Callsign, ""},
        {"CONNECTSTATION2", &f.ConnectStation2, K::Callsign, ""},
        {"CONNECTSTATION3", &f.ConnectStation3, K::Callsign, ""},
        {"CONNECTSTATION4", &f.ConnectStation4, K::Callsign, ""},
        {"STAYCON1", &f.StayCon1, K::Check, "0"},
        {"STAYCON2", &f.StayCon2, K::Check, "0"},
        {"STAYCON3", &f.StayCon3, K::Check, "0"},
        {"STAYCON4", &f.StayCon4, K::Check, "0"},
        {"DTMF", &f.DTMF, K::Text, ""},
        {"USEDTMF", &f.UseDTMF, K::Check, "0"},
        {"BEACONPERIOD7", &f.BeaconPeriod7, K::Text, "15"},
        {"BEACONPERIOD1", &f.BeaconPeriod1, K::Text, "30"},
        {"USELONGCHECK", &f.UseLongCheck, K::Check, "0"},
        {"STOPCLOCK1", &f.StopClock1, K::Check, "0"},
        {"STOPCLOCK7", &f.StopClock7, K::Check, "0"},
        {"LONGID", &f.LongID, K::Text, "5"},
        {"CWCALLSIGN", &f.CWCallsign, K::Text, "Your Call"},
        {"CWCALLSIGNLONG", &f.CWCallsignLong, K::Text, "Your Call & QRA"},
        {"VOLLEV", &f.VolLev, K::Slider, "90"},
        {"VOICESPEED", &f.VoiceSpeed, K::Slider, "0"},
        {"SUN", &f.Sun, K::Check, "0"},
        {"MON", &f.Mon, K::Check, "0"},
        {"TUE", &f.Tue, K::Check, "0"},
        {"WED", &f.Wed, K::Check, "0"},
        {"THUR", &f.Thur, K::Check, "0"},
        {"FRI", &f.Fri, K::Check, "0"},
        {"SAT", &f.Sat, K::Check, "0"},
        {"HOUROFF1", &f.HourOFF1, K::Text, "24"},
        {"MINSOFF1", &f.MinsOFF1, K::Text, "00"},
        {"HOURON1b", &f.HourON1b, K::Text, "24"},
        {"MINSON1b", &f.MinsON1b, K::Text, "00"},
        {"SUN2", &f.Sun2, K::Check, "0"},
        {"MON2", &f.Mon2, K::Check, "0"},
        {"TUE2", &f.Tue2, K::Check, "0"},
        {"WED2", &f.Wed2, K::Check, "0"},
        {"THUR2", &f.Thur2, K::Check, "0"},
        {"FRI2", &f.Fri2, K::Check, "0"},
        {"SAT2", &f.Sat2, K::Check, "0"},
        {"HOUROFF2", &f.HourOFF2, K::Text, "24"},
        {"MINSOFF2", &f.MinsOFF2, K::Text, "00"},
        {"HOURON2b", &f.HourON2b, K::Text, "24"},
        {"MINSON2b", &f.MinsON2b, K::Text, "00"},
        {"SUN3", &f.Sun3, K::Check, "0"},
        {"MON3", &f.Mon3, K::Check, "0"},
        {"TUE3", &f.Tue3, K::Check, "0"},
        {"WED3", &f.Wed3, K::Check, "0"},
        {"THUR3", &f.Thur3, K::Check, "0"},
        {"FRI3", &f.Fri3, K::Check, "0"},
        {"SAT3", &f.Sat3, K::Check, "0"},
        {"HOUROFF3", &f.HourOFF3, K::Text, "24"},
        {"MINSOFF3", &f.MinsOFF3, K::Text, "00"},
        {"HOURON3b", &f.HourON3b, K::Text, "24"},
        {"MINSON3b", &f.MinsON3b, K::Text, "00"},
        {"ANNOUNCEOFF", &f.AnnounceOff, K::Text, ""},
        {"ANNOUNCEON", &f.AnnounceOn, K::Text, ""},
        {"CHECK1", &f.Check1, K::Check, "0"},
        {"CHECK2", &f.Check2, K::Check, "0"},
        {"OPTION1", &f.Option1, K::Option, "1"},
        {"OPTION2", &f.Option2, K::Option, "0"},
        {"SAYTEXT", &f.SayText, K::Check, "0"},
        {"IDCHECK", &f.IDCheck, K::Check, "0"},
        {"VOICEPERIOD", &f.VoicePeriod, K::Text, "10"},
        {"ONHOUR", &f.OnHour, K::Check, "1"},
        {"QUARTERHOUR", &f.QuarterHour, K::Check, "1"},
        {"HALFHOUR", &f.HalfHour, K::Check, "1"},
        {"INFOHOURLY", &f.InfoHourly, K::Check, "0"},
        {"INFOQUATER", &f.InfoQuarter, K::Check, "0"},
        {"INFOHALF", &f.InfoHalf, K::Check, "0"},
        {"STOPCLOCK6", &f.StopClock6, K::Check, "0"},
        {"BEACONPERIOD6", &f.BeaconPeriod6, K::Text, "10"},
        {"CALLSIGN", &f.Callsign, K::Text, ""},
        {"CONDISC", &f.ConDisc, K::Check, "1"},
        {"ADDTIME", &f.AddTime, K::Check, "0"},
        {"FANPERIOD", &f.FanPeriod, K::Text, "0"},
        {"FANCTRL", &f.FanCTRL, K::Check, "0"},
        {"TTSPERIOD", &f.TTSPeriod, K::Text, "0"},
        {"TOGGLETEXT", &f.ToggleText, K::Text, ""},
        {"TTSCTRL", &f.TTSCTRL, K::Check, "0"},
        {"USEDTR", &f.UseDTR, K::Option, "1"},
        {"USERTS", &f.UseRTS, K::Option, "0"},
        {"DELAYPERIOD", &f.DelayPeriod, K::Text, "10"},
        {"DELAYCTRL", &f.DelayCTRL, K::Check, "0"},
        {"CHECK3", &f.Check3, K::Check, "1"},
        {"VOLSET", &f.VolSet, K::Text, "0"},
        {"TTSVOLSET", &f.TTSVolSet, K::Text, "50"},
        {"ConnectStationx", &f.ConnectStationx, K::Text, ""},
        {"BeaconPeriodx", &f.BeaconPeriodx, K::Text, "5"},
        {"StopClockx", &f.StopClockx, K::Check, "0"},
        {"ENABLEAUTOCONNECT", &f.EnableAutoConnect, K::Text, "*1*"},
        {"DISABLEAUTOCONNECT", &f.DisableAutoConnect, K::Text, "*0*"},
    };
}

// The save's order; the six schedule keys ending in "b" are written upper-cased (same entries).
const std::vector<const char*>& keysInSaveOrder() {
    static const std::vector<const char*> order = {
        "Option3", "Option4", "DTR", "RTS", "FanCTRL2", "FanOnMessage", "FanOffMessage", "TEXT3", "TEXT4", "TEXT2",
        "TEXT8", "CONNECTBELLCHECK", "CHECK5", "CHECK6", "CHECK7", "PLUSSECONDS", "CONNECTSTATION1",
        "CONNECTSTATION2", "CONNECTSTATION3", "CONNECTSTATION4", "STAYCON1", "STAYCON2", "STAYCON3", "STAYCON4",
        "DTMF", "USEDTMF", "CWCALLSIGN", "CWCALLSIGNLONG", "LONGID", "BEACONPERIOD7", "STOPCLOCK7", "BEACONPERIOD1",
        "STOPCLOCK1", "USELONGCHECK", "VOLLEV", "VOICESPEED", "SUN", "MON", "TUE", "WED", "THUR", "FRI", "SAT",
        "HOUROFF1", "MINSOFF1", "HOURON1B", "MINSON1B", "SUN2", "MON2", "TUE2", "WED2", "THUR2", "FRI2", "SAT2",
        "HOUROFF2", "MINSOFF2", "TOGGLETEXT", "HOURON2B", "MINSON2B", "ConnectStationx", "BeaconPeriodx",
        "StopClockx", "SUN3", "MON3", "TUE3", "WED3", "THUR3", "FRI3", "SAT3", "HOUROFF3", "MINSOFF3", "HOURON3B",
        "MINSON3B", "ANNOUNCEOFF", "ANNOUNCEON", "CHECK1", "CHECK2", "OPTION1", "OPTION2", "CHECK4", "TEXT5",
        "TEXT6", "TEXT7", "SAYTEXT", "IDCHECK", "VOICEPERIOD", "ONHOUR", "QUARTERHOUR", "HALFHOUR", "INFOHOURLY",
        "INFOQUATER", "INFOHALF", "STOPCLOCK6", "BEACONPERIOD6", "CALLSIGN", "CONDISC", "ADDTIME", "FANPERIOD",
        "FANCTRL", "TTSPERIOD", "TTSCTRL", "USEDTR", "USERTS", "DELAYPERIOD", "DELAYCTRL", "CHECK3", "VOLSET",
        "TTSVOLSET", "ENABLEAUTOCONNECT", "DISABLEAUTOCONNECT"};
    return order;
}
}  // namespace

void Form3::loadSettings() {
    const SettingsFile ini(app().settingsPath(kSettingsFile));
    for (const Key& k : keysInLoadOrder(*this)) {
        switch (k.kind) {
            case Kind::Text:
                loadText(*this, ini, k.name, static_cast<TextBox&>(*k.control), k.def);
                break;
            case Kind::Callsign: {
                // Stored in capitals, so read in capitals too: the station compares as EchoLink names it.
                auto& box = static_cast<TextBox&>(*k.control);
                box.load(ucase(fittedText(*this, ini, k.name, box, ini.read(k.name, k.def), k.def)));
                break;
            }
            case Kind::Path:
                storedPaths_[k.control] = loadPath(*this, ini, k.name, static_cast<TextBox&>(*k.control), k.def);
                break;
            case Kind::Check:
                loadCheck(*this, ini, k.name, static_cast<CheckBox&>(*k.control), k.def);
                break;
            case Kind::Option:
                loadOption(*this, ini, k.name, static_cast<OptionButton&>(*k.control), k.def);
                break;
            case Kind::Slider:
                loadSlider(*this, ini, k.name, static_cast<Slider&>(*k.control), k.def);
                break;
        }
    }
    loadPosition(*this, ini);
}

void Form3::SaveData() {
    SettingsFile ini(app().settingsPath(kSettingsFile));
    const auto keys = keysInLoadOrder(*this);
    for (const char* name : keysInSaveOrder()) {
        for (const Key& k : keys) {
            if (!equalsNoCase(k.name, name)) continue;
            switch (k.kind) {
                case Kind::Text:
                    saveText(ini, name, static_cast<TextBox&>(*k.control));
                    break;
                case Kind::Path:
                    savePath(ini, name, static_cast<TextBox&>(*k.control), storedPaths_[k.control]);
                    break;
                case Kind::Callsign:
                    ini.write(name, ucase(static_cast<TextBox&>(*k.control).text()));
                    break;
                case Kind::Check:
                    saveCheck(ini, name, static_cast<CheckBox&>(*k.control));
                    break;
                case Kind::Option:
                    saveOption(ini, name, static_cast<OptionButton&>(*k.control));
                    break;
                case Kind::Slider:
                    saveSlider(ini, name, static_cast<Slider&>(*k.control));
                    break;
            }
            break;
        }
    }
    keepSysopStayConnected(ini);
    savePosition(ini, *this);
    saveOrLog(*this, ini);
}

// A running net holds the first two stay-connected boxes clear for its time and gives the sysop's
// values back when it ends: those values are what the file keeps, whenever it is saved.
void Form3::keepSysopStayConnected(SettingsFile& ini) {
    if (!app().exists("Form4")) return;
    const auto own = app().form4().netSession.sysopStayConnected();
    if (!own) return;
    ini.write("STAYCON1", std::to_string(own->con1));
    ini.write("STAYCON2", std::to_string(own->con2));
}
