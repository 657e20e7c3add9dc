// Writing lines into the chat display, and the picture buttons that type picture codes.
#include "chat/chat_window.h"

void Messages::AddChatLine(std::string sender, std::string text) {
    // Pictures go straight into the display; the operator's clipboard is never touched.
    RTB.addLine(sender, sender == Callsign2 ? ChatDisplay::kOwnColor : ChatDisplay::kOthersColor, text);
    if (Check5.value() == 1) Show();
    RTB.caretToEnd();
}

void Messages::ImageClick(int number) {
    for (const auto& b : chatIconButtons())
        if (b.number == number) TextTX.setText(TextTX.text() + b.appends);
}
