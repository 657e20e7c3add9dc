// dtmfctrl.ini: all 128 keys are read at creation and written back by SaveData.
#include <sstream>
#include <utility>
#include <vector>

#include "link_station.h"

namespace {

// Every key in the order the file is written, with its kind: T text, P period (a number), H two-digit
// hour or minute box, U capitals box (a callsign), C check box, E window edge.
const std::vector<std::pair<std::string, char>>& keys() {
    static const std::vector<std::pair<std::string, char>> k = [] {
        std::vector<std::pair<std::string, char>> v = {
            {"STOPPLAYER", 'T'}, {"TEXT1X", 'U'},     {"TEXT2X", 'T'},       {"TEXT3X", 'T'},
            {"DELAYPERIOD", 'P'}, {"BEACONPERIOD17", 'P'}, {"TEXT5", 'U'},   {"CHECK14", 'C'},
            {"CHECK16", 'C'},    {"CHECK18", 'C'},    {"CHECK21", 'C'},      {"CHECK4", 'C'},
            {"CHECK13", 'C'},    {"STOPCLOCK17", 'C'}, {"CHECK10", 'C'},     {"CHECK12", 'C'},
            {"RESTART", 'T'},    {"CLOSEDOWN", 'T'},
        };
        for (int i = 1; i <= 4; ++i) v.push_back({"DISCMINS" + std::to_string(i), 'P'});
        for (const char* c : {"CHECK2", "CHECK3", "CHECK11", "CHECK20"}) v.push_back({c, 'C'});
        v.insert(v.end(), {{"DTMFDELAYSECONDS", 'P'}, {"USEDTMFDELAY", 'C'}, {"TEXT555", 'T'}, {"BEACONPERIOD", 'P'},
                           {"TEXT111", 'T'}, {"TEXT222", 'T'}, {"TEXT333", 'T'}, {"CHECK1", 'C'}, {"TEXT1111", 'T'},
                           {"TEXT2222", 'T'}});
        for (int i = 1; i <= 8; ++i) v.push_back({"DTMF" + std::to_string(i), 'T'});
        for (int i = 1; i <= 8; ++i) v.push_back({"CALL" + std::to_string(i), 'U'});
        for (const char* c : {"DTMFGROUP1CONNECT", "DTMFGROUP1DISC", "DTMFGROUP2CONNECT", "DTMFGROUP2DISC"})
            v.push_back({c, 'T'});
        for (int i = 1; i <= 6; ++i) v.push_back({"GROUPCALL" + std::to_string(i), 'U'});
        auto slot = [&](const std::string& digit) {
            for (const char* d : {"SUN", "MON", "TUE", "WED", "THUR", "FRI", "SAT"}) v.push_back({d + digit, 'C'});
            v.push_back({"HOUR" + digit, 'H'});
            v.push_back({"MINS" + digit, 'H'});
        };
        slot("2");
        for (int i = 1; i <= 4; ++i) v.push_back({"NETCALL" + std::to_string(i), 'U'});
        slot("");
        slot("3");
        slot("4");
        for (int i = 1; i <= 4; ++i) v.push_back({"DISCONNECTALL" + std::to_string(i), 'C'});
        v.insert(v.end(), {{"LEFT", 'E'}, {"TOP", 'E'}});
        for (int i = 1; i <= 4; ++i) v.push_back({"SHOWBUSY" + std::to_string(i), 'C'});
        v.insert(v.end(), {{"RFBUSY", 'C'}, {"Hour0", 'T'}, {"Hour00", 'T'}, {"Mins0", 'T'}, {"Mins00", 'T'},
                           {"CONNECT1", 'U'}, {"DISCONNECT1", 'T'}});
        for (int i = 5; i <= 9; ++i) v.push_back({"CHECK" + std::to_string(i), 'C'});
        for (int i = 23; i <= 26; ++i) v.push_back({"CHECK" + std::to_string(i), 'C'});
        return v;
    }();
    return k;
}

std::vector<std::pair<std::string, std::string>> parse(const std::string& file) {
    std::vector<std::pair<std::string, std::string>> out;
    std::istringstream in(file);
    std::string line;
    while (std::getline(in, line)) {
        if (line.empty() || line[0] == '[') continue;
        const auto eq = line.find('=');
        out.push_back({line.substr(0, eq), line.substr(eq + 1)});
    }
    return out;
}

}  // namespace

