// The end-of-bulletin chain as the player's progress timer runs it: the 2nd File after Audio
// File 3, then the end of the bulletin with its announcement.
#include <gtest/gtest.h>

#include "news_test_support.h"

using newstest::NewsStation;

namespace {

std::map<std::string, std::string> audioThree(const std::map<std::string, std::string>& extra) {
    std::map<std::string, std::string> s = {{"Text7x", "@three.mp3"}, {"Text8x", "@second.mp3"},
                                            {"CHECK1", "1"}, {"PLAY2ND", "1"}, {"VOLSET", "-300"}};
    for (const auto& [k, v] : extra) s[k] = v;
    return s;
}

// Runs the station until the bulletin is over (at most `limit` seconds).
void untilOver(NewsStation& ns, double limit = 600) {
    for (double t = 0; t < limit && ns.news().ferrin2 != 2; t += 0.5) ns.s.advance(0.5);
}

}  // namespace

TEST(EndOfBulletin, NewsThenTheSecondFileThenTheEndAnnouncedOnce) {
    NewsStation ns(audioThree({}));
    Form24& n = ns.news();
    ns.s.click("Form24.Command13");
    ns.s.advance(10);
    EXPECT_EQ(ns.playsOf("three.mp3"), 1);
    EXPECT_EQ(ns.playsOf("second.mp3"), 0);

    ns.s.advance(85);   // Audio File 3 has ended
    EXPECT_EQ(ns.playsOf("second.mp3"), 1);
    EXPECT_EQ(ns.player().V1.value(), std::stoi(ns.player().VolSet.text()));   // the player's own volume
    EXPECT_EQ(n.EndText, 2);
    EXPECT_EQ(n.ferrin2, 0);
    EXPECT_TRUE(ns.s.node().busy());
    EXPECT_TRUE(ns.rendered().empty());

    untilOver(ns);
    EXPECT_FALSE(ns.s.node().busy());
    EXPECT_EQ(ns.rendered(), std::vector<std::string>{"End of local news. Link : On."});
    EXPECT_EQ(ns.plays(ns.speechFile()), 1);
    // The announcement's own end finds the gate shut.
    ns.s.advance(60);
    EXPECT_EQ(ns.rendered().size(), 1u);
    EXPECT_EQ(ns.playsOf("second.mp3"), 1);
}

TEST(EndOfBulletin, ASecondFileShorterThanThreeSecondsIsNotPlayedAgain) {
    NewsStation ns(audioThree({{"Text8x", "@short.mp3"}}));
    ns.s.click("Form24.Command13");
    untilOver(ns);
    EXPECT_EQ(ns.playsOf("short.mp3"), 1);
    EXPECT_EQ(ns.rendered(), std::vector<std::string>{"End of local news. Link : On."});
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
        untilOver(ns);
        EXPECT_EQ(n.EndText, c.endText) << c.audio3 << " " << c.second;
        const auto texts = ns.rendered();
        ASSERT_EQ(texts.size(), std::string(c.audio3) == "OPTION7" || std::string(c.second) == "OPTION10" ? 2u : 3u)
            << c.audio3 << " " << c.second;
        EXPECT_EQ(texts.back(), c.announced) << c.audio3 << " " << c.second;
    }
}

TEST(EndOfBulletin, AWeatherSecondFileThatIsDroppedEndsTheBulletinAtTheNextTick) {
    NewsStation ns(audioThree({{"OPTION11", "True"}}));
    Form24& n = ns.news();
    ns.s.click("Form24.Command13");
    ns.idents().Check1.setValue(1);   // announcements disabled: the report is dropped
    untilOver(ns);
    EXPECT_EQ(n.EndText, 2);   // nothing of the weather went out
    // The end announcement goes out whatever the announcement switch says.
    EXPECT_EQ(ns.rendered(), std::vector<std::string>{"End of local news. Link : On."});
}

TEST(EndOfBulletin, ABulletinEndingWithoutTheSecondFileClearsTheFlagForLaterBulletins) {
    NewsStation ns(audioThree({{"PLAY2ND", "0"}, {"Text4x", "@one.mp3"}}));
    Form24& n = ns.news();
    ns.s.click("Form24.Command13");
    untilOver(ns);
    EXPECT_EQ(n.Play2ndFile, 0);
    // A later bulletin of Audio File 1 with the box now ticked does not get the 2nd File.
    n.Play2nd.setValue(1);
    ns.s.click("Form24.Command1");
    ns.s.advance(1);
    untilOver(ns);
    EXPECT_EQ(ns.playsOf("one.mp3"), 1);
    EXPECT_EQ(ns.playsOf("second.mp3"), 0);
}

TEST(EndOfBulletin, ASilentEndStillClearsBusyAndRestartsTheTimedAutoConnect) {
    NewsStation ns(audioThree({{"CHECK1", "0"}, {"PLAY2ND", "2"}}));   // greyed: not ticked
    Form3& idents = ns.idents();
    idents.StopClockx.setValue(1);
    idents.BeaconPeriodx.setText("5");
    idents.Timer3.disable();
    ns.s.click("Form24.Command13");
    untilOver(ns);
    EXPECT_FALSE(ns.s.node().busy());
    EXPECT_TRUE(idents.Timer3.enabled());
    const double left = std::stod(idents.BeaconSecondsx.caption());
    EXPECT_LE(left, 300);
    EXPECT_GE(left, 299);
    EXPECT_TRUE(ns.rendered().empty());
    EXPECT_EQ(ns.playsOf("second.mp3"), 0);
}

TEST(EndOfBulletin, FilesThatAreNoBulletinAreLeftAlone) {
    NewsStation ns(audioThree({}));
    Form24& n = ns.news();
    ns.s.node().receiveDtmf("CC");
    ns.s.advance(120);
    EXPECT_EQ(ns.playsOf("three.mp3"), 1);
    EXPECT_EQ(n.ferrin2, 3);
    EXPECT_EQ(ns.playsOf("second.mp3"), 0);
    EXPECT_EQ(ns.count("BUSY"), 0);
    EXPECT_TRUE(ns.rendered().empty());
}
