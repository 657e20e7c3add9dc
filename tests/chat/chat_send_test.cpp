#include "chat/chat_window.h"
#include "support/station_fixture.h"

namespace {
struct SendFixture : ::testing::Test {
    Station s{{"2026-12-10 21:05:00", "N0CALL-L"}};
    Messages& chat = s.app().messages();
    const std::vector<std::string>& sent() { return s.node().chatSent(); }
    void enter() {
        int key = 13;
        chat.TextTX_KeyPress(key);
        EXPECT_EQ(key, 0);
    }
};
}  // namespace

TEST_F(SendFixture, StampedLineIsSentAndShownAsTheNodesOwn) {
    chat.TextTX.setText("good evening :)");
    enter();
    EXPECT_EQ(sent(), std::vector<std::string>{"(21:05) >good evening :)"});
    ASSERT_EQ(chat.RTB.lines().size(), 1u);
    EXPECT_EQ(chat.RTB.lines()[0].sender, "N0CALL-L> ");
    EXPECT_EQ(chat.RTB.lines()[0].senderColor, ChatDisplay::kOwnColor);
    EXPECT_EQ(chat.RTB.lines()[0].pieces.back().icon, 0);
    EXPECT_EQ(chat.TextTX.text(), "");
    EXPECT_EQ(chat.Frame5.caption(), "Connected");
    EXPECT_TRUE(s.transcript().contains("CHAT \"(21:05) >good evening :)\""));
}

TEST_F(SendFixture, EmptyAndDotLines) {
    struct Case {
        int stamp;
        std::string text;
        std::string sentLine;
        bool shown;
    };
    const std::vector<Case> cases = {
        {0, "", "", false},
        {1, "", "(21:05) >", true},
        {0, ".list", ".list", false},
        {1, ".list", "(21:05) >.list", false},
        {0, " .list", " .list", true},
    };
    for (const auto& c : cases) {
        chat.RTB.clear();
        chat.Check1.setValue(c.stamp);
        chat.TextTX.setText(c.text);
        s.click("Messages.Send");
        EXPECT_EQ(sent().back(), c.sentLine);
        EXPECT_EQ(chat.RTB.lines().size(), c.shown ? 1u : 0u) << "'" << c.text << "' stamp " << c.stamp;
        EXPECT_EQ(chat.TextTX.text(), "");
    }
}

TEST_F(SendFixture, PrivateMessageIsSentThenLogged) {
    chat.Check1.setValue(0);
    chat.Text1.setText("w1abc");
    chat.Text2.setText("see you at 9");
    chat.TextTX.setText("half typed");
    int key = 13;
    chat.Text2_KeyPress(key);
    EXPECT_EQ(key, 0);
    EXPECT_EQ(sent(), std::vector<std::string>{":W1ABC~see you at 9"});
    EXPECT_EQ(chat.Text1.text(), "W1ABC");
    EXPECT_EQ(chat.Text2.text(), "");
    EXPECT_EQ(chat.TextTX.text(), "");
    EXPECT_EQ(chat.Text3.text(), "Message Sent To -> W1ABC 21:05 > see you at 9\r\n");
    EXPECT_EQ(chat.RTB.lines().size(), 1u);
}

TEST_F(SendFixture, LineThatCannotBeSentStaysAndIsLogged) {
    chat.Text1.setText("w1abc");
    chat.Text2.setText("hello");
    s.node().setUnreachable(true);
    chat.Command2.click();
    EXPECT_EQ(chat.Text3.text(), "");             // nothing is logged as sent
    EXPECT_EQ(chat.Text2.text(), "hello");
    EXPECT_TRUE(chat.RTB.lines().empty());
    chat.TextTX.setText("typed line");
    s.click("Messages.Send");
    EXPECT_EQ(chat.TextTX.text(), "typed line");
    EXPECT_EQ(s.transcript().count("LOG \"Chat line not sent"), 2);
}

TEST_F(SendFixture, WindowButtonsSwitchPaneAndSize) {
    s.click("Messages.Command3");
    s.click("Messages.Command3");
    EXPECT_EQ(chat.Command3.caption(), "Show Private Message");
    EXPECT_TRUE(chat.ClearRX.visible());
    EXPECT_EQ(chat.RTB.geometry.height, Messages::kDisplayTall);
    s.click("Messages.Command39");
    EXPECT_EQ(chat.Width, Messages::kExtendedWidth);
    s.click("Messages.Command39");
    EXPECT_EQ(chat.Command39.caption(), "Show Extra");
    EXPECT_EQ(chat.Width, Messages::kNormalWidth);
    EXPECT_EQ(chat.Height, Messages::kNormalHeight);
    chat.closeRequest();
    EXPECT_FALSE(chat.unloaded());
}