TEST(ConnectControlSettings, AllKeysComeBackAsTheyWereSaved) {
    ASSERT_EQ(keys().size(), 128u);
    std::vector<std::pair<std::string, std::string>> stored;
    int i = 0;
    for (const auto& [key, kind] : keys()) {
        ++i;
        std::string value;
        switch (kind) {
            case 'T': value = "t" + std::to_string(i); break;
            case 'P': value = std::to_string(10 + i); break;
            case 'H': value = std::to_string(10 + i % 50); break;
            case 'U': value = "U" + std::to_string(i) + "-L"; break;
            case 'C': value = std::to_string(1 + i % 2); break;
            case 'E': value = std::to_string(1000 + i); break;
        }
        stored.push_back({key, value});
    }
    stored[0].second = "\" 12 \"";   // blanks kept by quoting
    std::string file = "[SETTINGS]\n";
    for (const auto& [k, v] : stored) file += k + "=" + v + "\n";

    Station s;
    s.writeSettings(Form4::kSettingsFile, file);
    Form4& f = openConnectControl(s);
    EXPECT_EQ(f.StopPlayer.text(), " 12 ");
    auto value = [&](const std::string& key) {
        for (const auto& [k, v] : stored)
            if (k == key) return v;
        return std::string();
    };
    EXPECT_EQ(std::to_string(f.Left), value("LEFT"));
    EXPECT_EQ(std::to_string(f.Thur4.value()), value("THUR4"));
    EXPECT_EQ(f.DelaySeconds.caption(), std::to_string(60 * std::stoi(value("DELAYPERIOD"))));
    EXPECT_EQ(f.DiscPeriod2.caption(), std::to_string(60 * std::stoi(value("DISCMINS2"))));
    EXPECT_EQ(f.Hour0.text(), value("Hour0"));
    s.advance(3);
    s.click("Form4.Command14");
    EXPECT_EQ(parse(s.readSettings(Form4::kSettingsFile)), stored);
    EXPECT_EQ(s.transcript().count("LOG "), 0);
}

TEST(ConnectControlSettings, WithoutAFileTheWindowStartsWithItsDefaultsAndTheFirstSaveWritesEveryKey) {
    Station s;
    Form4& f = openConnectControl(s);
    EXPECT_EQ(f.caption(), "MVSmall    N0CALL-L   v1.0.0   DTMFctrl and Nets");
    EXPECT_EQ(f.Check1.value(), 1);
    EXPECT_EQ(f.Text111.text(), "73");
    EXPECT_EQ(f.Text1x.text(), "");
    EXPECT_EQ(f.BeaconSeconds.caption(), "60");
    EXPECT_EQ(f.DelaySeconds.caption(), "300");
    EXPECT_TRUE(f.DTMFDelay.enabled());
    EXPECT_EQ(f.DTMFDelayPeriod.caption(), "5");
    EXPECT_EQ(f.BeaconSeconds17.caption(), "300");
    EXPECT_EQ(f.Hour0.text(), "99");
    EXPECT_EQ(f.Mins00.text(), "99");
    EXPECT_EQ(f.Hour3.text(), "24");
    EXPECT_EQ(f.Mins3.text(), "00");
    EXPECT_EQ(f.DiscMins4.text(), "0");
    EXPECT_EQ(f.DiscPeriod4.caption(), "0");
    EXPECT_FALSE(f.Timer3.enabled() || f.Timer4.enabled() || f.Timer5.enabled() || f.Timer6.enabled());
    EXPECT_FALSE(f.Timer10.enabled() || f.Timer11.enabled() || f.Timer16.enabled());
    EXPECT_EQ(f.ListBusy, "0");
    EXPECT_EQ(f.Left, 300);
    EXPECT_EQ(f.Top, 300);
    EXPECT_FALSE(f.visible());

    f.SaveData();
    const auto saved = parse(s.readSettings(Form4::kSettingsFile));
    ASSERT_EQ(saved.size(), 128u);
    for (size_t i = 0; i < saved.size(); ++i) EXPECT_EQ(saved[i].first, keys()[i].first);
    EXPECT_EQ(saved[0], (std::pair<std::string, std::string>{"STOPPLAYER", ""}));
    EXPECT_EQ(saved[33], (std::pair<std::string, std::string>{"CHECK1", "1"}));
}

