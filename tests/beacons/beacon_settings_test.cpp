// Creation of the beacon-set windows and their settings files.
#include <filesystem>

#include "beacon_test_support.h"
#include "core/settings.h"

namespace {
// Every key of a beacon-set file with a value other than its default, as saving writes it.
std::vector<std::pair<std::string, std::string>> allBeaconKeys(bool set1) {
    std::vector<std::pair<std::string, std::string>> keys;
    if (set1) keys.push_back({"CHECK2", "1"});
    keys.push_back({"SERIAL", "True"});
    keys.push_back({"INFOHOURLY", "1"});
    keys.push_back({"INFOQUATER", "1"});
    keys.push_back({"INFOHALF", "1"});
    for (int k = 1; k <= 21; ++k) keys.push_back({"TEXT" + std::to_string(k), "beacon text " + std::to_string(k)});
    keys.push_back({"TEXT22", "4"});
    keys.push_back({"TEXT23", "9"});
    keys.push_back({"BEACONPERIOD1", "20"});
    for (int k = 1; k <= 20; ++k) keys.push_back({"OPTION" + std::to_string(k), k == 13 ? "True" : "False"});
    keys.push_back({"STOPCLOCK0", "False"});
    keys.push_back({"STOPCLOCK1", "1"});
    keys.push_back({"STOPCLOCK2", "False"});
    keys.push_back({"MAXRAND", "12"});
    keys.push_back({"LEFT", "1440"});
    keys.push_back({"TOP", "2880"});
    return keys;
}

std::string iniText(const std::vector<std::pair<std::string, std::string>>& keys) {
    std::string text = "[SETTINGS]\n";
    for (const auto& [k, v] : keys) text += k + "=" + v + "\n";
    return text;
}
}  // namespace

TEST(BeaconSettings, EveryKeyRoundTripsInBothFiles) {
    for (const bool set1 : {true, false}) {
        const std::string file = set1 ? "beaconabc.ini" : "beaconabc2.ini";
        SCOPED_TRACE(file);
        Station s;
        const auto keys = allBeaconKeys(set1);
        s.writeSettings(file, iniText(keys));
        BeaconSetWindow& set = set1 ? static_cast<BeaconSetWindow&>(s.app().form111()) : s.app().form110();
        EXPECT_EQ(set.BeaconSeconds1.caption(), "1200");
        EXPECT_TRUE(set.Serial.value());
        EXPECT_TRUE(set.Option13.value());
        EXPECT_EQ(set.Left, 1440);
        std::filesystem::remove(s.settingsFile(file));
        set.SaveData();
        const SettingsFile saved(s.settingsFile(file));
        for (const auto& [key, value] : keys) EXPECT_EQ(saved.read(key, "<missing>"), value) << key;
        EXPECT_EQ(saved.has("CHECK2"), set1);
    }
}

TEST(BeaconSettings, NoFileGivesTheDefaultsAndTheFirstSaveWritesThemAll) {
    Station s;
    Form111& set = s.app().form111();
    EXPECT_EQ(set.Text1.text(), "Enter your beacon text here");
    EXPECT_EQ(set.Text21.text(), "Enter your beacon text here");
    EXPECT_EQ(set.Text2.text(), "");
    EXPECT_EQ(set.Text22.text(), "1");
    EXPECT_EQ(set.Text23.text(), "1");
    EXPECT_EQ(set.BeaconPeriod1.text(), "15");
    EXPECT_EQ(set.BeaconSeconds1.caption(), "900");
    EXPECT_EQ(set.MaxRand.text(), "20");
    EXPECT_TRUE(set.StopClock2.value());
    EXPECT_TRUE(set.Option1.value());
    EXPECT_EQ(set.StopClock1.value(), 0);
    EXPECT_EQ(set.InfoHourly.value() + set.InfoQuarter.value() + set.InfoHalf.value(), 0);
    EXPECT_EQ(set.Check2.value(), 0);
    EXPECT_EQ(set.Left, 300);
    EXPECT_EQ(set.Top, 300);
    EXPECT_EQ(set.caption(), "MVSmall    N0CALL-L   v1.0.0      Beacons  Set 1");
    EXPECT_EQ(s.app().form110().caption(), "MVSmall    N0CALL-L   v1.0.0      Beacons  Set 2");
    EXPECT_EQ(set.Frame1.caption(), "Beacon Text or File Location for  .txt  . wav  .mp3");
    EXPECT_EQ(s.app().form110().Frame1.caption(), "Beacon 2 Text or File Location for  .txt  . wav  .mp3");
    EXPECT_EQ(set.Command11.caption(), "Text Beacons 2");
    EXPECT_EQ(s.app().form110().Command11.caption(), "Text Beacons 1");

    set.SaveData();
    const SettingsFile saved(s.settingsFile("beaconabc.ini"));
    EXPECT_EQ(saved.read("OPTION1", ""), "True");
    EXPECT_EQ(saved.read("OPTION2", ""), "False");
    EXPECT_EQ(saved.read("STOPCLOCK2", ""), "True");
    EXPECT_EQ(saved.read("TEXT2", "<missing>"), "");
}

TEST(BeaconSettings, ReadingFollowsTheProfileRules) {
    Station s;
    s.writeSettings("beaconabc2.ini",
                    "[SETTINGS]\nSerial=False\nsTopClOcK0=True\nSTOPCLOCK2=False\nTEXT5=" + std::string(300, 'x') +
                        "\nOPTION4=True\nOPTION11=1\nOPTION2=True\n");
    s.writeSettings("beaconabc.ini", "[SETTINGS]\nSERIAL=True\nSTOPCLOCK0=True\nSTOPCLOCK2=False\n");
    Form110& set2 = s.app().form110();
    EXPECT_TRUE(set2.StopClock0.value()) << "keys are found without regard to case";
    EXPECT_EQ(set2.Text5.text(), std::string(255, 'x'));
    EXPECT_TRUE(set2.Option11.value()) << "of several selected slots the highest-numbered one ends selected";
    Form111& set1 = s.app().form111();
    EXPECT_TRUE(set1.StopClock0.value()) << "of several beacon types the one read last ends selected";
    EXPECT_FALSE(set1.Serial.value());

    set2.Check1.setValue(1);
    set2.SaveData();
    set2.closeRequest();
    EXPECT_EQ(s.app().form110().Check1.value(), 0) << "Check1 is not stored";
    EXPECT_FALSE(SettingsFile(s.settingsFile("beaconabc2.ini")).has("CHECK2"));
}

TEST(BeaconSettings, AFileMarkingNoTypeLeavesNoTypeSelected) {
    Station s;
    s.writeSettings("beaconabc.ini", "[SETTINGS]\nSERIAL=False\nSTOPCLOCK0=False\nSTOPCLOCK2=False\n");
    Form111& set = s.app().form111();
    EXPECT_FALSE(set.StopClock2.value() || set.Serial.value() || set.StopClock0.value());
}
