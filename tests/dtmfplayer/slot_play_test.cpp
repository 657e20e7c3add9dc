// DTMF commands and the Play and Stop buttons: which slots a digit string plays, what each kind
// of location hands over, and what a listener's request for an empty slot does.
#include "dtmf_player_support.h"

namespace {
struct SlotPlay : ::testing::Test {
    PlayerStation p;
    Form23& w = p.w;
    // Each hand-over to the player: the file and the volume its request boxes held.
    std::vector<std::pair<std::string, std::string>> handed;
    void SetUp() override {
        w.startPlayer = [this](Form1& player) { handed.push_back({player.txtFile.text(), player.TempVolSet.text()}); };
    }
    std::string lastFile() const { return handed.empty() ? "<none>" : handed.back().first; }
};
}  // namespace

TEST_F(SlotPlay, AudioSlotGoesToThePlayerWithTheWindowsVolume) {
    const std::string file = p.s.dataFile("news.wav");
    p.slot(4, "123", file);
    w.V1.setValue(-900);
    p.dtmf("123");
    ASSERT_EQ(handed.size(), 1u);
    EXPECT_EQ(handed[0].first, file);
    EXPECT_EQ(handed[0].second, "-900");
    EXPECT_EQ(w.Text1.text(), "Playing Audio File");
    EXPECT_EQ(w.TempText, file);
    EXPECT_EQ(p.logLines(), 0);
}

TEST_F(SlotPlay, OnlyAWholeEqualCodeMatches) {
    p.slot(4, "123", "/four.wav");
    p.slot(5, "123 ", "/five.wav");
    p.slot(6, "12a", "/six.wav");
    p.slot(7, "", "/seven.wav");
    const struct {
        const char* digits;
        const char* played;
    } cases[] = {
        {"123", "/four.wav"}, {"123 ", "/five.wav"}, {"12A", "<none>"}, {"12a", "/six.wav"},
        {"12", "<none>"}, {"1234", "<none>"}, {"", "<none>"},   // an empty code never matches
    };
    for (const auto& c : cases) {
        handed.clear();
        p.dtmf(c.digits);
        EXPECT_EQ(lastFile(), c.played) << '"' << c.digits << '"';
        EXPECT_LE(handed.size(), 1u);
    }
}

TEST_F(SlotPlay, AWrongCodeDoesNothingButTheVolumeFollowsVolSet) {
    p.slot(1, "11", "/one.wav");
    w.Text1.setText("before");
    w.VolSet.setText("-700");   // as an earlier slider move would leave it
    p.dtmf("99");
    EXPECT_TRUE(handed.empty());
    EXPECT_EQ(w.Text1.text(), "before");
    EXPECT_TRUE(p.spoken().empty());
    EXPECT_EQ(w.V1.value(), -700);
}

TEST_F(SlotPlay, EverySlotWithTheCodePlaysInSlotOrder) {
    p.slot(2, "55", "/first.wav");
    p.slot(9, "55", "/second.wav");
    p.dtmf("55");
    ASSERT_EQ(handed.size(), 2u);
    EXPECT_EQ(handed[0].first, "/first.wav");
    EXPECT_EQ(handed[1].first, "/second.wav");
    EXPECT_EQ(w.TempText, "/second.wav");
}

TEST_F(SlotPlay, ListenersRequestForAnEmptySlotIsLoggedAndNothingIsTransmitted) {
    p.slot(3, "30", "");
    p.dtmf("30");
    EXPECT_TRUE(handed.empty());
    EXPECT_TRUE(p.s.dialogs->fileDialogs.empty());
    EXPECT_TRUE(p.s.dialogs->shown.empty());
    EXPECT_TRUE(p.s.transcript().contains("LOG \"DTMF player slot 3 has no file location; nothing is played"));
}

TEST_F(SlotPlay, TheSysopsPlayOfAnEmptySlotLeavesThePlayerToAskForAFile) {
    w.Text1.setText("");
    p.s.click("Form23.Command29");   // slot 1, empty
    ASSERT_EQ(handed.size(), 1u);
    EXPECT_EQ(handed[0].first, "");
    EXPECT_EQ(w.Text1.text(), "Playing Audio File");
    EXPECT_EQ(p.logLines(), 0);
}

