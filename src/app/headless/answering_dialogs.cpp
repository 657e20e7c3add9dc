#include "app/headless/answering_dialogs.h"

#include "core/text.h"

namespace {
std::optional<MsgAnswer> answerWord(const std::string& text) {
    const std::string w = lcase(trim(text));
    if (w == "yes") return MsgAnswer::Yes;
    if (w == "no") return MsgAnswer::No;
    if (w == "ok") return MsgAnswer::Ok;
    if (w == "cancel") return MsgAnswer::Cancel;
    return std::nullopt;
}

bool offered(MsgAnswer a, MsgButtons b) {
    switch (b) {
        case MsgButtons::Ok: return a == MsgAnswer::Ok;
        case MsgButtons::OkCancel: return a == MsgAnswer::Ok || a == MsgAnswer::Cancel;
        case MsgButtons::YesNo: return a == MsgAnswer::Yes || a == MsgAnswer::No;
        case MsgButtons::YesNoCancel: return a != MsgAnswer::Ok;
    }
    return false;
}

// What a box answers when nobody says otherwise: its only button, else the one that changes nothing.
MsgAnswer safeDefault(MsgButtons b) {
    switch (b) {
        case MsgButtons::Ok: return MsgAnswer::Ok;
        case MsgButtons::OkCancel: return MsgAnswer::Cancel;
        case MsgButtons::YesNo: return MsgAnswer::No;
        case MsgButtons::YesNoCancel: return MsgAnswer::Cancel;
    }
    return MsgAnswer::Ok;
}
}  // namespace

void AnsweringDialogs::answer(const std::string& text) {
    std::lock_guard<std::mutex> lock(mutex_);
    answers_.push_back(text);
}

size_t AnsweringDialogs::pending() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return answers_.size();
}

std::optional<std::string> AnsweringDialogs::next() {
    std::lock_guard<std::mutex> lock(mutex_);
    if (answers_.empty()) return std::nullopt;
    std::string a = answers_.front();
    answers_.pop_front();
    return a;
}

MsgAnswer AnsweringDialogs::messageBox(const std::string&, const std::string&, MsgButtons buttons, MsgIcon) {
    if (auto given = next())
        if (auto a = answerWord(*given); a && offered(*a, buttons)) return *a;
    return safeDefault(buttons);
}

std::optional<std::string> AnsweringDialogs::openFile(const std::string&, const std::string&, const std::string&) {
    auto given = next();
    if (!given || answerWord(*given)) return std::nullopt;   // no path given: cancelled
    return *given;
}
