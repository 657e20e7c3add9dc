// The player's settings file: every key comes back after a load and a save, first start gives the
// designed values, and a value that does not convert is logged without stopping the load.
#include <fstream>
#include <sstream>

#include "core/settings.h"
#include "dtmf_player_support.h"

namespace {
constexpr const char* kFile = "marodtmfhelpMP3.ini";
using Keys = std::vector<std::pair<std::string, std::string>>;

Keys allKeysInOrder(const std::function<std::string(const std::string&)>& valueOf) {
    std::vector<std::string> names = {"VOLSET", "TEXT2", "TEXT43", "TEXT42", "TEXT41"};
    for (int k = 4; k <= 40; ++k) names.push_back("TEXT" + std::to_string(k));
    for (int k = 1; k <= 10; ++k) names.push_back("TextRep" + std::to_string(k));
    for (int k = 1; k <= 10; ++k) names.push_back("TextRep" + std::to_string(k) + "b");
    names.push_back("LEFT");
    names.push_back("TOP");
    Keys keys;
    for (const auto& n : names) keys.push_back({n, valueOf(n)});
    return keys;
}

std::string iniText(const Keys& keys) {
    std::string s = "[SETTINGS]\n";
    for (const auto& [k, v] : keys) s += k + "=" + SettingsFile::encode(v) + "\n";
    return s;
}
}  // namespace

TEST(DtmfPlayerSettings, EverySixtyFourKeysRoundTrip) {
    const Keys keys = allKeysInOrder([](const std::string& key) -> std::string {
        if (key == "VOLSET") return "-1500";
        if (key == "TEXT2") return "7";
        if (key == "LEFT") return "1234";
        if (key == "TOP") return "567";
        if (key == "TEXT43") return " 1 2 ";                       // blanks at both ends survive
        if (key == "TEXT21") return "\"/home/ham/quoted name.wav\"";  // so do enclosing quotes
        if (key == "TextRep3") return "";                          // an emptied box stays empty
        return key + " value";
    });
    PlayerStation p;
    p.s.writeSettings(kFile, iniText(keys));
    p.s.app().form23().unload();
    Form23& w = p.s.app().form23();
    EXPECT_EQ(w.code(1).text(), " 1 2 ");
    EXPECT_EQ(w.location(1).text(), "\"/home/ham/quoted name.wav\"");
    EXPECT_EQ(w.code(4).text(), "TEXT4 value");
    EXPECT_EQ(w.location(20).text(), "TEXT40 value");
    EXPECT_EQ(w.replacement(10).text(), "TextRep10b value");
    EXPECT_EQ(w.V1.value(), -1500);
    EXPECT_EQ(p.player.V1.value(), -1500);   // the stored volume moved the player's slider too
    EXPECT_EQ(w.Left, 1234);
    EXPECT_EQ(w.Top, 567);

    std::remove(p.s.settingsFile(kFile).c_str());
    w.SaveData();
    const SettingsFile saved(p.s.settingsFile(kFile));
    for (const auto& [k, v] : keys) {
        EXPECT_TRUE(saved.has(k)) << k;
        EXPECT_EQ(saved.read(k, "<absent>", 1000), v) << k;
    }
    // Written afresh, the keys stand in their order and with their case.
    const std::string raw = p.s.readSettings(kFile);
    size_t at = 0;
    for (const auto& [k, v] : keys) {
        const size_t found = raw.find("\n" + k + "=", at);
        ASSERT_NE(found, std::string::npos) << k;
        at = found + 1;
    }
    EXPECT_EQ(p.s.transcript().count("LOG "), 0);
}

TEST(DtmfPlayerSettings, FirstStartGivesTheDesignedWindow) {
    PlayerStation p;
    Form23& w = p.w;
    for (int k = 1; k <= 20; ++k) {
        EXPECT_EQ(w.code(k).text(), "") << k;
        EXPECT_EQ(w.location(k).text(), "") << k;
    }
    EXPECT_EQ(w.Text2.text(), "3");
    EXPECT_EQ(w.VolSet.text(), "0");
    EXPECT_EQ(w.V1.value(), 0);
    EXPECT_EQ(w.word(1).text(), "T-Storms");
    EXPECT_EQ(w.replacement(1).text(), "Thunder Storms");
    for (int k = 2; k <= 10; ++k) EXPECT_EQ(w.word(k).text() + w.replacement(k).text(), "") << k;
    EXPECT_EQ(w.Left, 300);
    EXPECT_EQ(w.Top, 300);
    EXPECT_EQ(w.Width, 6335);
    EXPECT_FALSE(w.visible());
    EXPECT_EQ(w.caption(), "MVSmall    N0CALL-L   v1.0.0-- DTMF .mp3 .wav .txt http://  Player");
    EXPECT_EQ(w.PTT.caption(), "PTT OFF");
    // The table of names: slot 1's boxes and buttons, slot 7's, slot 20's.
    EXPECT_EQ(&w.code(1), w.findControl("Text43"));
    EXPECT_EQ(&w.code(3), w.findControl("Text41"));
    EXPECT_EQ(&w.location(7), w.findControl("Text27"));
    EXPECT_EQ(&w.picker(7), w.findControl("Command36"));
    EXPECT_EQ(&w.playButton(7), w.findControl("Command7"));
    EXPECT_EQ(&w.playButton(11), w.findControl("Command6"));
    EXPECT_EQ(&w.playButton(1), w.findControl("Command29"));
    EXPECT_EQ(&w.playButton(20), w.findControl("Command20"));
    EXPECT_EQ(p.s.transcript().count("LOG "), 0);
}

