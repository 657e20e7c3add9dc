#pragma once
// The chat display drawn with its pictures in line, and the chat window's picture buttons.
#include <QIcon>
#include <optional>
#include <string>

class ChatDisplay;
class QTextBrowser;
class QTextDocument;

// Makes every chat picture available to the document as "mvicon:INDEX".
void registerChatPictures(QTextDocument& document);
// Brings the browser up to the display's lines: new lines are appended, anything else redraws.
// `shown` and `last` remember what was drawn.
void drawChatLines(QTextBrowser& browser, const ChatDisplay& display, size_t& shown, std::string& last);
// The picture of the chat window's button of that name ("Image1" .. "Image35"), if it has one.
std::optional<QIcon> chatButtonIcon(const std::string& name);
