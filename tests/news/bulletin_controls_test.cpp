// The news player's Play, Stop, Test, File and Default buttons and its DTMF codes.
#include <gtest/gtest.h>

#include "news/news_download_window.h"
#include "news_test_support.h"

using newstest::NewsStation;

namespace {
const std::map<std::string, std::string> kFiles = {
    {"Text4x", "@one.mp3"}, {"Text5x", "@two.mp3"}, {"Text7x", "@three.mp3"}, {"Text8x", "@second.mp3"},
    {"VOLSET", "-700"}};
}

TEST(BulletinControls, PlayButtonsStartTheirSetAndOnlyAudioFileThreeAsksForTheSecondFile) {
    struct Case {
        const char* button;
        const char* file;
        int play2ndFile;
    };
    for (const Case& c : {Case{"Form24.Command1", "one.mp3", 0}, Case{"Form24.Command7", "two.mp3", 0},
                          Case{"Form24.Command13", "three.mp3", 1}, Case{"Form24.Command21", "second.mp3", 0}}) {
        NewsStation ns(kFiles);
        ns.s.click(c.button);
        EXPECT_EQ(ns.count("PLAY " + ::quoted(ns.file(c.file)) + " vol=-700"), 1) << c.button;
        EXPECT_EQ(ns.news().Play2ndFile, c.play2ndFile) << c.button;
        EXPECT_EQ(ns.news().EndText, 2);
        EXPECT_EQ(ns.news().ferrin2, 0);   // the player has it on the air
        EXPECT_EQ(ns.count("DISCONNECT-ALL"), 1);
        EXPECT_TRUE(ns.s.node().busy());
    }
}

TEST(BulletinControls, ASetWithNoTypeIsNewsAndTheNodeStatusBoxesAreHeeded) {
    auto settings = kFiles;
    settings.insert({{"OPTION4", "False"}, {"LISTASBUSYCHECK", "0"}, {"DISCONNECTALL", "0"}});
    NewsStation ns(settings);
    ns.s.click("Form24.Command1");
    EXPECT_EQ(ns.playsOf("one.mp3"), 1);
    EXPECT_EQ(ns.count("DISCONNECT-ALL"), 0);
    EXPECT_EQ(ns.news().ferrin, 1);
    // The player lists a bulletin busy once it is on the air, whatever the box says.
    EXPECT_EQ(ns.count("BUSY on"), 1);
}

TEST(BulletinControls, AWeatherPlayButtonWithoutItsFileTellsTheOperatorAndStartsNothing) {
    auto settings = kFiles;
    settings["OPTION5"] = "True";
    NewsStation ns(settings);
    std::filesystem::remove(ns.wxex("csv/data.csv"));
    ns.s.click("Form24.Command1");
    EXPECT_EQ(ns.s.dialogs->shown.size(), 1u);   // the operator is there
    EXPECT_FALSE(ns.s.node().busy());
    EXPECT_EQ(ns.news().ferrin2, 3);
    EXPECT_TRUE(ns.rendered().empty());
}

TEST(BulletinControls, DtmfCodesPlayTheFileBoxAloneCaseSensitivelyInSetOrder) {
    auto settings = kFiles;
    settings.insert({{"DTMFInfo3", "77"}, {"DTMFInfo2", "ab"}, {"DTMFInfo", "77"}, {"OPTION8", "True"}});
    NewsStation ns(settings);
    Form24& n = ns.news();
    ns.s.node().receiveDtmf("AB");   // lower case in the box: no match
    ns.s.advance(1);
    EXPECT_EQ(ns.count("PLAY"), 0);
    ns.s.node().receiveDtmf("ab");
    ns.s.advance(1);
    EXPECT_EQ(ns.count("PLAY " + ::quoted(ns.file("two.mp3")) + " vol=-700"), 1);
    // Two sets with one code: both are handed over, Audio File 3 last; a weather set plays its file.
    ns.s.node().receiveDtmf("77");
    ns.s.advance(1);
    ASSERT_EQ(ns.count("PLAY"), 3);
    EXPECT_EQ(ns.playsOf("one.mp3"), 1);
    EXPECT_EQ(ns.playsOf("three.mp3"), 1);
    EXPECT_EQ(ns.player().txtFile.text(), ns.file("three.mp3"));
    EXPECT_TRUE(ns.rendered().empty());
    // A code plays a file; it is not a bulletin.
    EXPECT_FALSE(ns.s.node().busy());
    EXPECT_EQ(n.ferrin, 0);
    EXPECT_EQ(n.ferrin2, 3);
    EXPECT_EQ(n.Play2ndFile, 0);
}