TEST(DtmfPlayerSettings, OddValuesAreLoggedAndTheLoadGoesOn) {
    PlayerStation p;
    p.s.writeSettings(kFile, "[SETTINGS]\nVOLSET=loud\nLEFT=\nTOP=x\nTEXT2=\nTEXT21=" + std::string(300, 'a') +
                                 "\nTEXT40=/last.wav\nTextRep1=\n");
    p.w.unload();
    Form23& w = p.s.app().form23();
    EXPECT_EQ(w.VolSet.text(), "0");
    EXPECT_EQ(w.V1.value(), 0);
    EXPECT_EQ(w.Left, 300);
    EXPECT_EQ(w.Top, 300);
    EXPECT_EQ(w.Text2.text(), "");                         // present but empty: not the default
    EXPECT_EQ(w.word(1).text(), "");
    EXPECT_EQ(w.location(1).text(), std::string(255, 'a'));
    EXPECT_EQ(w.location(20).text(), "/last.wav");         // keys after the odd ones still load
    EXPECT_TRUE(p.s.transcript().contains("LOG \"" + p.s.settingsFile(kFile) + " <-- VOLSET has the value \\\"loud\\\""));
    EXPECT_EQ(p.s.transcript().count("LOG "), 3);

    p.s.writeSettings(kFile, "[SETTINGS]\nVOLSET=-3500\n");
    w.unload();
    EXPECT_EQ(p.s.app().form23().VolSet.text(), "0");      // out of the slider's range
}

TEST(DtmfPlayerSettings, SliderKeepsThePlayersVolumeAndVolSetTogether) {
    PlayerStation p;
    p.w.V1.setValue(-1200);
    EXPECT_EQ(p.w.VolSet.text(), "-1200");
    EXPECT_EQ(p.player.V1.value(), -1200);
}

TEST(DtmfPlayerSettings, PickerFillsItsOwnSlotAndACancelLeavesIt) {
    PlayerStation p;
    p.w.location(7).setText("/old.wav");
    p.s.dialogs->answerFile(std::string("/music/news.mp3"));
    p.s.click("Form23.Command36");
    EXPECT_EQ(p.w.location(7).text(), "/music/news.mp3");
    for (int k = 1; k <= 20; ++k) {
        if (k != 7) {
            EXPECT_EQ(p.w.location(k).text(), "") << k;
        }
    }

    p.s.click("Form23.Command36");   // cancelled: the slot keeps its file and nothing is said
    EXPECT_EQ(p.w.location(7).text(), "/music/news.mp3");
    EXPECT_TRUE(p.s.dialogs->shown.empty());
    p.s.click("Form23.Command37");   // cancelled on an empty slot
    EXPECT_EQ(p.w.location(8).text(), "");
    ASSERT_EQ(p.s.dialogs->shown.size(), 1u);
    EXPECT_EQ(p.s.dialogs->shown[0].text, " No file Selected");
    EXPECT_EQ(p.s.dialogs->shown[0].title, "Error No File selected");
    EXPECT_EQ(p.s.dialogs->fileDialogs.size(), 3u);
}

TEST(DtmfPlayerSettings, SaveAndHideButtonsAndTheTextChanger) {
    PlayerStation p;
    p.w.Show();
    p.w.code(5).setText("55");
    p.s.click("Form23.SaveAndExit");
    EXPECT_FALSE(p.w.visible());
    EXPECT_EQ(p.s.readSettings(kFile), "");                 // hiding saves nothing
    p.s.click("Form23.Command5");
    EXPECT_EQ(SettingsFile(p.s.settingsFile(kFile)).read("TEXT5", ""), "55");

    p.s.click("Form23.Command2");
    EXPECT_EQ(p.w.Command2.caption(), "Hide Changer");
    EXPECT_EQ(p.w.Width, 8958);
    p.s.click("Form23.Command2");
    EXPECT_EQ(p.w.Command2.caption(), "Text Changer");
    EXPECT_EQ(p.w.Width, 6335);
}

TEST(DtmfPlayerSettings, EchoLinkClosingReleasesTheLinesAndSavesNothingHere) {
    PlayerStation p;
    p.w.code(5).setText("55");
    p.w.EchoLink().KeyTransmitter(true);
    p.w.EchoLink().DTRLine(true);
    p.s.node().close();
    p.s.advance(0.1);
    EXPECT_TRUE(p.s.app().ended());
    EXPECT_FALSE(p.s.node().keyed());
    EXPECT_FALSE(p.s.node().dtr());
    EXPECT_EQ(p.s.readSettings(kFile), "");
}
