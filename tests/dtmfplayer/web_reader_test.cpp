// Reading web pages aloud: "Stand By" at once, the requested page's text after the delay and two
// more steps; a page that cannot be read is logged and the apology spoken in its place, nothing stale.
#include "app/app.h"
#include "dtmf_player_support.h"
#include "platform/doubles/virtual_audio.h"
#include "platform/linux_services.h"
#include "platform/local_servers.h"

namespace {
struct WebSlot : ::testing::Test {
    PlayerStation p;
    Form23& w = p.w;
    std::map<std::string, std::string>& pages = p.s.webText->bodies;
};

// A station whose web-page text is the real one, for pages served on 127.0.0.1.
struct RealWebStation {
    TempFolder config, data, home;
    std::shared_ptr<VirtualClock> clock = std::make_shared<VirtualClock>(*parseDateTime("2026-12-10 14:07:13"));
    RecordingSpeech* speech = nullptr;
    std::unique_ptr<App> app;
    RealWebStation() {
        AppOptions o;
        o.clock = clock;
        o.virtualStart = clock->now();
        o.folders = {config.path(), data.path(), home.path()};
        Services s;
        s.audio = std::make_unique<VirtualAudioService>(*clock);
        auto sp = std::make_unique<RecordingSpeech>(*clock);
        speech = sp.get();
        s.speech = std::move(sp);
        s.dialogs = std::make_unique<ScriptedDialogs>();
        s.shell = std::make_unique<RecordingShell>();
        s.tray = std::make_unique<FakeTray>(true);
        s.transfer = std::make_unique<OfflineTransfer>();
        s.webText = makeWebPageText();
        app = std::make_unique<App>(std::move(o), std::move(s));
    }
    void advance(double seconds) {
        app->act([&] { app->loop().runFor(static_cast<std::int64_t>(seconds * 1000)); });
    }
    std::vector<std::string> spoken() const {
        std::vector<std::string> texts;
        for (const auto& [path, text] : speech->rendered) texts.push_back(text);
        return texts;
    }
};

}  // namespace

TEST_F(WebSlot, StandByAtOnceAndThePageAfterTheDelayAndTwoSteps) {
    pages["http://example.org/net"] = "Net tonight at\nnine T-Storms";
    p.slot(8, "88", "http://example.org/net");
    p.dtmf("88");
    EXPECT_EQ(w.Text1.text(), "Stand By");
    EXPECT_EQ(p.spoken(), std::vector<std::string>{"Stand By"});
    p.s.advance(3.5);
    EXPECT_EQ(w.Text1.text(), "Net tonight at\nnine T-Storms");   // shown as soon as it is loaded
    p.s.advance(3);
    EXPECT_EQ(p.spoken().size(), 1u);
    p.s.advance(1);
    EXPECT_EQ(p.spoken(), (std::vector<std::string>{"Stand By", "Net tonight at\nnine Thunder Storms"}));
    p.s.advance(60);
    EXPECT_EQ(p.spoken().size(), 2u);
    EXPECT_EQ(p.s.webText->requested.size(), 1u);
    EXPECT_EQ(p.logLines(), 0);
}

TEST(WebDelay, BoxGivesOneToTwentySeconds) {
    const std::pair<const char*, int> cases[] = {{"5", 5000}, {"1", 1000},   {"20", 20000}, {"21", 1000},
                                                 {"0.5", 1000}, {"1.5", 1500}, {"", 1000},     {"ab", 1000}};
    for (const auto& [box, ms] : cases) EXPECT_EQ(Form23::webDelayMs(box), ms) << box;
}

TEST_F(WebSlot, DelayBoxSetsTheFirstStep) {
    pages["http://example.org/d"] = "done";
    w.Text2.setText("20");
    w.location(3).setText("http://example.org/d");
    p.s.click("Form23.Command27");
    EXPECT_EQ(w.Timer1.interval(), 20000);
    p.s.advance(23.5);
    EXPECT_EQ(p.spoken().size(), 1u);
    p.s.advance(1);
    EXPECT_EQ(p.spoken().back(), "done");
}