TEST(ConnectControlSettings, EmptyAndBadStoredValues) {
    Station s;
    Form4& f = openConnectControl(s,
                                  "TEXT111=\nDTMFDELAYSECONDS=\nDISCMINS2=\nBEACONPERIOD=\nBEACONPERIOD17=\nDELAYPERIOD=\n"
                                  "CHECK5=abc\nCHECK6=7\nDISCMINS3=x\nTEXT5=" + std::string(300, 'A') + "\n");
    EXPECT_EQ(f.Text111.text(), "");
    EXPECT_EQ(f.DTMFDelaySeconds.text(), "0");
    EXPECT_FALSE(f.DTMFDelay.enabled());
    EXPECT_EQ(f.DTMFDelayPeriod.caption(), "0");
    EXPECT_EQ(f.DiscMins2.text(), "0");
    EXPECT_EQ(f.DiscPeriod2.caption(), "0");
    EXPECT_EQ(f.BeaconPeriod.text(), "0");
    EXPECT_EQ(f.BeaconSeconds.caption(), "0");
    EXPECT_EQ(f.BeaconPeriod17.text(), "1");
    EXPECT_EQ(f.BeaconSeconds17.caption(), "60");
    EXPECT_EQ(f.DelayPeriod.text(), "1");
    EXPECT_EQ(f.DelaySeconds.caption(), "60");
    EXPECT_EQ(f.Check5.value(), 0);
    EXPECT_EQ(f.Check6.value(), 0);
    EXPECT_EQ(f.DiscMins3.text(), "0");
    EXPECT_EQ(f.Text5.text(), std::string(255, 'A'));
    EXPECT_EQ(s.transcript().count("LOG "), 3);

    s.advance(1.5);                       // the DTMF-use switch turns the emptied period into a minute
    EXPECT_EQ(f.BeaconPeriod.text(), "1");
    EXPECT_EQ(f.BeaconSeconds.caption(), "60");
}

TEST(ConnectControlSettings, CallsignsOfTogglesGroupsAndNetsAreStoredInCapitals) {
    Station s;
    Form4& f = openConnectControl(s);
    f.Call2.setText("w1abc");
    f.GroupCall5.setText("k2xyz");
    f.NetCall3.setText("net");
    f.Text1x.setText("*echotest*");
    f.Disconnect1.setText(" n3oth ");
    f.SaveData();
    const std::string file = s.readSettings(Form4::kSettingsFile);
    for (const char* line : {"CALL2=W1ABC\n", "GROUPCALL5=K2XYZ\n", "NETCALL3=NET\n", "TEXT1X=*echotest*\n",
                             "DISCONNECT1=\" n3oth \"\n"})
        EXPECT_NE(file.find(line), std::string::npos) << line;
    EXPECT_EQ(f.Call2.text(), "w1abc");
}

TEST(ConnectControlSettings, TheInputRulesAreInPlaceFromTheLoadOn) {
    Station s;
    Form4& f = openConnectControl(s, "DISCMINS1=3\n");
    EXPECT_EQ(f.DiscPeriod1.caption(), "180");
    s.set("Form4.DiscMins1", "15");
    EXPECT_EQ(f.DiscPeriod1.caption(), "900");
    f.Timer3.enable();
    s.set("Form4.DiscMins1", "");
    EXPECT_EQ(f.DiscMins1.text(), "0");
    EXPECT_EQ(f.DiscPeriod1.caption(), "0");
    EXPECT_TRUE(f.Timer3.enabled());   // a running net is never abandoned
    s.set("Form4.Hour3", "2a1");
    EXPECT_EQ(f.Hour3.text(), "21");
    s.set("Form4.NetCall3", "abc");
    EXPECT_EQ(f.NetCall3.text(), "ABC");
    s.set("Form4.Call1", "w1abc");
    EXPECT_EQ(f.Call1.text(), "W1ABC");
    s.set("Form4.BeaconPeriod17", "0");
    EXPECT_EQ(f.BeaconPeriod17.text(), "1");
    EXPECT_EQ(f.BeaconSeconds17.caption(), "60");
}
