// The chat window through its widgets: a typed line goes out and shows with its pictures drawn.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextCursor>

#include "chat/chat_window.h"
#include "gui_support.h"

TEST(GuiChat, ATypedLineIsSentAndShownWithItsPicture) {
    ViewedStation v;
    Messages& chat = v.s.app().messages();
    FormView* view = v.show(chat);
    ASSERT_NE(view, nullptr);
    auto* input = qobject_cast<QPlainTextEdit*>(view->widgetFor(chat.TextTX));
    auto* send = qobject_cast<QPushButton*>(view->widgetFor(chat.Send));
    auto* display = qobject_cast<QTextBrowser*>(view->widgetFor(chat.RTB));
    ASSERT_TRUE(input && send && display);

    QTest::keyClicks(input, "hello :)");
    v.settle();
    QTest::mouseClick(send, Qt::LeftButton);
    v.settle();
    ASSERT_FALSE(v.s.node().chatSent().empty());
    EXPECT_THAT(v.s.node().chatSent().back(), ::testing::EndsWith(">hello :)"));
    EXPECT_TRUE(display->toPlainText().contains("hello")) << display->toPlainText().toStdString();
    EXPECT_TRUE(display->toHtml().contains("mvicon:0")) << "the smile is drawn as its picture";
    EXPECT_EQ(input->toPlainText(), "");
}

TEST(GuiChat, NewLinesAreAppendedAndMarkupIsShownAsText) {
    ViewedStation v;
    Messages& chat = v.s.app().messages();
    FormView* view = v.show(chat);
    auto* display = qobject_cast<QTextBrowser*>(view->widgetFor(chat.RTB));
    ASSERT_NE(display, nullptr);
    v.act([&] {
        chat.AddChatLine("W1ABC> ", "first <b>line</b>");
        chat.AddChatLine("W1ABC> ", "second");
    });
    const QString text = display->toPlainText();
    EXPECT_TRUE(text.contains("first <b>line</b>")) << text.toStdString();
    EXPECT_EQ(display->document()->blockCount(), 2);
}

TEST(GuiChat, PictureButtonsShowTheirPictures) {
    ViewedStation v;
    Messages& chat = v.s.app().messages();
    FormView* view = v.show(chat);
    ASSERT_FALSE(chat.Image.empty());
    auto* first = qobject_cast<QPushButton*>(view->widgetFor(*chat.Image[0]));
    ASSERT_NE(first, nullptr);
    EXPECT_FALSE(first->icon().isNull());
}

TEST(GuiChat, EnterInTheInputBoxGoesToTheWindowNotIntoTheBox) {
    ViewedStation v;
    Messages& chat = v.s.app().messages();
    // The window's own key handler, as the chat window wires it.
    if (!chat.TextTX.hasKeyPress()) chat.TextTX.onKeyPress([&chat](int& key) { chat.TextTX_KeyPress(key); });
    FormView* view = v.show(chat);
    auto* input = qobject_cast<QPlainTextEdit*>(view->widgetFor(chat.TextTX));
    ASSERT_NE(input, nullptr);
    QTest::keyClicks(input, "good evening");
    QTest::keyClick(input, Qt::Key_Return);
    v.settle();
    ASSERT_FALSE(v.s.node().chatSent().empty());
    EXPECT_THAT(v.s.node().chatSent().back(), ::testing::EndsWith(">good evening"));
    EXPECT_EQ(input->toPlainText(), "");
}

TEST(GuiChat, EveryLineShowsEvenWhenItRepeatsTheOneBefore) {
    ViewedStation v;
    Messages& chat = v.s.app().messages();
    FormView* view = v.show(chat);
    auto* display = qobject_cast<QTextBrowser*>(view->widgetFor(chat.RTB));
    ASSERT_NE(display, nullptr);
    for (int i = 0; i < 3; ++i) v.act([&] { chat.AddChatLine("W1ABC>", "73"); });
    EXPECT_EQ(display->document()->blockCount(), 3) << display->toPlainText().toStdString();
    v.act([&] {   // drawn together at the turn's end
        chat.AddChatLine("W1ABC>", "73");
        chat.AddChatLine("W1ABC>", "73");
    });
    EXPECT_EQ(display->document()->blockCount(), 5) << display->toPlainText().toStdString();
    v.act([&] {
        chat.RTB.clear();
        chat.AddChatLine("W1ABC>", "73");
    });
    EXPECT_EQ(display->toPlainText(), "W1ABC>: 73");
}

TEST(GuiChat, TheSenderAndItsColonAreBoldInTheSendersColourAndTheTextIsNot) {
    ViewedStation v;
    Messages& chat = v.s.app().messages();
    FormView* view = v.show(chat);
    auto* display = qobject_cast<QTextBrowser*>(view->widgetFor(chat.RTB));
    ASSERT_NE(display, nullptr);
    v.act([&] { chat.AddChatLine("W1ABC>", "hello"); });
    const QString text = display->toPlainText();
    auto formatAt = [&](int position) {
        QTextCursor cursor(display->document());
        cursor.setPosition(position + 1);   // the format of the character before the cursor
        return cursor.charFormat();
    };
    const int colon = static_cast<int>(text.indexOf(':'));
    ASSERT_GT(colon, 0);
    for (int at : {0, colon, colon + 1}) {
        SCOPED_TRACE(at);
        EXPECT_EQ(formatAt(at).fontWeight(), QFont::Bold);
        EXPECT_EQ(formatAt(at).foreground().color(), QColor(0, 0, 255));
    }
    EXPECT_NE(formatAt(colon + 2).fontWeight(), QFont::Bold);
}

// Long lines push the oldest out of the display by size before its line count is reached; the
// window shows the same lines, not a growing backlog.
TEST(GuiChat, TheWindowKeepsTheSameLinesAsTheDisplayWhenLongLinesPushTheOldestOut) {
    ViewedStation v;
    Messages& chat = v.s.app().messages();
    FormView* view = v.show(chat);
    auto* display = qobject_cast<QTextBrowser*>(view->widgetFor(chat.RTB));
    ASSERT_NE(display, nullptr);
    const std::string longText(1000, 'x');
    for (int i = 0; i < 20; ++i)
        v.act([&] {
            for (int j = 0; j < 10; ++j) chat.AddChatLine("W1ABC>", std::to_string(i * 10 + j) + " " + longText);
        });
    const auto& lines = chat.RTB.lines();
    ASSERT_LT(lines.size(), 200u) << "the display dropped lines by size";
    EXPECT_EQ(display->document()->blockCount(), static_cast<int>(lines.size()));
    EXPECT_TRUE(display->document()->firstBlock().text().startsWith(QString::fromStdString(lines.front().plain())));
    EXPECT_TRUE(display->document()->lastBlock().text().startsWith("W1ABC>: 199 "));
}
