// Spoken connect and disconnect notices, the call history and the connect bell of the idents window.
#include "chat/greetings_window.h"
#include "idents_support.h"
#include "support/test_wav.h"

using V = std::vector<std::string>;

namespace {
// The speech routine speaks "*" as a blank and "-" as ":".
std::string asSpoken(const std::string& notice) { return replaceAll(replaceAll(notice, "*", " "), "-", ":"); }

struct NoticeCase {
    const char* call;
    const char* onConnect;      // empty: no notice
    const char* onDisconnect;
    const char* tempCall;       // left by the connect
};

const NoticeCase kNotices[] = {
    {"W1ABC", "W 1 A B C  , Connected", "W 1 A B C  , Disconnected", "W 1 A B C "},
    {"K1ABC-L", "K 1 A B C -  : Link Connected.", "K 1 A B C -  : Link Disconnected.", "K 1 A B C - "},
    {"K1ABC-R", "K 1 A B C -  : Repeater Connected.", "K 1 A B C -  : Repeater Disconnected.", "K 1 A B C - "},
    {"K1ABC-X", "", "", "K1ABC-X"},
    {"*IRELAND*", "The Ireland  conference has connected.", "The Ireland  conference has disconnected.", "*IRELAND*"},
    {"*ECHOTEST*", "The Echo Link Test Server has connected.", "The Echo Link  Test Server Has disconnected.",
     "*ECHOTEST*"},
    {"*JOTA-E*", "The Jamboree on the air : English  Conference Has Connected.",
     "The Jamboree on the air : English  Conference Has disconnected.", "*JOTA-E*"},
    {"*AUSSIE*", "The Australian  Conference Has Connected. GuDay from Down Under",
     "The Australian  Conference Has disconnected.", "*AUSSIE*"},
    // Not in the table (other capitals count as another conference): spelled.
    {"*ireland*", "The * i r e l a n d *   conference has connected.",
     "The * i r e l a n d *   conference has disconnected.", "* i r e l a n d * "},
};
}  // namespace

TEST(IdentsNotices, EachKindOfStationGetsItsConnectAndDisconnectNotice) {
    for (const NoticeCase& c : kNotices) {
        Station s({"2026-12-10 13:05:00"});
        Form3& f = openIdents(s);
        s.node().stationConnects(c.call, "John", "1.2.3.4");
        s.advance(1);
        EXPECT_EQ(s.speech->spoken, *c.onConnect ? V{asSpoken(c.onConnect)} : V{}) << c.call;
        EXPECT_EQ(f.TempCall, c.tempCall) << c.call;
        s.speech->spoken.clear();
        s.node().stationDisconnects(c.call);
        s.advance(1);
        EXPECT_EQ(s.speech->spoken, *c.onDisconnect ? V{asSpoken(c.onDisconnect)} : V{}) << c.call;
    }
}

TEST(IdentsNotices, TheNoticeGoesOutWithTheTransmitterKeyed) {
    Station s({"2026-12-10 13:05:00"});
    openIdents(s);
    s.transcript().clear();
    s.node().stationConnects("W1ABC", "John", "1.2.3.4");
    s.advance(1);
    V onAir;
    for (const auto& l : s.transcript().lines())
        if (startsWith(l, "KEY") || startsWith(l, "SPEAK")) onAir.push_back(l);
    EXPECT_EQ(onAir, (V{"KEY on", "SPEAK \"W 1 A B C  , Connected\"", "KEY off"}));
}

TEST(IdentsNotices, OnlyTheIrelandConnectSelectsTheGreetingForConferences) {
    Station s;
    Form3& f = openIdents(s);
    Form10& greetings = s.app().form10();
    greetings.option(1).setValue(true);
    s.app().act([&] { f.Echolink_Disconnected("*IRELAND*"); });
    EXPECT_FALSE(greetings.Option10.value());
    s.app().act([&] { f.Echolink_connected("*ULSTER*", "", ""); });
    EXPECT_FALSE(greetings.Option10.value());
    s.app().act([&] { f.Echolink_connected("*IRELAND*", "", ""); });
    EXPECT_TRUE(greetings.Option10.value());
}

TEST(IdentsNotices, WithAddTimeTheTimeIsQueuedAfterTheNotice) {
    Station s({"2026-12-10 13:05:00"});
    Form3& f = openIdents(s, "ADDTIME=1\n");
    s.app().act([&] { f.Echolink_connected("W1ABC", "John", "1.2.3.4"); });
    EXPECT_EQ(s.speech->spoken, V{"W 1 A B C  , Connected"});
    EXPECT_EQ(f.flag2, 1);
    EXPECT_EQ(f.SayTheText, "at1 05  P M");
    s.advance(2);
    EXPECT_EQ(s.speech->spoken, (V{"W 1 A B C  , Connected", "at1 05  P M"}));
}

