#include "chat/chat_display.h"

#include "core/text.h"

std::string ChatLine::plain() const {
    std::string s = sender + ": ";
    for (const auto& p : pieces) s += p.text;
    return s;
}

ChatDisplay::ChatDisplay(Form& owner, std::string name, Control* container)
    : ListBox(owner, std::move(name), container) {}

long ChatDisplay::lengthOf(const ChatLine& line) {
    long n = static_cast<long>(line.sender.size()) + 2 + 2;   // ": " and CR LF
    for (const auto& p : line.pieces) n += p.isPicture() ? 1 : static_cast<long>(p.text.size());
    return n;
}

void ChatDisplay::addLine(const std::string& sender, std::int64_t senderColor, const std::string& text) {
    ChatLine line{sender, senderColor, splitPictures(text)};
    length_ += lengthOf(line);
    items_.push_back(line.plain());
    lines_.push_back(std::move(line));
    ++added_;
    // The list's items go in one erase, however many lines a long newcomer pushes out.
    std::size_t dropped = 0;
    while (lines_.size() > kMaxLines || (length_ > static_cast<long>(kLogBoxChars) && lines_.size() > 1)) {
        const long gone = lengthOf(lines_.front());
        length_ -= gone;
        selStart_ = selStart_ > gone ? selStart_ - gone : 0;
        lines_.pop_front();
        ++dropped;
    }
    items_.erase(items_.begin(), items_.begin() + static_cast<std::ptrdiff_t>(dropped));
    changed();
}

void ChatDisplay::clear() {
    ++clears_;
    lines_.clear();
    length_ = 0;
    selStart_ = 0;
    ListBox::clear();
}

std::string ChatDisplay::text() const {
    std::string s;
    for (const auto& line : lines_) s += line.plain() + "\r\n";
    return s;
}
