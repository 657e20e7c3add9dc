#include "chat/chat_window.h"
#include "chat/preset_texts_window.h"
#include "chat/sysop_messages_window.h"
#include "support/station_fixture.h"

TEST(PresetTexts, EachButtonSendsItsOwnRowThroughTheChatWindow) {
    Station s({"2026-12-10 09:05:00"});
    Form116& presets = s.app().form116();
    EXPECT_EQ(presets.caption(), "MVSmall    N0CALL-L   v1.0.0      Text Box Messages");
    Messages& chat = s.app().messages();
    presets.text(17).setText("seventeen");
    presets.text(18).setText("eighteen");
    chat.TextTX.setText("unsent words");
    s.click("Form116.Command20");
    s.click("Form116.Command19");
    s.click("Form116.Command4");
    EXPECT_EQ(s.node().chatSent(), (std::vector<std::string>{"(09:05) >seventeen", "(09:05) >eighteen",
                                                             "(09:05) >73's thanks for the great QSO"}));
    EXPECT_EQ(chat.TextTX.text(), "");
    EXPECT_TRUE(chat.visible());
    EXPECT_EQ(chat.RTB.lines().size(), 3u);
    EXPECT_EQ(presets.text(17).text(), "seventeen");
}

TEST(PresetTexts, EmptyPresetStillGoesOut) {
    Station s;
    s.app().messages().Check1.setValue(0);
    s.click("Form116.Command22");   // preset 20, empty by default
    EXPECT_EQ(s.node().chatSent(), std::vector<std::string>{""});
    EXPECT_TRUE(s.app().messages().visible());
}

TEST(SysopMessages, MessageIsSentBetweenAsterisksThenLogged) {
    Station s({"2026-12-10 09:05:00"});
    Form126& sysop = s.app().form126();
    EXPECT_EQ(sysop.caption(), "Messages for sysop's attention");
    sysop.Text1.setText("10/12/2026 at 09:00:00 K1ZZZ>**N0CALL** ring me\r\n\r\n");
    sysop.Text2.setText("w1abc-r");
    sysop.Text3.setText("net at 8");
    int key = 13;
    sysop.Text3_KeyPress(key);
    EXPECT_EQ(key, 0);
    EXPECT_EQ(s.node().chatSent(), std::vector<std::string>{"(09:05) >**W1ABC-R** net at 8"});
    EXPECT_EQ(sysop.Text1.text(), "10/12/2026 at 09:00:00 K1ZZZ>**N0CALL** ring me\r\n\r\n"
                                  "Message Sent To -> W1ABC-R 09:05 > net at 8\r\n");
    EXPECT_EQ(sysop.Text2.text(), "");
    EXPECT_EQ(sysop.Text3.text(), "");
    EXPECT_TRUE(s.app().messages().visible());
    EXPECT_TRUE(s.app().messages().RTB.lines().empty());   // not the chat window's own line

    s.app().messages().Hide();
    sysop.Check1.setValue(0);
    sysop.Text3.setText("");
    s.click("Form126.Command3");
    EXPECT_EQ(s.node().chatSent().back(), "(09:05) >**** ");
    EXPECT_FALSE(s.app().messages().visible());
    s.click("Form126.Command2");
    EXPECT_EQ(sysop.Text1.text(), "");
}

TEST(SysopMessages, FailedSendIsNotLoggedAsSent) {
    Station s;
    Form126& sysop = s.app().form126();
    sysop.Text2.setText("w1abc");
    sysop.Text3.setText("hi");
    s.node().setUnreachable(true);
    s.click("Form126.Command3");
    EXPECT_EQ(sysop.Text1.text(), "");
    EXPECT_EQ(sysop.Text2.text(), "W1ABC");
    EXPECT_EQ(sysop.Text3.text(), "hi");
    EXPECT_TRUE(s.transcript().contains("LOG \"Message for the sysop of W1ABC not sent"));
}

TEST(SysopMessages, ClosingTheFrameKeepsTheLog) {
    Station s;
    Form126& sysop = s.app().form126();
    sysop.Show();
    sysop.Text1.setText("kept\r\n");
    sysop.closeRequest();
    EXPECT_FALSE(sysop.visible());
    EXPECT_EQ(s.app().form126().Text1.text(), "kept\r\n");
    EXPECT_EQ(&s.app().form126(), &sysop);
}

TEST(PresetTexts, FailedSendIsLoggedAndTheChatWindowShown) {
    Station s;
    s.node().setUnreachable(true);
    s.click("Form116.Command1");
    EXPECT_TRUE(s.transcript().contains("LOG \"Preset text not sent"));
    EXPECT_TRUE(s.app().messages().visible());
    EXPECT_EQ(s.app().messages().TextTX.text(), "Im using MarovanePlus here on the node");
}
