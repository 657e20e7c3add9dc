#include "beacons/beacon_set1_window.h"
#include "chat/chat_window.h"
#include "speech/idents_window.h"
#include "support/station_fixture.h"

namespace {
struct ChatFixture : ::testing::Test {
    Station s{{"2026-12-10 21:05:00", "N0CALL-L"}};
    Messages& chat = s.app().messages();
    Form111& beacon = s.app().form111();

    void receive(const std::string& line) {
        s.node().receiveChat(line);
        s.advance(0.1);
    }
    std::vector<std::string> sent() const { return const_cast<Station&>(s).node().chatSent(); }
};
}  // namespace

TEST_F(ChatFixture, ReceivedLineIsShownStampedWithPicturesAndSpokenWhenSpeakingIsOn) {
    s.set("Form3.SayText", "1");
    receive("W1ABC>hello :) [aside]there");
    ASSERT_EQ(chat.RTB.lines().size(), 1u);
    const ChatLine& line = chat.RTB.lines()[0];
    EXPECT_EQ(line.sender, "W1ABC>");
    EXPECT_EQ(line.senderColor, ChatDisplay::kOthersColor);
    ASSERT_EQ(line.pieces.size(), 3u);
    EXPECT_EQ(line.pieces[0].text, "(21:05) hello ");
    EXPECT_EQ(line.pieces[1].icon, 0);
    EXPECT_EQ(line.pieces[2].text, " [aside]there");
    EXPECT_EQ(beacon.TempText, "Message from W1ABC hello    there");
    EXPECT_EQ(chat.sTextSay, "");
    EXPECT_TRUE(sent().empty());
    EXPECT_EQ(chat.RTB.SelStart(), chat.RTB.length());
}

TEST_F(ChatFixture, NothingIsSpokenWhenSpeakingIsOffOrTheLinkIsBusy) {
    s.set("Form3.SayText", "0");
    receive("W1ABC>one");
    EXPECT_EQ(beacon.TempText, "");

    s.set("Form3.SayText", "1");
    s.app().form3().PTT2.setCaption("Receiving Signal");
    receive("W1ABC>two [x]");
    EXPECT_EQ(beacon.TempText, "");
    EXPECT_EQ(chat.sTextSay, "W1ABC>two ");   // the cut line waits there

    s.app().form3().PTT2.setCaption("      ");
    s.node().setCarrier(true);
    receive("W1ABC>three");
    EXPECT_EQ(beacon.TempText, "");
    s.node().setCarrier(false);

    receive("W1ABC>Your wish is my command.");
    receive("W1ABC>an Error here");
    EXPECT_EQ(beacon.TempText, "");
    EXPECT_EQ(chat.RTB.lines().size(), 5u);   // every one of them is displayed
}

TEST_F(ChatFixture, SpeechTableReadsNumbersAndCallsAloud) {
    EXPECT_EQ(Messages::applySpeechTable("11."), "11:");
    EXPECT_EQ(Messages::applySpeechTable("10."), "1 zero : ");
    EXPECT_EQ(Messages::applySpeechTable("GB3XX-R>hi"), "G B3XX Repeater: hi");
    EXPECT_EQ(Messages::applySpeechTable("MI5-L>(x)"), "M eye5 Link :  x ");
}

TEST(ChatBracketCut, RemovesOneBracketedStretchAndLeavesOddLinesReadable) {
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"a [b] c", "a  c"},
        {"[b]c", "c"},
        {"no brackets", "no brackets"},
        {"only ] close", "only ] close"},
        {"only [ open", "only [ open"},
        {"a]b[c", "a]b[c"},
        {"a]b[c]d", "a]bd"},
        {"[a][b]", "[b]"},
    };
    for (const auto& [in, out] : cases) EXPECT_EQ(Messages::bracketCut(in), out) << in;
}

TEST_F(ChatFixture, WordFilterBlocksPastTheFirstCharacter) {
    struct Case {
        int check3;
        std::string line;
        bool shown;
    };
    const std::vector<Case> cases = {
        {1, "timeout is fine at the start", true},
        {1, "W1ABC>node down", false},
        {1, "W1ABC>is Connected", false},
        {1, "W1ABC>is CONNECTED", true},
        {0, "W1ABC>is CONNECTED", false},
        {2, "W1ABC>is connected", false},
        {1, "W1ABC>what a BaStArD", false},
        {1, "W1ABC>all good", true},
    };
    for (const auto& c : cases) {
        chat.RTB.clear();
        chat.Check3.setValue(c.check3);
        receive(c.line);
        EXPECT_EQ(chat.RTB.lines().size(), c.shown ? 1u : 0u) << c.line << " check3=" << c.check3;
    }
    chat.filterText(6).setText("");
    chat.RTB.clear();
    receive("W1ABC>empty boxes filter nothing");
    EXPECT_EQ(chat.RTB.lines().size(), 1u);
}

