// One beacon of a set: static, serial and random choice, the busy test, and how each kind of
// beacon goes on the air.
#include <set>

#include "beacon_test_support.h"
#include "core/text.h"
#include "shell/error_log_window.h"
#include "support/test_wav.h"

namespace {
// Announcements off: a spoken beacon is still handed to the speak-now request (its TempText),
// but nothing keys the transmitter between the beacons of a test.
Form111& quietSet1(Station& s) {
    s.app().form3().Check1.setValue(1);
    s.app().form3().Option3.setValue(true);
    return s.app().form111();
}

// Sends one beacon of set 1 and gives what was handed to the speak-now request ("-" for nothing).
std::string sendOne(Station& s, BeaconSetWindow& set) {
    set.TempText = "-";
    s.app().act([&] { set.RandomGreeting(); });
    return set.TempText;
}

void useSerialRange(Station& s, BeaconSetWindow& set, const std::string& from, const std::string& to) {
    set.Serial.setValue(true);
    set.Text22.operatorType(from);
    set.Text23.operatorType(to);
    s.advance(2.5);        // the one-second timer copies the range; the start-up reset is over
    set.Command14.click(); // Re Set: the counter starts at From
}
}  // namespace

TEST(BeaconChoice, StaticSendsTheSelectedSlotEvenWhenItIsEmpty) {
    Station s;
    Form111& set = quietSet1(s);
    nameSlots(set);
    set.Option7.setValue(true);
    EXPECT_EQ(sendOne(s, set), "slot 7");
    set.Text7.setText("");
    EXPECT_EQ(sendOne(s, set), "") << "an empty slot reaches the speech request as an empty text";
    set.Option7.setValue(false);
    EXPECT_EQ(sendOne(s, set), "-") << "no slot selected: nothing is sent";
}

TEST(BeaconChoice, SerialRunsThroughItsRangeAndStartsAgain) {
    struct Case {
        const char* from;
        const char* to;
        std::vector<std::string> sent;
    };
    std::vector<std::string> fiveToTwenty;
    for (int k = 5; k <= 20; ++k) fiveToTwenty.push_back("slot " + std::to_string(k));
    fiveToTwenty.push_back("slot 5");
    std::vector<std::string> oneToTwenty;
    for (int k = 1; k <= 20; ++k) oneToTwenty.push_back("slot " + std::to_string(k));
    oneToTwenty.push_back("slot 1");
    const std::vector<Case> cases = {
        {"3", "5", {"slot 3", "slot 4", "slot 5", "slot 3", "slot 4", "slot 5", "slot 3"}},
        {"5", "3", fiveToTwenty},
        {"1", "25", oneToTwenty},
        {"25", "30", {"-", "-", "-"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string("From ") + c.from + " To " + c.to);
        Station s;
        Form111& set = quietSet1(s);
        nameSlots(set);
        useSerialRange(s, set, c.from, c.to);
        for (const auto& expected : c.sent) {
            EXPECT_EQ(sendOne(s, set), expected);
            s.advance(1);
        }
    }
}

TEST(BeaconChoice, SerialSkipsNothingOverEmptySlotsAndShowsItsCounter) {
    Station s;
    Form111& set = quietSet1(s);
    nameSlots(set);
    set.Text4.setText("");
    useSerialRange(s, set, "3", "5");
    EXPECT_EQ(sendOne(s, set), "slot 3");
    EXPECT_EQ(set.NextNo.caption(), "4");
    EXPECT_TRUE(set.Option3.value()) << "the static choice follows the slot last sent";
    EXPECT_EQ(sendOne(s, set), "");
    EXPECT_EQ(sendOne(s, set), "slot 5");
    EXPECT_EQ(set.NextNo.caption(), "6");
    set.StartNo.setCaption("x");
    EXPECT_EQ(sendOne(s, set), "slot 3");
    EXPECT_EQ(set.StartNo.caption(), "3");
    EXPECT_EQ(set.NextNo.caption(), "4");
}

TEST(BeaconChoice, RandomStaysWithinTheMaximumOverEmptySlots) {
    Station s;
    Form111& set = quietSet1(s);
    nameSlots(set);
    set.Text2.setText("");
    set.StopClock0.setValue(true);
    set.MaxRand.setText("3");
    set.seedRandom(12345);
    std::set<int> drawn;
    for (int i = 0; i < 200; ++i) {
        const std::string sent = sendOne(s, set);
        const int k = set.theRandomNumber;
        ASSERT_GE(k, 1);
        ASSERT_LE(k, 3);
        EXPECT_EQ(sent, k == 2 ? "" : "slot " + std::to_string(k));
        EXPECT_TRUE(set.slotOption(k).value());
        drawn.insert(k);
    }
    EXPECT_EQ(drawn, (std::set<int>{1, 2, 3}));
}

TEST(BeaconChoice, OneSeedGivesOneSequence) {
    auto draws = [](std::uint32_t seed) {
        Station s;
        Form111& set = quietSet1(s);
        set.StopClock0.setValue(true);
        set.seedRandom(seed);
        std::vector<int> out;
        for (int i = 0; i < 30; ++i) {
            s.app().act([&] { set.RandomGreeting(); });
            out.push_back(set.theRandomNumber);
        }
        return out;
    };
    EXPECT_EQ(draws(7), draws(7));
    EXPECT_NE(draws(7), draws(8));
}

TEST(BeaconChoice, TheRandomMaximumIsClampedOnEverySend) {
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"25", "20"}, {"20", "20"}, {"7", "7"}, {"0", "1"}, {"00", "1"}, {"", "1"}};
    for (const auto& [typed, clamped] : cases) {
        SCOPED_TRACE("MaxRand \"" + typed + "\"");
        Station s;
        Form111& set = quietSet1(s);
        set.MaxRand.setText(typed);
        sendOne(s, set);   // static type: the clamp runs all the same
        EXPECT_EQ(set.MaxRand.text(), clamped);
    }
    Station s;
    Form111& set = quietSet1(s);
    nameSlots(set);
    set.StopClock0.setValue(true);
    set.MaxRand.setText("0");
    for (int i = 0; i < 10; ++i) EXPECT_EQ(sendOne(s, set), "slot 1");
}