TEST(BulletinControls, AnEmptyCodeBoxOrFileBoxNeverPlaysFromDtmf) {
    NewsStation ns(std::map<std::string, std::string>{{"DTMFInfo3", ""}, {"Text5x", ""}});
    ns.s.node().receiveDtmf("");
    ns.s.node().receiveDtmf("BB");
    ns.s.advance(1);
    EXPECT_EQ(ns.count("PLAY"), 0);
    EXPECT_TRUE(ns.s.dialogs->shown.empty());
    EXPECT_EQ(ns.count("LOG "), 1);
}

TEST(BulletinControls, TestButtonsSpeakTheirTextAtTheSpeechVolumeWithoutTouchingTheBulletin) {
    NewsStation ns(kFiles);
    Form24& n = ns.news();
    ns.idents().VolSet.setText("-1200");
    ns.s.click("Form24.Command13");
    const struct {
        const char* button;
        const char* text;
    } cases[] = {{"Form24.Command10", "1 minute warning. Auto Disconnect for local news."},
                 {"Form24.Command2", "End of local news. Link : On."},
                 {"Form24.Command17", "End of local weather. Link : On."},
                 {"Form24.Command18", "End of local news and weather. Link : On."}};
    int k = 0;
    for (const auto& c : cases) {
        ns.s.click(c.button);
        ASSERT_FALSE(ns.rendered().empty());
        EXPECT_EQ(ns.rendered().back(), c.text);
        EXPECT_EQ(ns.plays(ns.speechFile()), ++k);
        EXPECT_EQ(ns.player().V1.value(), -1200);
    }
    EXPECT_EQ(n.EndText, 2);
    EXPECT_EQ(n.Play2ndFile, 1);
    EXPECT_EQ(n.ferrin2, 0);
}

// Each Stop button stops whatever plays; Audio File 3 stopped with its 2nd File asked for goes on
// to the 2nd File, as after the player's own stop, and the bulletin ends after it.
TEST(BulletinControls, StopButtonsClearTheBusyListingAndAStoppedAudioFile3GoesOnToItsSecondFile) {
    auto settings = kFiles;
    settings["PLAY2ND"] = "1";
    for (const char* stop : {"Form24.Command4", "Form24.Command8", "Form24.Command9", "Form24.Command14"}) {
        NewsStation ns(settings);
        Form24& n = ns.news();
        ns.s.click("Form24.Command13");
        ns.s.advance(5);
        ns.s.click(stop);
        EXPECT_FALSE(ns.s.node().busy()) << stop;
        ns.s.advance(60);   // the stop leaves the time-left display at 0: the chain goes on
        EXPECT_EQ(ns.playsOf("second.mp3"), 1) << stop;
        EXPECT_EQ(n.ferrin2, 2);
    }
}

TEST(BulletinControls, FilePickersDefaultAndTheWindowButtons) {
    NewsStation ns(kFiles);
    Form24& n = ns.news();
    // Cancelled with a path in the box: nothing changes, no message.
    ns.s.click("Form24.Command3");
    EXPECT_EQ(n.Text4x.text(), ns.file("one.mp3"));
    EXPECT_TRUE(ns.s.dialogs->shown.empty());
    ns.s.dialogs->answerFile("/srv/news/other.mp3");
    ns.s.click("Form24.Command6");
    EXPECT_EQ(n.Text5x.text(), "/srv/news/other.mp3");
    // Cancelled on an empty box: the message.
    n.Text7x.setText("");
    ns.s.click("Form24.Command12");
    ASSERT_EQ(ns.s.dialogs->shown.size(), 1u);
    EXPECT_EQ(ns.s.dialogs->shown[0].title, "Error No File selected");
    EXPECT_EQ(ns.s.dialogs->shown[0].text, " You must select an audio file");

    ns.s.click("Form24.Command20");
    EXPECT_EQ(n.Text8x.text(), ns.s.dataFile("News4.mp3"));
    ns.s.click("Form24.Command16");
    EXPECT_TRUE(ns.s.app().form13().visible());
    n.Show();
    ns.s.click("Form24.SaveAndExit");
    EXPECT_FALSE(n.visible());
    ns.s.click("Form24.Command5");
    EXPECT_TRUE(std::filesystem::exists(ns.s.settingsFile("newsabc.ini")));
}
