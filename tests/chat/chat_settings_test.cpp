// Every settings file of the chat windows gives back, after a load and a save, every key it held.
#include "chat/chat_window.h"
#include "chat/greetings_window.h"
#include "chat/preset_texts_window.h"
#include "chat/sysop_messages_window.h"
#include "core/settings.h"
#include "support/station_fixture.h"

namespace {
using Keys = std::vector<std::pair<std::string, std::string>>;

std::string iniText(const Keys& keys) {
    std::string s = "[SETTINGS]\n";
    for (const auto& [k, v] : keys) s += k + "=" + SettingsFile::encode(v) + "\n";
    return s;
}

void expectRoundTrip(const std::string& file, const Keys& keys, const std::function<void(Station&)>& loadAndSave) {
    Station s;
    s.writeSettings(file, iniText(keys));
    loadAndSave(s);
    const SettingsFile saved(s.settingsFile(file));
    for (const auto& [k, v] : keys) {
        EXPECT_TRUE(saved.has(k)) << file << " lost " << k;
        EXPECT_EQ(saved.read(k, "<absent>", 1000), v) << file << " " << k;
    }
    EXPECT_FALSE(s.transcript().contains("LOG ")) << file;
}
}  // namespace

TEST(ChatSettings, ChatWindowRoundTripsAllEighteenKeys) {
    Keys keys = {{"CHECK1", "0"}, {"CHECK2", "2"}, {"CHECK3", "0"}, {"OPTION1", "False"}, {"OPTION2", "True"},
                 {"EXTRACALL", "K2XYZ"}};
    for (int k = 1; k <= 12; ++k) keys.push_back({"FILTERTEXT" + std::to_string(k), " word " + std::to_string(k)});
    expectRoundTrip("messagebox.ini", keys, [](Station& s) { s.app().messages().SaveData(); });
}

TEST(ChatSettings, ChatWindowDefaultsAndOddValues) {
    Station s;
    Messages& chat = s.app().messages();
    EXPECT_EQ(chat.Check1.value(), 1);
    EXPECT_EQ(chat.Check2.value(), 1);
    EXPECT_EQ(chat.Check3.value(), 1);
    EXPECT_EQ(chat.Check5.value(), 0);
    EXPECT_TRUE(chat.Option1.value());
    EXPECT_FALSE(chat.Option2.value());
    EXPECT_EQ(chat.filterText(5).text(), "Disconnected");
    EXPECT_EQ(chat.filterText(6).text(), "");
    EXPECT_EQ(chat.Callsign2, "N0CALL-L> ");
    chat.SaveData();
    const SettingsFile saved(s.settingsFile("messagebox.ini"));
    EXPECT_EQ(saved.read("OPTION1", ""), "True");
    EXPECT_EQ(saved.read("OPTION2", ""), "False");
    EXPECT_EQ(saved.read("CHECK3", ""), "1");

    Station t;
    t.writeSettings("messagebox.ini", "[SETTINGS]\nOPTION1=True\nOPTION2=True\nFILTERTEXT1=" + std::string(300, 'a') +
                                          "\nEXTRACALL=\nCHECK1=lots\n");
    Messages& c2 = t.app().messages();
    EXPECT_FALSE(c2.Option1.value());
    EXPECT_TRUE(c2.Option2.value());
    EXPECT_EQ(c2.filterText(1).text(), std::string(264, 'a'));
    EXPECT_EQ(c2.Check1.value(), 1);   // the key's default, and the log says why
    EXPECT_TRUE(t.transcript().contains("LOG "));
}

TEST(ChatSettings, PresetTextsRoundTripAllTwentyTwoKeys) {
    Keys keys;
    for (int k = 1; k <= 20; ++k) keys.push_back({"TEXT" + std::to_string(k), "preset " + std::to_string(k)});
    keys.push_back({"LEFT", "1234"});
    keys.push_back({"TOP", "-20"});
    expectRoundTrip("textmessage.ini", keys, [](Station& s) { s.click("Form116.Command12"); });
}

TEST(ChatSettings, PresetTextDefaults) {
    Station s;
    Form116& p = s.app().form116();
    EXPECT_EQ(p.text(1).text(), "Im using MarovanePlus here on the node");
    EXPECT_FALSE(p.text(2).text().empty());
    EXPECT_EQ(p.text(5).text(), "Im logged onto the *IRELAND* conference node number 2605");
    EXPECT_EQ(p.text(7).text(), "");
    EXPECT_EQ(p.Left, 300);
    EXPECT_EQ(p.Top, 300);
}

TEST(ChatSettings, SysopMessagesRoundTripAllThreeKeys) {
    expectRoundTrip("messageforsysop.ini", {{"Check1", "0"}, {"LEFT", "4000"}, {"TOP", "99999"}},
                    [](Station& s) { s.click("Form126.Command6"); });
    Station t;
    EXPECT_EQ(t.app().form126().Check1.value(), 1);
}

TEST(ChatSettings, GreetingsRoundTripAllTwentyThreeKeys) {
    Keys keys;
    for (int k = 1; k <= 9; ++k)
        keys.push_back({k == 1 ? "TEXTTXMESSAGE" : "TEXTTXMESSAGE" + std::to_string(k), "greeting " + std::to_string(k)});
    keys.push_back({"USEGREETING", "0"});
    keys.push_back({"TIMESTAMP", "2"});
    keys.push_back({"BEACONPERIODDELAY", "7"});
    for (int k = 1; k <= 10; ++k) keys.push_back({"OPTION" + std::to_string(k), k == 6 ? "True" : "False"});
    keys.push_back({"CHECK1", "1"});
    expectRoundTrip("marogreeting.ini", keys, [](Station& s) { s.click("Form10.Command2"); });
}

TEST(ChatSettings, GreetingDefaults) {
    Station s;
    Form10& g = s.app().form10();
    EXPECT_EQ(g.UseGreeting.value(), 1);
    EXPECT_EQ(g.TimeStamp.value(), 1);
    EXPECT_EQ(g.Check1.value(), 0);
    EXPECT_TRUE(g.Option10.value());
    EXPECT_EQ(g.BeaconPeriodDelay.text(), "3");
    EXPECT_EQ(g.MaxRand.text(), "10");
    EXPECT_EQ(g.greeting(9).text(), "Has Joined The Conference");
}
