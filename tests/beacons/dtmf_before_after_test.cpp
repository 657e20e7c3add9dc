// The DTMF-before/after window and its settings file.
#include <filesystem>

#include "beacon_test_support.h"
#include "core/settings.h"

TEST(DtmfBeforeAfter, IsCreatedByTheFirstSet2BeaconNotAtStartUp) {
    Station s({"2026-12-10 12:00:00", "N0CALL-L", true});
    EXPECT_FALSE(s.app().exists("Form128"));
    s.app().form3().Check1.setValue(1);
    s.app().act([&] { s.app().form111().RandomGreeting(); });
    EXPECT_FALSE(s.app().exists("Form128"));
    s.app().act([&] { s.app().form110().RandomGreeting(); });
    ASSERT_TRUE(s.app().exists("Form128"));
    Form128& w = s.app().form128();
    EXPECT_FALSE(w.visible());
    EXPECT_EQ(w.caption(), "Send DTMF Before and After TX");
    EXPECT_TRUE(w.Option20.value());
    for (int k = 1; k <= 14; ++k) EXPECT_EQ(w.use(k).value(), 0);
    for (int k = 1; k <= 24; ++k) EXPECT_EQ(w.digits(k).text(), "");
}

TEST(DtmfBeforeAfter, EveryKeyRoundTripsThroughSaveData) {
    std::vector<std::pair<std::string, std::string>> keys;
    for (int k = 1; k <= 14; ++k) keys.push_back({"CHECK" + std::to_string(k), std::to_string(k % 3)});
    for (int k = 1; k <= 24; ++k) keys.push_back({"TEXT" + std::to_string(k), "*" + std::to_string(100 + k)});
    Station s;
    std::string text = "[SETTINGS]\n";
    for (const auto& [k, v] : keys) text += k + "=" + v + "\n";
    s.writeSettings("senddtmf.ini", text);
    Form128& w = s.app().form128();
    EXPECT_EQ(w.Text12.text(), "*112");
    EXPECT_EQ(w.Text21.text(), "*121");
    EXPECT_EQ(w.Check13.value(), 1);
    std::filesystem::remove(s.settingsFile("senddtmf.ini"));
    s.click("Form128.Command2");
    const SettingsFile saved(s.settingsFile("senddtmf.ini"));
    for (const auto& [key, value] : keys) EXPECT_EQ(saved.read(key, "<missing>"), value) << key;
    EXPECT_FALSE(saved.has("LEFT"));
    s.click("Form128.Command1");
    EXPECT_FALSE(w.visible());
}