TEST(WebErrorPage, PhrasesCountAsThePartSays) {
    const std::pair<const char*, bool> cases[] = {
        {"The address is not valid", false},
        {"Oops. The address is not valid", true},
        {"WEBPAGE CANNOT BE FOUND here", true},
        {"The Webpage Cannot Be Found", true},
        {"cannot display the web page", false},
        {"We cannot display the web page", true},
        {"All is well", false},
    };
    for (const auto& [text, error] : cases) EXPECT_EQ(Form23::looksLikeErrorPage(text), error) << text;
}

TEST_F(WebSlot, AnErrorPageIsSpokenAsTheApologyAfterTheTable) {
    pages["http://example.org/e"] = "Sorry, this webpage cannot be found";
    pages["http://example.org/f"] = "Sorry, this webpage cannot be found";
    p.slot(1, "1", "http://example.org/e");
    p.dtmf("1");
    p.s.advance(8);
    EXPECT_EQ(p.spoken().back(), "Sorry the information is not available at this time");
    w.word(2).setText("webpage");
    w.replacement(2).setText("page");
    w.location(1).setText("http://example.org/f");
    p.dtmf("1");
    p.s.advance(8);
    EXPECT_EQ(p.spoken().back(), "Sorry, this page cannot be found");
}

TEST_F(WebSlot, APageThatCannotBeReadIsLoggedOnceAndTheApologyIsSpokenNothingStale) {
    pages["http://example.org/good"] = "Old page";
    p.slot(1, "1", "http://example.org/good");
    p.slot(2, "2", "http://example.org/gone");
    p.dtmf("1");
    p.s.advance(9);   // "Old page" has ended: 3 s, 2 s and 2 s after "Stand By" and its key-up delay
    p.dtmf("2");
    p.s.advance(120);
    EXPECT_EQ(p.spoken(), (std::vector<std::string>{"Stand By", "Old page", "Stand By",
                                                    "Sorry the information is not available at this time"}));
    EXPECT_EQ(p.s.transcript().count("LOG \"http://example.org/gone <-- Web page could not be read (network unreachable); "
                                     "the apology is spoken"),
              1);
    EXPECT_EQ(p.logLines(), 1);
    EXPECT_FALSE(w.Timer1.enabled() || w.Timer3.enabled() || w.Timer4.enabled());
}

TEST_F(WebSlot, TheRequestedPageIsReadWhateverIsPlayedMeanwhile) {
    pages["http://example.org/wx"] = "Weather page";
    p.slot(1, "1", "http://example.org/wx");
    p.slot(2, "2", "/music.wav");
    p.dtmf("1");
    p.s.advance(4);
    p.dtmf("2");
    EXPECT_EQ(w.Text1.text(), "Playing Audio File");
    EXPECT_EQ(w.TempText, "/music.wav");
    p.s.advance(4);
    EXPECT_EQ(p.spoken().back(), "Weather page");
    EXPECT_EQ(p.s.webText->requested, std::vector<std::string>{"http://example.org/wx"});
}

TEST_F(WebSlot, ANewPageRequestStartsTheReadingAfreshForItsOwnPage) {
    pages["http://example.org/a"] = "Page A";
    pages["http://example.org/b"] = "Page B";
    p.slot(1, "1", "http://example.org/a");
    p.slot(2, "2", "http://example.org/b");
    p.dtmf("1");
    p.s.advance(4);   // A is loaded and waiting
    p.dtmf("2");
    p.s.advance(30);
    EXPECT_EQ(p.spoken(), (std::vector<std::string>{"Stand By", "Stand By", "Page B"}));
}

