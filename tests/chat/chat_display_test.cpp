#include "chat/chat_display.h"

#include "chat/chat_window.h"
#include "support/station_fixture.h"

TEST(ChatDisplay, OwnLinesRedOthersBlueAndTheSenderIsNeverPictured) {
    Station s({"2026-12-10 12:00:00", "N0CALL-L"});
    Messages& chat = s.app().messages();
    chat.AddChatLine("N0CALL-L> ", "mine :)");
    chat.AddChatLine("N0CALL-L>", "looks like mine");
    chat.AddChatLine(":)W1ABC>", ":)");
    const auto& lines = chat.RTB.lines();
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0].senderColor, ChatDisplay::kOwnColor);
    EXPECT_EQ(lines[1].senderColor, ChatDisplay::kOthersColor);
    EXPECT_EQ(lines[2].sender, ":)W1ABC>");
    ASSERT_EQ(lines[2].pieces.size(), 1u);
    EXPECT_EQ(lines[2].pieces[0].icon, 0);
    EXPECT_EQ(chat.RTB.text(), "N0CALL-L> : mine :)\r\nN0CALL-L>: looks like mine\r\n:)W1ABC>: :)\r\n");
    // A picture counts as one character; the caret follows the newest line.
    EXPECT_EQ(chat.RTB.SelStart(), static_cast<long>(chat.RTB.text().size()) - 2);
    chat.ClearRX.click();
    EXPECT_TRUE(chat.RTB.lines().empty());
    EXPECT_EQ(chat.RTB.listCount(), 0);
}

TEST(ChatDisplay, KeepsOnlyTheNewestLines) {
    Station s;
    Messages& chat = s.app().messages();
    const size_t extra = 5;
    for (size_t i = 0; i < ChatDisplay::kMaxLines + extra; ++i) chat.AddChatLine("W1ABC>", "line " + std::to_string(i));
    ASSERT_EQ(chat.RTB.lines().size(), ChatDisplay::kMaxLines);
    EXPECT_EQ(chat.RTB.listCount(), static_cast<int>(ChatDisplay::kMaxLines));
    EXPECT_EQ(chat.RTB.lines().front().pieces[0].text, "line " + std::to_string(extra));
    EXPECT_EQ(chat.RTB.item(0), "W1ABC>: line " + std::to_string(extra));
    EXPECT_EQ(chat.RTB.length(), static_cast<long>(chat.RTB.text().size()));
}

TEST(ChatDisplay, ShowsTheWindowOnlyWhenAskedTo) {
    Station s;
    Messages& chat = s.app().messages();
    chat.Check5.setValue(2);
    chat.AddChatLine("W1ABC>", "hi");
    EXPECT_FALSE(chat.visible());
    chat.Check5.setValue(1);
    chat.AddChatLine("W1ABC>", "hi");
    EXPECT_TRUE(chat.visible());
}

TEST(ChatDisplay, IconButtonsAppendTheirCodes) {
    Station s;
    Messages& chat = s.app().messages();
    chat.TextTX.setText("word");
    s.click("Messages.Image1");
    EXPECT_EQ(chat.TextTX.text(), "word :) ");
    chat.TextTX.setText("");
    s.click("Messages.Image14");
    s.click("Messages.Image14");
    EXPECT_EQ(chat.TextTX.text(), " :r) :r)");
    chat.TextTX.setText("");
    s.click("Messages.Image35");
    EXPECT_EQ(chat.TextTX.text(), " :drink ");
}
