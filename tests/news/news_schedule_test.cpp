// Bulletins on the weekly schedule, in virtual time (Thursday 10 December 2026).
#include <gtest/gtest.h>

#include "news_test_support.h"

using newstest::NewsStation;

namespace {

std::map<std::string, std::string> newsAtEight(const std::string& hour = "8") {
    return {{"THUR3", "1"}, {"HOUR3", hour}, {"MINS3", "00"}, {"Text4x", "@one.mp3"}, {"VOLSET", "-500"}};
}

// Another transmission keeps the transmitter keyed (the player paints the news player's PTT label).
void keyedByAnotherFile(NewsStation& ns) {
    ns.s.app().act([&] {
        ns.player().txtFile.setText(ns.file("three.mp3"));
        ns.player().TXFile();
    });
    ns.s.advance(0.5);
}

}  // namespace

TEST(NewsSchedule, ABulletinStartsAtItsTimeWithTheWarningTheBusyListingTheDisconnectAndTheEnd) {
    auto settings = newsAtEight();   // "8" is compared by value, as "08"
    settings["CHECK1"] = "1";
    NewsStation ns(settings);
    Form24& n = ns.news();

    ns.s.advance(11.5);   // 07:59:01.5
    EXPECT_EQ(ns.count("CHAT \"07:59:00  <1> Minute Warning Auto Disconnect for Local News/WX.\""), 1);
    EXPECT_EQ(ns.rendered(), std::vector<std::string>{"1 minute warning. Auto Disconnect for local news."});
    EXPECT_EQ(ns.plays(ns.speechFile()), 1);

    ns.s.advance(73);   // 08:00:14.5: not yet
    EXPECT_EQ(ns.count("BUSY on"), 0);
    EXPECT_EQ(ns.playsOf("one.mp3"), 0);
    ns.s.advance(1);    // 08:00:15.5
    EXPECT_EQ(ns.count("BUSY on"), 1);
    EXPECT_EQ(ns.count("DISCONNECT-ALL"), 1);
    EXPECT_EQ(ns.count("PLAY " + ::quoted(ns.file("one.mp3")) + " vol=-500"), 1);
    EXPECT_EQ(n.ferrin, 1);
    EXPECT_EQ(n.ferrin2, 0);   // on the air
    EXPECT_EQ(n.EndText, 2);
    EXPECT_EQ(n.Play2ndFile, 0);   // only Audio File 3 asks for the 2nd File

    // Keyed: the later seconds of the window do not start it again.
    ns.s.advance(10);
    EXPECT_EQ(ns.count("DISCONNECT-ALL"), 1);
    EXPECT_EQ(ns.playsOf("one.mp3"), 1);
    EXPECT_TRUE(ns.s.node().busy());

    // The file ends: the node is no longer busy and the end is announced.
    ns.s.advance(60);
    EXPECT_FALSE(ns.s.node().busy());
    EXPECT_EQ(n.ferrin2, 2);
    EXPECT_EQ(ns.rendered().back(), "End of local news. Link : On.");
    EXPECT_EQ(ns.plays(ns.speechFile()), 2);
    ns.s.advance(30);
    EXPECT_EQ(ns.rendered().size(), 2u);
}

TEST(NewsSchedule, TheStartWindowIsSecondsFifteenToTwentyAndOnlyOnTickedDays) {
    struct Case {
        std::map<std::string, std::string> extra;
        std::string start;
        bool keyedBefore;
        int starts;
    };
    const Case cases[] = {
        {{}, "2026-12-10 08:00:10", false, 1},
        {{}, "2026-12-10 08:00:10", true, 1},                   // second 15 starts even while keyed
        {{}, "2026-12-10 08:00:16", false, 1},                  // no tick in 15: a later second starts it
        {{}, "2026-12-10 08:00:16", true, 0},                   // ... but not while keyed
        {{{"THUR3", "2"}}, "2026-12-10 08:00:10", false, 0},    // a greyed day does not count
        {{{"HOUR3", "24"}}, "2026-12-10 08:00:10", false, 0},   // hour 24 is off
        {{{"HOUR3", ""}}, "2026-12-10 08:00:10", false, 0},     // an empty box is off
        {{{"HOUR33", "08"}}, "2026-12-10 08:00:10", false, 1},  // equal times start once
        {{}, "2026-12-11 08:00:10", false, 0},                  // Friday
    };
    for (const Case& c : cases) {
        auto settings = newsAtEight();
        for (const auto& [k, v] : c.extra) settings[k] = v;
        settings["MINS33"] = "00";
        if (!settings.count("HOUR33")) settings["HOUR33"] = "24";
        NewsStation ns(settings, c.start);
        if (c.keyedBefore) keyedByAnotherFile(ns);
        ns.s.advance(12);
        EXPECT_EQ(ns.count("DISCONNECT-ALL"), c.starts) << c.start << " " << c.keyedBefore;
        EXPECT_EQ(ns.playsOf("one.mp3"), c.starts) << c.start << " " << c.keyedBefore;
    }
}

TEST(NewsSchedule, AShortBulletinThatIsOverBeforeSecondTwentyIsNotStartedAgain) {
    auto settings = newsAtEight();
    settings["Text4x"] = "@short.mp3";
    settings["CHECK1"] = "1";
    NewsStation ns(settings, "2026-12-10 08:00:10");
    ns.s.advance(20);
    EXPECT_EQ(ns.playsOf("short.mp3"), 1);
    EXPECT_EQ(ns.count("DISCONNECT-ALL"), 1);
    EXPECT_EQ(ns.rendered(), std::vector<std::string>{"End of local news. Link : On."});
}

