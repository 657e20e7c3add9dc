// The sending side of the chat window: the sysop's lines and private messages.
#include <exception>

#include "chat/chat_time.h"
#include "chat/chat_window.h"
#include "core/text.h"
#include "echolink/echolink_app.h"

void Messages::TXText() {
    if (Check1.value() == 1) {
        StampedText = "(" + chatTime(now()) + ") >" + TextTX.text();
        EchoLink().SendChatText(StampedText);
    } else {
        EchoLink().SendChatText(TextTX.text());
    }
    TXText2();
    TextTX.setText("");
}

void Messages::TXText2() {
    if (!startsWith(TextTX.text(), ".")) {
        if (Check1.value() == 1) TextTX.setText(StampedText);
        if (!TextTX.text().empty()) {
            AddChatLine(EchoLink().LocalNode().NodeCallsign + "> ", TextTX.text());
            TextTX.setText("");
        }
        Frame5.setCaption("Connected");
    }
    if (Check5.value() == 1) Show();
    RTB.caretToEnd();
}

void Messages::TextTX_KeyPress(int& keyAscii) {
    if (keyAscii != 13) return;
    keyAscii = 0;
    sendFromOwnControls(&Messages::TXText);
}

void Messages::Text2_KeyPress(int& keyAscii) {
    if (keyAscii != 13) return;
    keyAscii = 0;
    sendFromOwnControls(&Messages::SendPrivate);
}

void Messages::SendPrivate() {
    Text1.setText(ucase(Text1.text()));
    const std::string time = chatTime(now());
    const std::string target = Text1.text(), message = Text2.text();
    TextTX.setText(":" + target + "~" + message);
    TXText();
    // Logged once it has gone out, so the log never shows a message that was not sent.
    Text3.setText(appendToLog(Text3.text(), "Message Sent To -> " + target + " " + time + " > " + message + "\r\n"));
    Text2.setText("");
}

void Messages::sendFromOwnControls(void (Messages::*send)()) {
    // The sysop's own keys and buttons: a line that could not be sent stays in its box and the
    // error log says why.
    try {
        (this->*send)();
    } catch (const std::exception& e) {
        LogError(std::string("Chat line not sent (") + e.what() + ") ");
    }
}