TEST(IdentsNotices, WithNoticesOffAConnectStillWritesHistoryAndTempCallAndRingsTheBell) {
    Station s({"2026-12-10 00:07:00"});
    Form3& f = openIdents(s, "CONDISC=0\nCONNECTBELLCHECK=1\nVOLSET=-500\n");
    f.Text2.setText(writeTestWav(s.dataFile("bell.wav")));
    s.node().stationConnects("K1ABC-L", "Ann", "5.6.7.8");
    s.advance(1);
    EXPECT_TRUE(s.speech->spoken.empty());
    EXPECT_EQ(f.TempCall, "K1ABC-L");
    EXPECT_EQ(f.CallHistory.text(), " 12:07 AM -- K1ABC-L -- Ann -- 5.6.7.8\r\n");
    Form1& player = s.app().form1();
    EXPECT_EQ(player.txtFile.text(), s.dataFile("bell.wav"));
    EXPECT_EQ(player.TempVolSet.text(), "-500");
    EXPECT_EQ(player.ferrin, 1);
}

TEST(IdentsNotices, AConnectRingsTheBellAfterSpeakingAndTheTestButtonRingsItToo) {
    Station s({"2026-12-10 13:05:00"});
    Form3& f = openIdents(s, "CONNECTBELLCHECK=1\n");
    f.Text2.setText(writeTestWav(s.dataFile("bell.wav")));
    Form1& player = s.app().form1();
    s.node().stationConnects("W1ABC");
    s.advance(1);
    EXPECT_EQ(s.speech->spoken, V{"W 1 A B C  , Connected"});
    EXPECT_EQ(player.txtFile.text(), s.dataFile("bell.wav"));

    player.txtFile.setText("");
    player.ferrin = 0;
    f.ConnectBellCheck.setValue(0);
    s.click("Form3.Command13");
    EXPECT_EQ(player.txtFile.text(), s.dataFile("bell.wav"));
    EXPECT_EQ(player.ferrin, 1);
}

TEST(IdentsCallHistory, OneLineAConnectOldestFirstUntilCleared) {
    Station s({"2026-12-10 13:05:00"});
    Form3& f = openIdents(s, "CONDISC=0\n");
    s.node().stationConnects("W1ABC", "John", "1.2.3.4");
    s.advance(60);
    s.node().stationConnects("*IRELAND*", "Conference *IRELAND*", "5.6.7.8");
    s.node().stationDisconnects("W1ABC");   // leaving writes nothing
    s.advance(1);
    EXPECT_EQ(f.CallHistory.text(),
              " 1:05 PM -- W1ABC -- John -- 1.2.3.4\r\n"
              " 1:06 PM -- *IRELAND* -- Conference *IRELAND* -- 5.6.7.8\r\n");
    s.click("Form3.Command5");
    EXPECT_EQ(f.CallHistory.text(), "");
}

TEST(IdentsCallHistory, KeepsTheNewestCallsUpToItsLimitAndANameCannotAddLines) {
    Station s({"2026-12-10 13:05:00"});
    Form3& f = openIdents(s, "CONDISC=0\n");
    const int calls = Form3::kCallHistoryLines + 5;
    s.app().act([&] {
        for (int n = 1; n <= calls; ++n) f.Echolink_connected("W" + std::to_string(n), "Name\r\nfake line", "");
    });
    const std::string& h = f.CallHistory.text();
    EXPECT_EQ(static_cast<int>(std::count(h.begin(), h.end(), '\n')), Form3::kCallHistoryLines);
    EXPECT_TRUE(startsWith(h, " 1:05 PM -- W6 -- Name  fake line -- \r\n")) << h.substr(0, 80);
    EXPECT_TRUE(endsWith(h, " -- W" + std::to_string(calls) + " -- Name  fake line -- \r\n"));
}

TEST(IdentsNotices, FileButtonPicksTheBellOrWarnsWhenNothingWasChosen) {
    Station s;
    Form3& f = openIdents(s);
    s.dialogs->answerFile(s.dataFile("ding.mp3"));
    s.click("Form3.Command12");
    EXPECT_EQ(f.Text2.text(), s.dataFile("ding.mp3"));

    f.PTT.setCaption("PTT ON");
    s.click("Form3.Command12");   // cancelled: the dialog leaves the name it opened with
    EXPECT_EQ(f.Text2.text(), s.dataFile("ding.mp3"));
    EXPECT_EQ(f.PTT.caption(), "PTT ON");
    EXPECT_TRUE(s.dialogs->shown.empty());

    s.set("Form3.Text2", "");
    s.click("Form3.Command12");   // cancelled with no name to keep
    EXPECT_EQ(f.Text2.text(), "");
    EXPECT_EQ(f.PTT.caption(), "PTT OFF");
    ASSERT_FALSE(s.dialogs->shown.empty());
    EXPECT_EQ(s.dialogs->shown.back().title, "Error No File selected");
    EXPECT_EQ(s.dialogs->shown.back().text, " You must select an audio file");
}

// As the headless console does it: `connect W1ABC John 1.2.3.4`, then `wait 10`.
TEST(IdentsNotices, AConnectingStationIsAnnouncedWithEveryStartupWindowRunning) {
    Station s({"2026-12-10 13:59:50", "N0CALL-L", true});
    s.node().stationConnects("W1ABC", "John", "1.2.3.4");
    s.advance(10);
    EXPECT_TRUE(s.transcript().contains("SPEAK \"W 1 A B C  , Connected\""));
    EXPECT_EQ(s.app().form3().CallHistory.text(), " 1:59 PM -- W1ABC -- John -- 1.2.3.4\r\n");
}
