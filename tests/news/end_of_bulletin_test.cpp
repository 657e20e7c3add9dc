// The end-of-bulletin chain as the player's progress timer runs it: the 2nd File after Audio
// File 3, then the end of the bulletin with its announcement.
#include <gtest/gtest.h>

#include "news_test_support.h"

using newstest::NewsStation;

namespace {

std::map<std::string, std::string> audioThree(const std::map<std::string, std::string>& extra) {
    std::map<std::string, std::string> s = {{"Text7x", "/srv/news/three.mp3"}, {"Text8x", "/srv/news/second.mp3"},
                                            {"CHECK1", "1"}, {"PLAY2ND", "1"}, {"VOLSET", "-300"}};
    for (const auto& [k, v] : extra) s[k] = v;
    return s;
}

}  // namespace

TEST(EndOfBulletin, NewsThenTheSecondFileThenTheEndAnnouncedOnce) {
    NewsStation ns(audioThree({}));
    Form24& n = ns.news();
    ns.s.click("Form24.Command13");
    EXPECT_EQ(ns.takeHandedFile(), "/srv/news/three.mp3");
    ns.onAir();
    ns.s.app().act([&] { n.EndOfBulletin(); });   // still playing: nothing
    EXPECT_EQ(ns.player().txtFile.text(), "");

    ns.player().V1.setValue(-2000);
    ns.fileEnds();
    EXPECT_EQ(ns.takeHandedFile(), "/srv/news/second.mp3");
    EXPECT_EQ(ns.player().V1.value(), std::stoi(ns.player().VolSet.text()));   // the player's own volume
    EXPECT_EQ(n.EndText, 2);
    EXPECT_EQ(n.ferrin2, 0);
    EXPECT_TRUE(ns.s.node().busy());

    // The 2nd File ends (however short it was, it is not started again).
    ns.fileEnds();
    EXPECT_FALSE(ns.s.node().busy());
    EXPECT_EQ(n.ferrin2, 2);
    ASSERT_EQ(ns.s.speech->rendered.size(), 1u);
    EXPECT_EQ(ns.s.speech->rendered[0].second, "End of local news. Link : On.");
    EXPECT_EQ(ns.takeHandedFile(), ns.spokenWav());

    // The announcement's own end finds the gate shut.
    ns.fileEnds();
    EXPECT_EQ(ns.player().txtFile.text(), "");
    EXPECT_EQ(ns.s.speech->rendered.size(), 1u);
}

TEST(EndOfBulletin, TheEndTextFollowsTheTypesOfAudioFileThreeAndTheSecondFile) {
    struct Case {
        const char* audio3;   // option of Audio File 3 set True
        const char* second;   // option of the 2nd File set True
        int endText;
        const char* announced;
    };
    const Case cases[] = {
        {"OPTION7", "OPTION11", 3, "End of local news and weather. Link : On."},
        {"OPTION8", "OPTION12", 3, "End of local news and weather. Link : On."},
        {"OPTION8", "OPTION11", 1, "End of local weather. Link : On."},
        {"OPTION9", "OPTION10", 2, "End of local news. Link : On."},
    };
    for (const Case& c : cases) {
        NewsStation ns(audioThree({{c.audio3, "True"}, {c.second, "True"}}));
        Form24& n = ns.news();
        ns.s.click("Form24.Command13");
        ns.onAir();
        ns.fileEnds();
        EXPECT_EQ(n.EndText, c.endText) << c.audio3 << " " << c.second;
        ns.fileEnds();
        ASSERT_FALSE(ns.s.speech->rendered.empty());
        EXPECT_EQ(ns.s.speech->rendered.back().second, c.announced) << c.audio3 << " " << c.second;
        EXPECT_EQ(n.ferrin2, 2);
    }
}

TEST(EndOfBulletin, AWeatherSecondFileThatIsDroppedEndsTheBulletinAtTheNextTick) {
    NewsStation ns(audioThree({{"OPTION11", "True"}}));
    Form24& n = ns.news();
    ns.s.click("Form24.Command13");
    ns.onAir();
    ns.idents().Check1.setValue(1);   // announcements disabled: the report is dropped
    ns.fileEnds();
    EXPECT_TRUE(ns.s.speech->rendered.empty());
    EXPECT_EQ(n.EndText, 2);   // nothing of the weather went out
    ns.fileEnds();
    EXPECT_EQ(n.ferrin2, 2);
    // The end announcement goes out whatever the announcement switch says.
    ASSERT_EQ(ns.s.speech->rendered.size(), 1u);
    EXPECT_EQ(ns.s.speech->rendered[0].second, "End of local news. Link : On.");
}

TEST(EndOfBulletin, ABulletinEndingWithoutTheSecondFileClearsTheFlagForLaterBulletins) {
    NewsStation ns(audioThree({{"PLAY2ND", "0"}, {"Text4x", "/srv/news/one.mp3"}}));
    Form24& n = ns.news();
    ns.s.click("Form24.Command13");
    ns.onAir();
    ns.fileEnds();
    EXPECT_EQ(n.Play2ndFile, 0);
    EXPECT_EQ(n.ferrin2, 2);
    // A later bulletin of Audio File 1 with the box now ticked does not get the 2nd File.
    n.Play2nd.setValue(1);
    ns.s.click("Form24.Command1");
    ns.onAir();
    ns.takeHandedFile();
    ns.fileEnds();
    EXPECT_EQ(n.ferrin2, 2);
    EXPECT_NE(ns.player().txtFile.text(), "/srv/news/second.mp3");
}

TEST(EndOfBulletin, ASilentEndStillClearsBusyAndRestartsTheTimedAutoConnect) {
    NewsStation ns(audioThree({{"CHECK1", "0"}, {"PLAY2ND", "2"}}));   // greyed: not ticked
    Form24& n = ns.news();
    Form3& idents = ns.idents();
    idents.StopClockx.setValue(1);
    idents.BeaconPeriodx.setText("5");
    idents.Timer3.disable();
    ns.s.click("Form24.Command13");
    ns.onAir();
    ns.takeHandedFile();
    ns.fileEnds();
    EXPECT_EQ(n.ferrin2, 2);
    EXPECT_FALSE(ns.s.node().busy());
    EXPECT_EQ(idents.BeaconSecondsx.caption(), "300");
    EXPECT_TRUE(idents.Timer3.enabled());
    EXPECT_TRUE(ns.s.speech->rendered.empty());
    EXPECT_EQ(ns.player().txtFile.text(), "");
}

TEST(EndOfBulletin, FilesThatAreNoBulletinAreLeftAlone) {
    NewsStation ns(audioThree({}));
    Form24& n = ns.news();
    ns.fileEnds();   // right after creation (phase 3)
    ns.s.node().receiveDtmf("CC");
    ns.s.advance(0.1);
    ns.takeHandedFile();
    ns.fileEnds();
    EXPECT_EQ(n.ferrin2, 3);
    EXPECT_EQ(ns.player().txtFile.text(), "");
    EXPECT_EQ(ns.count("BUSY"), 0);
}
