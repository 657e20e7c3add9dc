#include "gui/chat_pictures.h"

#include <algorithm>
#include <QImage>
#include <QPixmap>
#include <QScrollBar>
#include <QTextBrowser>
#include <QTextCursor>
#include <QTextDocument>
#include <QUrl>

#include "chat/chat_display.h"
#include "chat/chat_icons.h"
#include "gui/colors.h"

namespace {
QImage pictureImage(int index) {
    const IconImage icon = drawChatIcon(index);
    QImage img(icon.width, icon.height, QImage::Format_ARGB32);
    for (int y = 0; y < icon.height; ++y)
        for (int x = 0; x < icon.width; ++x) img.setPixel(x, y, icon.at(x, y));
    return img;
}

QString lineHtml(const ChatLine& line) {
    const QColor colour = vbColor(line.senderColor).value_or(QColor(Qt::black));
    // The sender and the ": " after it in bold, in the sender's colour; the text in black.
    QString html = QStringLiteral("<b><span style=\"color:%1\">%2: </span></b>")
                       .arg(colour.name(), QString::fromStdString(line.sender).toHtmlEscaped());
    for (const ChatPiece& piece : line.pieces) {
        if (piece.isPicture())
            html += QStringLiteral("<img src=\"mvicon:%1\"/>").arg(piece.icon);
        else
            html += QString::fromStdString(piece.text).toHtmlEscaped();
    }
    return QStringLiteral("<span style=\"white-space:pre-wrap\">%1</span>").arg(html);
}

void appendLine(QTextDocument& doc, const ChatLine& line) {
    QTextCursor cursor(&doc);
    cursor.movePosition(QTextCursor::End);
    if (!doc.isEmpty()) cursor.insertBlock();
    cursor.insertHtml(lineHtml(line));
}

// The display lets its oldest lines go by size as well as by count: the view lets as many go, so
// a chat of long lines holds no more in the window than in the display.
void dropOldestBlocks(QTextDocument& doc, int keep) {
    const int surplus = doc.blockCount() - std::max(keep, 1);
    if (surplus <= 0) return;
    QTextCursor cursor(&doc);
    cursor.movePosition(QTextCursor::Start);
    cursor.movePosition(QTextCursor::NextBlock, QTextCursor::KeepAnchor, surplus);
    cursor.removeSelectedText();
}
}  // namespace

void registerChatPictures(QTextDocument& document) {
    for (const ChatIcon& icon : chatIcons())
        document.addResource(QTextDocument::ImageResource, QUrl(QStringLiteral("mvicon:%1").arg(icon.index)),
                             pictureImage(icon.index));
}

void drawChatLines(QTextBrowser& browser, const ChatDisplay& display, ChatDrawn& drawn) {
    const auto& lines = display.lines();
    QTextDocument& doc = *browser.document();
    const std::uint64_t fresh = display.added() - drawn.added;
    const bool appendOnly = display.clears() == drawn.clears && fresh <= lines.size();
    if (appendOnly && fresh == 0) return;
    size_t from = lines.size() - static_cast<size_t>(fresh);
    if (!appendOnly) {
        doc.clear();
        registerChatPictures(doc);
        from = 0;
    }
    for (size_t i = from; i < lines.size(); ++i) appendLine(doc, lines[i]);
    dropOldestBlocks(doc, static_cast<int>(lines.size()));
    drawn = {display.added(), display.clears()};
    // The newest line in view, as the chat window keeps its caret at the end.
    browser.verticalScrollBar()->setValue(browser.verticalScrollBar()->maximum());
}

std::optional<QIcon> chatButtonIcon(const std::string& name) {
    if (name.rfind("Image", 0) != 0) return std::nullopt;
    int number = 0;
    try {
        number = std::stoi(name.substr(5));
    } catch (...) {
        return std::nullopt;
    }
    for (const ChatIconButton& b : chatIconButtons())
        if (b.number == number) return QIcon(QPixmap::fromImage(pictureImage(b.picture)));
    return std::nullopt;
}
