// The news player's settings file, its volume slider, its time boxes and closing it.
#include <gtest/gtest.h>

#include <filesystem>

#include "core/settings.h"
#include "news_test_support.h"

using newstest::NewsStation;

TEST(NewsPlayerSettings, WithoutAFileEverySetIsNewsAndNothingIsScheduled) {
    NewsStation ns;
    Form24& n = ns.news();
    for (int set = 0; set < 4; ++set) {
        Form24::FileSet fs = n.fileSet(set);
        EXPECT_TRUE(fs.news.value()) << set;
        EXPECT_FALSE(fs.conditions.value() || fs.forecast.value()) << set;
        if (set == 3) continue;
        for (CheckBox* day : fs.days) EXPECT_EQ(day->value(), 0);
        EXPECT_EQ(fs.hour1->text(), "24");
        EXPECT_EQ(fs.mins1->text(), "00");
        EXPECT_EQ(fs.hour2->text(), "24");
        EXPECT_EQ(fs.mins2->text(), "00");
    }
    EXPECT_EQ(n.DTMFInfo3.text(), "AA");
    EXPECT_EQ(n.DTMFInfo2.text(), "BB");
    EXPECT_EQ(n.DTMFInfo.text(), "CC");
    EXPECT_EQ(n.Text4x.text(), ns.s.dataFile("News1.mp3"));
    EXPECT_EQ(n.Text8x.text(), ns.s.dataFile("News4.mp3"));
    EXPECT_EQ(n.Check1.value(), 0);
    EXPECT_EQ(n.Play2nd.value(), 0);
    EXPECT_EQ(n.WarnCheck.value(), 1);
    EXPECT_EQ(n.DisconnectAll.value(), 1);
    EXPECT_EQ(n.ListAsBusyCheck.value(), 1);
    EXPECT_EQ(n.WarnEnd.text(), "End of local news. Link : On.");
    EXPECT_EQ(n.VolSet.text(), "0");
    EXPECT_EQ(n.Left, 300);
    EXPECT_EQ(n.Top, 300);
    EXPECT_EQ(n.ferrin2, 3);
    EXPECT_EQ(n.caption(), "MVSmall    N0CALL-L   v1.0.0      News Player");
    // The defaults start nothing.
    ns.s.advance(120);
    EXPECT_EQ(ns.count("BUSY"), 0);
    EXPECT_EQ(ns.count("CHAT"), 0);
    EXPECT_EQ(ns.count("PLAY"), 0);
}

TEST(NewsPlayerSettings, EveryKeyRoundTrips) {
    std::map<std::string, std::string> keys = {
        {"OPTION1", "False"}, {"OPTION2", "True"},  {"OPTION3", "False"}, {"OPTION4", "False"},
        {"OPTION5", "False"}, {"OPTION6", "True"},  {"OPTION7", "False"}, {"OPTION8", "True"},
        {"OPTION9", "False"}, {"OPTION10", "False"}, {"OPTION11", "False"}, {"OPTION12", "True"},
        {"Text8x", "/srv/news/second.mp3"}, {"CHECK1", "1"}, {"PLAY2ND", "2"}, {"WARNDISC", "Going off air soon."},
        {"WARNEND", "News over."}, {"WARNENDWX", "Weather over."}, {"WARNENDNEWSWX", "All over."},
        {"WARNCHECK", "0"}, {"DISCONNECTALL", "0"}, {"LISTASBUSYCHECK", "2"}, {"Text4x", "/srv/news/one.mp3"},
        {"HOUR3", "07"}, {"MINS3", "15"}, {"HOUR33", "19"}, {"MINS33", "45"}, {"DTMFINFO3", "11"},
        {"Text5x", "/srv/news/two.mp3"}, {"HOUR2", "8"}, {"MINS2", "5"}, {"HOUR22", "24"}, {"MINS22", "30"},
        {"DTMFINFO2", "22"}, {"Text7x", "/srv/news/three.mp3"}, {"HOUR", "12"}, {"MINS", "00"},
        {"HOUR00", "18"}, {"MINS00", "01"}, {"DTMFINFO", "33"}, {"VOLSET", "-1500"}, {"LEFT", "1200"},
        {"TOP", "840"}};
    const char* days[] = {"SUN", "MON", "TUE", "WED", "THUR", "FRI", "SAT"};
    int k = 0;
    for (const char* suffix : {"3", "2", ""})
        for (const char* d : days) keys[std::string(d) + suffix] = std::to_string(k++ % 3);
    ASSERT_EQ(keys.size(), 64u);

    NewsStation ns(keys);
    Form24& n = ns.news();
    EXPECT_TRUE(n.Option6.value());
    EXPECT_EQ(n.DTMFInfo3.text(), "11");
    EXPECT_EQ(ns.player().V1.value(), -1500);   // the player's slider follows the stored volume
    EXPECT_EQ(n.V1.value(), -1500);

    std::filesystem::remove(ns.s.settingsFile("newsabc.ini"));
    ns.s.app().act([&] { n.SaveData(); });
    SettingsFile saved(ns.s.settingsFile("newsabc.ini"));
    for (const auto& [key, value] : keys) EXPECT_EQ(saved.read(key, "<missing>"), value) << key;
}

TEST(NewsPlayerSettings, LaterOptionOfASetWinsAndABadVolumeKeepsTheSlider) {
    NewsStation ns({{"OPTION4", "True"}, {"OPTION5", "True"}, {"OPTION6", "True"}, {"VOLSET", "loud"},
                    {"CHECK1", "x"}});
    Form24& n = ns.news();
    EXPECT_TRUE(n.Option6.value());
    EXPECT_FALSE(n.Option4.value() || n.Option5.value());
    EXPECT_EQ(n.V1.value(), 0);
    EXPECT_EQ(n.VolSet.text(), "0");
    EXPECT_EQ(n.Check1.value(), 0);
    EXPECT_GE(ns.count("LOG "), 2);
}

TEST(NewsPlayerSettings, TheSliderDrivesThePlayersVolumeAndTimeBoxesTakeDigitsOnly) {
    NewsStation ns;
    Form24& n = ns.news();
    ns.s.set("Form24.V1", "-1500");
    EXPECT_EQ(n.VolSet.text(), "-1500");
    EXPECT_EQ(ns.player().V1.value(), -1500);
    EXPECT_TRUE(n.Hour3.numberOnly);   // the settings load changed it
    ns.s.set("Form24.Mins3", "3a0");
    EXPECT_EQ(n.Mins3.text(), "30");
}

TEST(NewsPlayerSettings, ClosingTheFrameEndsTheProgramWithoutSaving) {
    NewsStation ns;
    ns.news();
    ns.s.node().stationConnects("W1ABC");
    ns.s.advance(1);
    ns.s.app().act([&] { ns.news().NodeStatus(); });
    ns.s.app().act([&] { ns.news().closeRequest(); });
    EXPECT_TRUE(ns.s.app().ended());
    EXPECT_FALSE(ns.s.node().busy());
    EXPECT_FALSE(std::filesystem::exists(ns.s.settingsFile("newsabc.ini")));
}

TEST(NewsPlayerSettings, EchoLinkClosingEndsTheProgramOnce) {
    NewsStation ns;
    ns.news();
    ns.s.node().close();
    ns.s.advance(1);
    EXPECT_TRUE(ns.s.app().ended());
    EXPECT_EQ(ns.count("EXIT"), 1);
    EXPECT_FALSE(std::filesystem::exists(ns.s.settingsFile("newsabc.ini")));
}
