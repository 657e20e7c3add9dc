#pragma once
// The chat display: lines of plain text and pictures. Each line is the sender in bold in its
// colour, ": ", then the text with every picture code replaced by its picture. The text is never
// read as markup. The display keeps the newest lines only (at most kMaxLines, and no more text
// than a log box holds, the newest line always), so a busy chat never slows or swells the node.
// As a list it shows one plain line an item (pictures as their codes) wherever pictures are not drawn.
#include <cstdint>
#include <deque>
#include <string>
#include <vector>

#include "chat/chat_icons.h"
#include "core/controls.h"

struct ChatLine {
    std::string sender;
    std::int64_t senderColor;       // &HBBGGRR
    std::vector<ChatPiece> pieces;  // the text after the sender, text and pictures
    std::string plain() const;      // sender, ": " and the text, pictures as their codes
};

class ChatDisplay : public ListBox {
public:
    static constexpr std::int64_t kOwnColor = 255;          // red
    static constexpr std::int64_t kOthersColor = 16711680;  // blue
    static constexpr size_t kMaxLines = 3000;

    ChatDisplay(Form& owner, std::string name, Control* container = nullptr);

    // Adds one line at the end; the oldest lines go once there are more than kMaxLines or more
    // text than a log box holds.
    void addLine(const std::string& sender, std::int64_t senderColor, const std::string& text);
    void clear();
    const std::deque<ChatLine>& lines() const { return lines_; }
    // How many lines were ever added, and how many times the display was cleared: a view that
    // remembers both knows which lines are new, even when a line repeats the one before it.
    std::uint64_t added() const { return added_; }
    std::uint64_t clears() const { return clears_; }

    // The whole text: each line's plain form followed by CR LF.
    std::string text() const;
    // The caret, counted from 0, a picture counting as one character.
    long SelStart() const { return selStart_; }
    void caretToEnd() { selStart_ = length_; }
    long length() const { return length_; }

    std::string valueText() const override { return text(); }
    void operatorSet(const std::string&) override {}   // the operator cannot type into it

private:
    static long lengthOf(const ChatLine& line);
    std::deque<ChatLine> lines_;
    long length_ = 0;
    long selStart_ = 0;
    std::uint64_t added_ = 0;
    std::uint64_t clears_ = 0;
};
