#pragma once
// The station settings of the soak and the benchmarks: idents, time and information
// announcements, beacons, courtesy tones with a tail, stay-connected and timed connections, the
// daily and idle disconnects, news bulletins, transmission breaks. "@DATA@" in a value stands for the data folder.
#include <algorithm>
#include <functional>
#include <map>
#include <string>
#include <utility>
#include <vector>

namespace station_settings {

using Keys = std::vector<std::pair<std::string, std::string>>;

inline std::string iniText(const Keys& keys) {
    std::string text = "[SETTINGS]\n";
    for (const auto& [k, v] : keys) text += k + "=" + v + "\n";
    return text;
}

inline const std::map<std::string, Keys>& settingsSet() {
    static const std::map<std::string, Keys> set = {
        // idents, time and information announcements, CW ident, stay-connected and timed
        // connections, connect notices with the bell, spoken chat, the silence scheduler
        {"identabc.ini",
         {{"Option3", "True"}, {"Option4", "False"}, {"STOPCLOCK7", "1"}, {"BEACONPERIOD7", "10"},
          {"USELONGCHECK", "1"}, {"LONGID", "3"}, {"CWCALLSIGN", "N0CALL"}, {"CWCALLSIGNLONG", "N0CALL JO01"},
          {"STOPCLOCK6", "1"}, {"BEACONPERIOD6", "20"}, {"CALLSIGN", "N0CALL link"}, {"IDCHECK", "1"},
          {"VOICEPERIOD", "10"}, {"ONHOUR", "1"}, {"QUARTERHOUR", "1"}, {"HALFHOUR", "1"}, {"OPTION1", "False"},
          {"OPTION2", "True"}, {"INFOHOURLY", "1"}, {"INFOHALF", "1"}, {"SAYTEXT", "1"}, {"CONDISC", "1"},
          {"ADDTIME", "1"}, {"CONNECTBELLCHECK", "1"}, {"TEXT2", "@DATA@/bell.wav"},
          {"CONNECTSTATION1", "W1STAY"}, {"STAYCON1", "1"}, {"CONNECTSTATION2", "K2STAY-R"}, {"STAYCON2", "1"},
          {"PLUSSECONDS", "15"}, {"DTMF", "#99"}, {"USEDTMF", "1"}, {"TEXT3", "###1"}, {"TEXT4", "###0"},
          {"TEXT5", "###3"}, {"TEXT8", "#18"}, {"ANNOUNCEOFF", "#71"}, {"ANNOUNCEON", "#70"},
          {"TOGGLETEXT", "#55"}, {"ConnectStationx", "W9XYZ"}, {"BeaconPeriodx", "30"}, {"StopClockx", "1"},
          {"ENABLEAUTOCONNECT", "*11*"}, {"DISABLEAUTOCONNECT", "*10*"}, {"TTSCTRL", "1"}, {"TTSPERIOD", "1"},
          {"SUN", "1"}, {"MON", "1"}, {"TUE", "1"}, {"WED", "1"}, {"THUR", "1"}, {"FRI", "1"}, {"SAT", "1"},
          {"HOUROFF1", "23"}, {"MINSOFF1", "30"}, {"HOURON1B", "06"}, {"MINSON1B", "15"}, {"CHECK2", "1"}}},
        // beacon sets: timed and information beacons
        {"beaconabc.ini",
         {{"STOPCLOCK1", "1"}, {"BEACONPERIOD1", "15"}, {"INFOHOURLY", "1"}, {"INFOQUATER", "1"},
          {"TEXT1", "This is the N0CALL link"}, {"TEXT2", "Nets every Sunday"}, {"TEXT21", "N0CALL beacon"}}},
        {"beaconabc2.ini",
         {{"STOPCLOCK1", "1"}, {"BEACONPERIOD1", "20"}, {"INFOHALF", "1"}, {"TEXT1", "Second set beacon"}}},
        // courtesy tones with a tail, the no-station notice
        {"mvcourtesy.ini",
         {{"CHECK1", "1"}, {"COURTESYID", "K"}, {"IPCOURTESY", "E"}, {"OPTION1", "False"}, {"OPTION2", "True"},
          {"RFTONE", "@DATA@/rf.wav"}, {"INETTONE", "@DATA@/ip.wav"}, {"OPTION3", "True"}, {"OPTION5", "False"},
          {"NOCON", "1"}, {"NOSTATIONCON", "No stations are connected"}, {"HANGTIME", "500"}}},
        // connect control: daily disconnect and connect, idle disconnect, DTMF connects
        {"dtmfctrl.ini",
         {{"Hour0", "03"}, {"Mins0", "00"}, {"CHECK5", "1"}, {"CHECK7", "1"}, {"Hour00", "03"}, {"Mins00", "05"},
          {"CHECK6", "1"}, {"CONNECT1", "K2XYZ"}, {"CHECK9", "1"}, {"STOPCLOCK17", "1"}, {"BEACONPERIOD17", "20"},
          {"TEXT5", "HOME1"}, {"CHECK13", "1"}, {"DTMF1", "101"}, {"CALL1", "W1ABC"}, {"DTMF2", "102"},
          {"CALL2", "G4AAA-R"}, {"DTMF3", "103"}, {"CALL3", "*IRELAND*"}, {"DISCMINS1", "15"}}},
        // the news player: a bulletin every day at 08:00 and 20:00 with its one-minute warning
        {"newsabc.ini",
         {{"SUN3", "1"}, {"MON3", "1"}, {"TUE3", "1"}, {"WED3", "1"}, {"THUR3", "1"}, {"FRI3", "1"}, {"SAT3", "1"},
          {"HOUR3", "08"}, {"MINS3", "00"}, {"HOUR33", "20"}, {"MINS33", "00"}, {"Text4x", "@DATA@/news.mp3"},
          {"CHECK1", "1"}}},
        // the player: transmission breaks on long files
        {"MP3_PlayerABC.ini", {{"STOPCLOCK8", "1"}, {"BEACONPERIOD8", "5"}, {"TEXT6", "60"}}},
    };
    return set;
}

// Writes every file of the set through `write(name, content)`, "@DATA@" replaced by `dataFolder`;
// a key in `overrides` takes the place of the set's own (a file only there is written too).
inline void writeAll(const std::string& dataFolder,
                     const std::function<void(const std::string&, const std::string&)>& write,
                     const std::map<std::string, Keys>& overrides = {}) {
    std::map<std::string, Keys> files = settingsSet();
    for (const auto& [file, keys] : overrides)
        for (const auto& [key, value] : keys) {
            Keys& own = files[file];
            auto same = std::find_if(own.begin(), own.end(), [&](const auto& kv) { return kv.first == key; });
            if (same != own.end())
                same->second = value;
            else
                own.emplace_back(key, value);
        }
    for (const auto& [file, keys] : files) {
        std::string text = "[SETTINGS]\n";
        for (auto [k, v] : keys) {
            if (const auto at = v.find("@DATA@"); at != std::string::npos) v.replace(at, 6, dataFolder);
            text += k + "=" + v + "\n";
        }
        write(file, text);
    }
}

// The sound files the set names, with their lengths in seconds.
inline const std::vector<std::pair<std::string, double>>& soundFiles() {
    static const std::vector<std::pair<std::string, double>> files = {
        {"bell.wav", 1.5}, {"news.mp3", 420}, {"rf.wav", 0.4}, {"ip.wav", 0.3}, {"RF.wav", 0.4}, {"IP.wav", 0.3}};
    return files;
}

}  // namespace station_settings
