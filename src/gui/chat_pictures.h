#pragma once
// The chat display drawn with its pictures in line, and the chat window's picture buttons.
#include <QIcon>
#include <cstdint>
#include <optional>
#include <string>

class ChatDisplay;
class QTextBrowser;
class QTextDocument;

// Makes every chat picture available to the document as "mvicon:INDEX".
void registerChatPictures(QTextDocument& document);
// What a browser has drawn of a display.
struct ChatDrawn {
    std::uint64_t added = 0;    // the display's count of added lines when last drawn
    std::uint64_t clears = 0;   // and its count of clears
};
// Brings the browser up to the display's lines: new lines are appended; after a clear, or when
// more lines came than the display keeps, it redraws.
void drawChatLines(QTextBrowser& browser, const ChatDisplay& display, ChatDrawn& drawn);
// The picture of the chat window's button of that name ("Image1" .. "Image35"), if it has one.
std::optional<QIcon> chatButtonIcon(const std::string& name);