TEST_F(SlotPlay, KindIsReadFromTheLocationsText) {
    const std::string txt = p.s.dataFile("note.txt");
    p.s.dataFolder().write("note.txt", "hello");
    p.s.webText->bodies["https://example.org/a"] = "page";
    const struct {
        std::string location;
        const char* kind;
    } cases[] = {
        {txt, "text"},
        {"/x/NOTE.TXT", "audio"},
        {"http://example.org/list.txt", "text"},   // ends in txt: read as a file, which it is not
        {"https://example.org/a", "web"},
        {"HTTP://example.org/a", "audio"},
        {" http://example.org/a", "audio"},
        {"/x/song.mp3", "audio"},
    };
    for (const auto& c : cases) {
        handed.clear();
        p.s.dialogs->shown.clear();
        w.Text1.setText("");
        w.location(12).setText(c.location);
        p.s.click("Form23.Command12");
        const std::string kind = lastFile() == c.location                         ? "audio"
                                 : w.Text1.text() == "Stand By"                 ? "web"
                                 : w.Text1.text() == "hello" || !p.s.dialogs->shown.empty() ? "text"
                                                                                 : "?";
        EXPECT_EQ(kind, c.kind) << c.location;
        EXPECT_EQ(w.TempText, c.location);
    }
}

TEST_F(SlotPlay, PlayButtonsPlayTheirOwnSlotWhateverItsCode) {
    for (int k = 1; k <= 20; ++k) w.location(k).setText("/slot" + std::to_string(k) + ".wav");
    for (int k = 1; k <= 20; ++k) {
        p.s.click("Form23." + Form23::playButtonName(k));
        EXPECT_EQ(lastFile(), "/slot" + std::to_string(k) + ".wav") << k;
    }
    // Unlike a DTMF command, a Play click does not set the slider from VolSet afterwards.
    w.VolSet.setText("-300");
    p.s.click("Form23.Command7");
    EXPECT_EQ(w.V1.value(), 0);
}

TEST_F(SlotPlay, StopPlayStopsThePlayerAndLeavesAWebReadingGoing) {
    p.s.webText->bodies["http://example.org/n"] = "The news";
    p.slot(1, "1", "http://example.org/n");
    p.dtmf("1");
    p.player.Label1.setCaption("5");
    p.s.click("Form23.Command1");
    EXPECT_EQ(w.Text1.text(), "Stand By");
    p.s.advance(8);
    EXPECT_EQ(p.spoken(), (std::vector<std::string>{"Stand By", "The news"}));
    // Stop while a file is on the air: the player stops it and releases the transmitter.
    p.s.dataFolder().write("long.wav", "audio");
    const std::string file = p.s.dataFile("long.wav");
    p.s.audio->setLength(file, 30);
    w.startPlayer = [](Form1& player) { player.TXFile(); };
    w.location(2).setText(file);
    p.s.click("Form23.Command28");
    p.s.advance(2);
    EXPECT_TRUE(p.s.node().keyed());
    p.s.click("Form23.Command1");
    EXPECT_FALSE(p.s.node().keyed());
    EXPECT_EQ(p.player.Label1.caption(), "0");
}

TEST(SlotPlayOnTheAir, ADtmfCodePutsItsFileOnTheAirAndTheWindowNeverCutsATransmission) {
    PlayerStation p;
    p.s.dataFolder().write("club.wav", "audio");
    const std::string file = p.s.dataFile("club.wav");
    p.s.audio->setLength(file, 20);
    p.slot(9, "909", file);
    p.w.V1.setValue(-900);
    p.dtmf("909");
    p.s.advance(2);
    EXPECT_TRUE(p.s.transcript().contains("PLAY \"" + file + "\" vol=-900"));
    EXPECT_TRUE(p.s.node().keyed());

    // The player's window created later, mid-transmission, leaves the transmitter keyed.
    p.s.app().form23().unload();
    p.s.app().form23();
    EXPECT_TRUE(p.s.node().keyed());
}

TEST(SlotPlayOnTheAir, AFileThePlayerCannotPlayIsToldToTheSysopAtPlayAndLoggedForDtmf) {
    PlayerStation p;
    p.s.dataFolder().write("broken.wav", "audio");
    const std::string broken = p.s.dataFile("broken.wav");
    p.s.audio->setLength(broken, -1);   // a file the player cannot measure
    p.slot(3, "33", broken);
    p.dtmf("33");
    EXPECT_TRUE(p.s.dialogs->shown.empty());
    EXPECT_TRUE(p.s.transcript().contains("LOG \"" + broken + " <-- Audio File not found Please Check and Try Again \""));
    p.s.advance(2);

    p.s.click("Form23.Command27");
    ASSERT_EQ(p.s.dialogs->shown.size(), 1u);
    EXPECT_EQ(p.s.dialogs->shown[0].title, "Error");
    EXPECT_EQ(p.s.dialogs->shown[0].text, "Audio File not found Please Check and Try Again");
    // The same empty slot from the button asks for a file; by DTMF it asks nobody.
    p.slot(3, "33", "");
    p.dtmf("33");
    EXPECT_TRUE(p.s.dialogs->fileDialogs.empty());
    p.s.dialogs->answerFile(broken);
    p.s.click("Form23.Command27");
    EXPECT_EQ(p.s.dialogs->fileDialogs.size(), 1u);
    EXPECT_EQ(p.s.dialogs->shown.size(), 2u);
}