TEST_F(ChatFixture, PrivateMessageIsLoggedAcknowledgedAndOpensThePane) {
    chat.Text1.setText("k2xyz");
    chat.Option2.setValue(true);   // "Stop Chat": still logged and acknowledged, not displayed
    receive("W1ABC>:N0CALL-L~are you there?");
    EXPECT_EQ(chat.Text3.text(), "Message From <- W1ABC> are you there?\r\n");
    EXPECT_EQ(sent(), std::vector<std::string>{":W1ABC~ Message Received~"});
    EXPECT_EQ(chat.Text1.text(), "");
    EXPECT_TRUE(chat.visible());
    EXPECT_EQ(chat.Command3.caption(), "Hide Private Message");
    EXPECT_FALSE(chat.ClearRX.visible());
    EXPECT_EQ(chat.RTB.geometry.height, Messages::kDisplayShort);
    EXPECT_TRUE(chat.RTB.lines().empty());

    // A receipt is itself a private message: logged, never answered.
    receive("W1ABC>:N0CALL-L~ Message Received~");
    EXPECT_EQ(chat.Text3.text(),
              "Message From <- W1ABC> are you there?\r\nMessage From <- W1ABC>  Message Received~\r\n");
    EXPECT_EQ(sent().size(), 1u);
}

TEST_F(ChatFixture, PrivateMessageToTheExtraCallKeepsItInTheSenderPart) {
    chat.ExtraCall.setText("k2xyz");
    receive("W1ABC>:K2XYZ~hi");
    EXPECT_EQ(chat.ExtraCall.text(), "K2XYZ");
    EXPECT_EQ(chat.Text3.text(), "Message From <- W1ABC>:K2XYZ~hi\r\n");
    EXPECT_EQ(sent(), std::vector<std::string>{":W1ABC>:K2XYZ~~ Message Received~"});
}

TEST_F(ChatFixture, ShortExtraCallBecomesTheNodeCallsign) {
    chat.ExtraCall.setText("ab");
    receive("W1ABC>hi");
    EXPECT_EQ(chat.ExtraCall.text(), "N0CALL-L");
    chat.ExtraCall.setText("abc");
    receive("W1ABC>hi");
    EXPECT_EQ(chat.ExtraCall.text(), "ABC");
}

TEST_F(ChatFixture, VersionQueryIsAnsweredEvenWhenTheLineIsNotShown) {
    chat.Option2.setValue(true);
    receive("W1ABC>/chat/ node?");
    EXPECT_EQ(sent(), std::vector<std::string>{"Chat-MV v1.0.0"});
    EXPECT_TRUE(chat.RTB.lines().empty());
    chat.Option1.setValue(true);
    receive("/chat/");
    EXPECT_EQ(sent().size(), 2u);
    ASSERT_EQ(chat.RTB.lines().size(), 1u);
    EXPECT_EQ(chat.RTB.lines()[0].sender, "");
}

TEST_F(ChatFixture, GreetingRequestsDrawNoReplyFromTheChatWindow) {
    receive("W1ABC>Hello all");
    receive("W1ABC>/greeting/");
    EXPECT_TRUE(sent().empty());
    EXPECT_EQ(chat.RTB.lines().size(), 2u);
}

TEST_F(ChatFixture, LinesAreUnstampedWhenAskedAndMultiLineTextKeepsItsBreaks) {
    chat.Check2.setValue(0);
    receive("W1ABC>a\rb");
    ASSERT_EQ(chat.RTB.lines().size(), 1u);
    EXPECT_EQ(chat.RTB.lines()[0].plain(), "W1ABC>: a\r\nb");
}

TEST_F(ChatFixture, ClosingEchoLinkEndsTheProgramWithoutSaving) {
    s.node().close();
    s.advance(0.1);
    EXPECT_TRUE(s.app().ended());
    EXPECT_TRUE(s.transcript().contains("EXIT"));
    EXPECT_FALSE(std::filesystem::exists(s.settingsFile("messagebox.ini")));
}

TEST_F(ChatFixture, EchoLinkFailingMidLineIsLoggedAndTheNextLineIsHandled) {
    s.node().setUnreachable(true);
    receive("W1ABC>/chat/ anyone");
    EXPECT_TRUE(s.transcript().contains("LOG \"Chat line \\\"W1ABC>/chat/ anyone\\\" not fully handled"));
    EXPECT_TRUE(chat.RTB.lines().empty());
    s.node().setUnreachable(false);
    receive("W1ABC>back again");
    EXPECT_EQ(chat.RTB.lines().size(), 1u);
}

// A remote line of thousands of characters would hold the transmitter for minutes: what is
// spoken stops at a word within the limit, and the error log says the line was cut.
TEST_F(ChatFixture, AVeryLongLineIsSpokenOnlyUpToAWordWithinTheLimitAndTheCutIsLogged) {
    s.set("Form3.SayText", "1");
    std::string words;
    while (words.size() < 10000) words += "lorem ipsum ";
    const int logsBefore = s.transcript().count("LOG ");
    receive("W1ABC>" + words);
    const std::string prefix = "Message from W1ABC ";
    ASSERT_EQ(beacon.TempText.rfind(prefix, 0), 0u) << beacon.TempText.substr(0, 60);
    const std::string spoken = beacon.TempText.substr(prefix.size());
    EXPECT_LE(spoken.size(), 300u);
    EXPECT_GT(spoken.size(), 280u);
    EXPECT_EQ(words.rfind(spoken, 0), 0u) << "the start of the line, cut between two words";
    EXPECT_EQ(words[spoken.size()], ' ');
    EXPECT_EQ(s.transcript().count("LOG "), logsBefore + 1);
    ASSERT_EQ(chat.RTB.lines().size(), 1u) << "the whole line is still shown";

    beacon.TempText.clear();
    receive("W1ABC>a short line");
    EXPECT_EQ(beacon.TempText, "Message from W1ABC a short line");
    EXPECT_EQ(s.transcript().count("LOG "), logsBefore + 1);
}