TEST(BeaconChoice, ABusyLinkSendsNothingAndLeavesTheCounter) {
    struct Case {
        const char* what;
        std::function<void(Station&)> makeBusy;
    };
    const std::vector<Case> cases = {
        {"activity", [](Station& s) { s.node().setActivity(true); }},
        {"receiving signal", [](Station& s) { s.node().setReceivingSignal(true); }},
        {"carrier", [](Station& s) { s.node().setCarrier(true); }},
        {"idents window on air", [](Station& s) { s.app().form3().PTT.setCaption("PTT ON"); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Station s;
        Form111& set = quietSet1(s);
        nameSlots(set);
        useSerialRange(s, set, "2", "4");
        c.makeBusy(s);
        EXPECT_EQ(sendOne(s, set), "-");
        EXPECT_EQ(set.NextNo.caption(), "2");
    }
}

TEST(BeaconChoice, AudioFilesGoToThePlayerAndOtherTextIsSpoken) {
    Station s;
    Form111& set = quietSet1(s);   // announcements off: audio files still go out
    const std::string id = writeTestWav(s.dataFile("id.wav"));
    const std::string news = writeTestWav(s.dataFile("news.mp3"));   // the player's kind of file, by name
    const std::string upper = writeTestWav(s.dataFile("ID.WAV"));
    set.Text1.setText(id);
    set.Text2.setText(news);
    set.Text3.setText(upper);
    set.Text4.setText("Welcome to the node");
    // Each file ends before the next beacon: one sent while the station is on the air is dropped.
    set.Option1.setValue(true);
    sendOne(s, set);
    EXPECT_EQ(s.app().form1().txtFile.text(), id);
    EXPECT_EQ(sendOne(s, set), "-") << "the first file is on the air";
    s.advance(2);
    set.Option2.setValue(true);
    sendOne(s, set);
    EXPECT_EQ(s.app().form1().txtFile.text(), news);
    s.advance(2);
    set.Option3.setValue(true);
    EXPECT_EQ(sendOne(s, set), upper) << "the ending is compared case-sensitively";
    EXPECT_EQ(s.app().form1().txtFile.text(), news);
    set.Option4.setValue(true);
    EXPECT_EQ(sendOne(s, set), "Welcome to the node");
}

// Beacon text files are read as the DTMF player reads its text files: any line ends, and the old
// Windows code page where the file is not UTF-8.
TEST(BeaconChoice, ATextFileIsSpokenAsOneTextWithItsLinesJoinedByABlank) {
    Station s;
    Form111& set1 = quietSet1(s);
    Form110& set2 = s.app().form110();
    const struct {
        const char* file;
        const char* content;
        const char* spoken;
    } files[] = {
        {"mixed.txt", "Welcome to\r\nthe link\nof the club", "Welcome to the link of the club"},
        {"cr.txt", "Welcome to\rthe link\r\rof the club\r", "Welcome to the link of the club"},
        {"cp1252.txt", "Caf\xE9 \x93open\x94", "Caf\xC3\xA9 \xE2\x80\x9Copen\xE2\x80\x9D"},
        {"empty.txt", "", ""},
    };
    for (const auto& f : files) s.dataFolder().write(f.file, f.content);
    for (BeaconSetWindow* set : std::vector<BeaconSetWindow*>{&set1, &set2}) {
        for (const auto& f : files) {
            SCOPED_TRACE(set->name() + " " + f.file);
            set->Text5.setText(s.dataFile(f.file));
            set->Option5.setValue(true);
            set1.TempText = "-";
            s.app().act([&] { set->RandomGreeting(); });
            EXPECT_EQ(set1.TempText, f.spoken) << "both sets speak text files through set 1";
            EXPECT_EQ(set->Text24.text(), f.spoken);
        }
    }
    EXPECT_FALSE(s.app().exists("Form120"));
}

TEST(BeaconChoice, AMissingTextFileIsLoggedOncePerAttemptInEitherSet) {
    Station s;
    Form111& set1 = quietSet1(s);
    Form110& set2 = s.app().form110();
    const std::string missing = s.dataFile("gone.txt");
    for (BeaconSetWindow* set : std::vector<BeaconSetWindow*>{&set1, &set2}) {
        set->Text1.setText(missing);
        s.app().act([&] { set->RandomGreeting(); });
    }
    s.app().act([&] { set1.RandomGreeting(); });
    const std::string line = missing + " <-- Beacons 1 File not found Please Check ";
    EXPECT_EQ(s.transcript().count("LOG " + ::quoted(line)), 3);
    EXPECT_TRUE(s.app().form120().visible());
    EXPECT_EQ(set2.Tempmessage, line);
}

TEST(BeaconChoice, Set2SendsItsDtmfStringAfterEveryBeaconHandedOn) {
    Station s;
    markSet2Beacons(s, "*55");
    s.app().form3().Check1.setValue(1);
    Form110& set = s.app().form110();
    s.app().act([&] { set.RandomGreeting(); });   // the speech request drops the text
    EXPECT_EQ(s.node().dtmfSent(), (std::vector<std::string>{"*55"}));
    EXPECT_TRUE(s.app().form128().Option6.value());
    set.Command61.click();                          // a test button too
    EXPECT_EQ(s.node().dtmfSent().size(), 2u);
    s.node().setCarrier(true);
    s.app().act([&] { set.RandomGreeting(); });   // stopped by the busy test: no string
    EXPECT_EQ(s.node().dtmfSent().size(), 2u);

    s.app().act([&] { s.app().form111().RandomGreeting(); });
    EXPECT_EQ(s.node().dtmfSent().size(), 2u) << "set 1 sends no string";
}

TEST(BeaconChoice, Set2SendsNoDtmfUnlessTickedWithAString) {
    const std::vector<std::string> files = {"", "[SETTINGS]\nCHECK6=1\nTEXT11=\n", "[SETTINGS]\nCHECK6=2\nTEXT11=123\n",
                                            "[SETTINGS]\nCHECK6=0\nTEXT11=123\n"};
    for (const auto& file : files) {
        SCOPED_TRACE(file);
        Station s;
        if (!file.empty()) s.writeSettings("senddtmf.ini", file);
        s.app().form3().Check1.setValue(1);
        s.app().act([&] { s.app().form110().RandomGreeting(); });
        EXPECT_TRUE(s.node().dtmfSent().empty());
    }
}

TEST(BeaconChoice, Set1SkipsFailuresWhileSet2PassesThemOn) {
    Station s;
    Form111& set1 = quietSet1(s);
    Form110& set2 = s.app().form110();
    s.node().setUnreachable(true);
    set1.TempText = "-";
    EXPECT_NO_THROW(set1.RandomGreeting());
    EXPECT_EQ(set1.TempText, "-") << "a busy test that cannot be read counts as busy";
    EXPECT_THROW(set2.RandomGreeting(), EchoLinkError);
}

TEST(BeaconChoice, Set2SpeaksThroughItsOwnRequest) {
    Station s;
    Form3& idents = s.app().form3();
    idents.wavfile.setText(s.dataFile("speech.wav"));
    idents.VolSet.setText("-450");
    Form110& set = s.app().form110();
    set.Text1.setText("Set two calling");
    s.app().act([&] { set.RandomGreeting(); });
    EXPECT_EQ(set.TempText, "Set two calling");
    EXPECT_EQ(idents.TextField.text(), "Set two calling");
    EXPECT_EQ(s.app().form1().txtFile.text(), s.dataFile("speech.wav"));
    EXPECT_EQ(s.app().form1().TempVolSet.text(), "-450");
}

TEST(BeaconChoice, Set2SpeechIsDroppedWhileAnnouncementsAreOffOrTheLinkIsBusy) {
    for (int busy = 0; busy < 2; ++busy) {
        Station s;
        Form3& idents = s.app().form3();
        if (busy)
            s.node().setReceivingSignal(true);
        else
            idents.Check1.setValue(1);
        Form110& set = s.app().form110();
        const std::string field = idents.TextField.text(), file = s.app().form1().txtFile.text();
        set.TempText = "dropped";
        s.app().act([&] { set.TestTTW(); });
        EXPECT_EQ(idents.TextField.text(), field);
        EXPECT_EQ(s.app().form1().txtFile.text(), file);
    }
}