TEST(NewsSchedule, AWeatherBulletinSpeaksTheReportNowAndAudioFileThreeAsksForTheSecondFile) {
    NewsStation ns({{"THUR", "1"}, {"HOUR", "08"}, {"MINS", "00"}, {"OPTION8", "True"}, {"WARNCHECK", "0"}},
                   "2026-12-10 08:00:10");
    Form24& n = ns.news();
    ns.s.advance(6);
    EXPECT_EQ(ns.count("CHAT"), 0);   // no warning asked for
    const std::string report = ns.w().Text1.text();
    ASSERT_FALSE(report.empty());
    EXPECT_EQ(ns.rendered(), std::vector<std::string>{report});
    EXPECT_EQ(ns.plays(ns.speechFile()), 1);
    EXPECT_EQ(n.EndText, 1);
    EXPECT_EQ(n.Play2ndFile, 1);
    EXPECT_EQ(ns.count("BUSY on"), 1);
    ns.s.advance(120);
    EXPECT_FALSE(ns.s.node().busy());
    EXPECT_EQ(n.ferrin2, 2);
}

TEST(NewsSchedule, AWeatherBulletinThatCannotGoOutLeavesNoMarks) {
    // The report cannot be built (no conditions file), or its speech would be dropped.
    for (int variant = 0; variant < 2; ++variant) {
        NewsStation ns({{"THUR2", "1"}, {"HOUR2", "08"}, {"MINS2", "00"}, {"OPTION2", "True"}},
                       "2026-12-10 08:00:10");
        if (variant == 0) std::filesystem::remove(ns.wxex("csv/data.csv"));
        if (variant == 1) ns.idents().Check1.setValue(1);
        ns.s.advance(12);
        EXPECT_EQ(ns.count("BUSY on"), 0) << variant;
        EXPECT_EQ(ns.count("DISCONNECT-ALL"), 0) << variant;
        EXPECT_TRUE(ns.rendered().empty()) << variant;
        EXPECT_EQ(ns.news().ferrin2, 3) << variant;
        EXPECT_TRUE(ns.s.dialogs->shown.empty()) << variant;   // the schedule never waits on a box
        if (variant == 0) {
            EXPECT_GE(ns.count("LOG "), 1);
        }
    }
}

// A scheduled news bulletin whose file is missing puts nothing on the air: the node is not listed
// busy, nobody is disconnected, no end is announced, and the log says why.
TEST(NewsSchedule, ANewsBulletinWhoseFileIsMissingLeavesNoMarksAndIsLogged) {
    auto settings = newsAtEight("08");
    settings["Text4x"] = "/no/such/folder/news.mp3";
    NewsStation ns(settings, "2026-12-10 08:00:10");
    ns.s.advance(100);
    EXPECT_EQ(ns.count("BUSY on"), 0);
    EXPECT_EQ(ns.count("DISCONNECT-ALL"), 0);
    EXPECT_EQ(ns.count("KEY on"), 0);
    EXPECT_TRUE(ns.rendered().empty());
    // Once, not in every second of the start window.
    EXPECT_EQ(ns.count("LOG \"News player, Audio File 1: /no/such/folder/news.mp3 <-- File not found"), 1);
    EXPECT_TRUE(ns.s.dialogs->shown.empty());
}

TEST(NewsSchedule, AWarningComesOnlyWhenBothBoxesAreTickedAndOnlyBeforeTheFirstTime) {
    struct Case {
        const char* warn;
        const char* disconnect;
        const char* start;
        int warnings;
    };
    for (const Case& c : {Case{"1", "1", "2026-12-10 07:58:50", 1}, Case{"0", "1", "2026-12-10 07:58:50", 0},
                          Case{"1", "0", "2026-12-10 07:58:50", 0}, Case{"1", "1", "2026-12-10 19:58:50", 0}}) {
        NewsStation ns({{"THUR3", "1"}, {"HOUR3", "08"}, {"MINS3", "00"}, {"HOUR33", "20"}, {"MINS33", "00"},
                        {"WARNCHECK", c.warn}, {"DISCONNECTALL", c.disconnect}, {"Text4x", "@one.mp3"}},
                       c.start);
        ns.s.advance(90);
        EXPECT_EQ(ns.count("CHAT"), c.warnings) << c.start;
        EXPECT_EQ(ns.count("DISCONNECT-ALL"), c.disconnect[0] == '1' ? 1 : 0) << c.start;   // the start itself
    }
}

TEST(NewsSchedule, AStartAtMidnightIsWarnedTheEveningBeforeUnderItsOwnDay) {
    // Friday's 00:00 start; Thursday is not ticked.
    NewsStation ns({{"FRI3", "1"}, {"HOUR3", "0"}, {"MINS3", "0"}, {"Text4x", "@one.mp3"}}, "2026-12-10 23:58:50");
    ns.s.advance(90);
    EXPECT_EQ(ns.count("CHAT \"23:59:00  <1> Minute Warning"), 1);
    EXPECT_EQ(ns.count("DISCONNECT-ALL"), 1);
}

TEST(NewsSchedule, TheFramesShowWhatTheirTypeNeeds) {
    NewsStation ns;
    Form24& n = ns.news();
    ns.s.set("Form24.Option5", "True");
    ns.s.set("Form24.Option12", "True");
    ns.s.advance(1.1);
    EXPECT_TRUE(n.Label15.visible());
    EXPECT_FALSE(n.Text4x.visible() || n.Command3.visible() || n.Label16.visible());
    EXPECT_TRUE(n.Label22.visible());
    EXPECT_FALSE(n.Text8x.visible());
    ns.s.set("Form24.Option4", "True");
    ns.s.advance(1);
    EXPECT_TRUE(n.Text4x.visible() && n.Command3.visible());
    EXPECT_FALSE(n.Label15.visible());
}