TEST_F(WebSlot, SlotTwentysButtonLeavesTheBoxEmptyUntilThePageIsIn) {
    pages["http://example.org/x"] = "Twenty";
    w.location(20).setText("http://example.org/x");
    w.location(19).setText("http://example.org/x");
    p.s.click("Form23.Command19");
    EXPECT_EQ(w.Text1.text(), "Stand By");
    p.s.click("Form23.Command20");
    EXPECT_EQ(w.Text1.text(), "");
    // The first "Stand By" is on the air, so the second one is dropped rather than cutting it off.
    EXPECT_EQ(p.spoken(), (std::vector<std::string>{"Stand By"}));
    p.s.advance(8);
    EXPECT_EQ(p.spoken().back(), "Twenty");
    EXPECT_EQ(w.Text1.text(), "Twenty");
}

TEST_F(WebSlot, TheClearingAfterStartNeverEmptiesWhatIsSpoken) {
    pages["http://example.org/early"] = "Early page";
    w.Text2.setText("1");
    p.slot(1, "1", "http://example.org/early");
    p.dtmf("1");   // loaded at 1 s, cleared from the box at 4 s, spoken at 5 s
    p.s.advance(6);
    EXPECT_EQ(p.spoken().back(), "Early page");
}

TEST_F(WebSlot, ALongPageIsCutToTwoThousandCharacters) {
    pages["http://example.org/long"] = std::string(2500, 'z');
    p.slot(1, "1", "http://example.org/long");
    p.dtmf("1");
    p.s.advance(8);
    EXPECT_EQ(p.spoken().back(), std::string(2000, 'z'));
}

TEST(WebSlotServed, APageServedHereIsSpokenAsItsBodyTextAndFailuresAreLogged) {
    TempFolder site;
    site.write("news.html",
               "<html><head><title>Not read</title><script>var x = 1;</script></head>"
               "<body><h1>Club news</h1><p>Net at nine &amp; T-Storms later</p></body></html>");
    site.write("tune.mp3", std::string("ID3\x03\0\0\0\0\0\0\xFF\xFB\x90\x64 binary words", 24));
    LocalServer server(folderServerScript(), {site.path()});
    ASSERT_TRUE(server.started()) << server.problem();
    const std::string base = "http://127.0.0.1:" + std::to_string(server.port());

    RealWebStation st;
    Form23& w = st.app->form23();
    w.code(1).setText("1");
    w.location(1).setText(base + "/news.html");
    w.code(2).setText("2");
    w.location(2).setText(base + "/missing.html");
    w.code(3).setText("3");
    w.location(3).setText("http://127.0.0.1:1/nothing-listens-here");
    w.code(4).setText("4");
    w.location(4).setText(base + "/tune.mp3");   // audio is no page: never read out as speech

    st.app->node().receiveDtmf("1");
    st.advance(8);
    EXPECT_EQ(st.spoken(), (std::vector<std::string>{"Stand By", "Club news\nNet at nine & Thunder Storms later"}));
    EXPECT_EQ(st.app->transcript().count("LOG "), 0);

    st.advance(10);   // the page's speech is off the air
    st.app->node().receiveDtmf("2");
    st.advance(15);
    st.app->node().receiveDtmf("3");
    st.advance(15);
    st.app->node().receiveDtmf("4");
    st.advance(15);
    const std::string apology = "Sorry the information is not available at this time";
    EXPECT_EQ(st.spoken(), (std::vector<std::string>{"Stand By", "Club news\nNet at nine & Thunder Storms later",
                                                     "Stand By", apology, "Stand By", apology, "Stand By", apology}));
    EXPECT_EQ(st.app->transcript().count("LOG \"" + base + "/missing.html <-- Web page could not be read"), 1);
    EXPECT_EQ(st.app->transcript().count("LOG \"" + base + "/tune.mp3 <-- Web page could not be read"), 1);
    EXPECT_EQ(st.app->transcript().count("LOG \"http://127.0.0.1:1/nothing-listens-here <-- Web page could not be read"),
              1);
}
