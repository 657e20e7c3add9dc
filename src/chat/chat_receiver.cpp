// The receiving side of the chat window: every chat line, in one pass.
#include <optional>
#include <utility>
#include <vector>

#include "app/app.h"
#include "beacons/beacon_set1_window.h"
#include "chat/chat_time.h"
#include "chat/chat_window.h"
#include "core/event_loop.h"
#include "core/step.h"
#include "core/text.h"
#include "echolink/echolink_app.h"
#include "speech/idents_window.h"

namespace {
// X occurs in Y with its first occurrence at the second character or later. An empty X never does.
bool foundPastStart(const std::string& y, const std::string& x) { return !x.empty() && instr(y, x) > 1; }

const char* const kBuiltInFilter[] = {"fuck", "Piss", "wank", "cunt", "shag", "bastard", "tosser", "shit", "bollocks", "pussy"};
const char* const kNeverSpoken[] = {".list", "Your wish is my command", "Error", "tbd conferences"};

// The most of one remote line that is spoken: a longer line would hold the transmitter for
// minutes and push the station's own announcements off the air.
constexpr size_t kMostSpokenChars = 300;

// The text cut to at most `most` characters, at the last blank that keeps it within them (in
// the middle of a word only when no blank does); nothing when it is short enough already.
std::optional<std::string> cutAtWord(const std::string& text, size_t most) {
    size_t chars = 0, end = 0;
    for (; end < text.size(); ++end) {
        if ((static_cast<unsigned char>(text[end]) & 0xC0) == 0x80) continue;   // inside a UTF-8 character
        if (chars == most) break;
        ++chars;
    }
    if (end == text.size()) return std::nullopt;
    const size_t blank = text.find_last_of(' ', end);
    const size_t cut = blank != std::string::npos && blank > 0 ? blank : end;
    return rtrim(text.substr(0, cut));
}

const std::vector<std::pair<std::string, std::string>>& speechTable() {
    static const std::vector<std::pair<std::string, std::string>> rows = [] {
        std::vector<std::pair<std::string, std::string>> t = {
            {":", " "}, {"*", " "}, {"CONF ", "     "}, {"-L>", " Link : "}, {"-R>", " Repeater: "},
            {">", " "}, {"(", " "}, {")", " "},
        };
        for (int n = 1; n <= 25; ++n) {
            const std::string num = std::to_string(n);
            t.push_back({num + ".", (n == 1 || n == 11) ? num + ":" : num + ": "});
        }
        t.push_back({"0", " zero "});
        // No particular station's callsign is spelled out here; the general rows follow in order.
        t.push_back({"GB", "G B"});
        t.push_back({"MI", "M eye"});
        t.push_back({"MB", "M Bee"});
        return t;
    }();
    return rows;
}
}  // namespace

std::string Messages::bracketCut(const std::string& text) {
    // One bracketed stretch goes. A single bracket, or a "]" before the first "[", leaves the text
    // as it stands rather than doubling or dropping part of it.
    const auto open = text.find('[');
    if (open == std::string::npos) return text;
    const auto close = text.find(']', open + 1);
    if (close == std::string::npos) return text;
    return text.substr(0, open) + text.substr(close + 1);
}

std::string Messages::applySpeechTable(const std::string& text) {
    std::string s = text;
    for (const auto& [from, to] : speechTable()) s = replaceAll(s, from, to);
    return s;
}

bool Messages::speakingOn() { return app().form3().SayText.valueText() == "1"; }

void Messages::EchoLink_ChatTextReceived(const std::string& sText) {
    const std::string whole = sText;
    std::string working = sText;

    // 1. Version reply.
    if (instr(whole, "/chat/") > 0) EchoLink().SendChatText("Chat-MV v" + App::versionText());

    // 2. Let pending events run once.
    loop().doEvents();

    // 3. Extra callsign.
    if (ExtraCall.text().size() < 3) ExtraCall.setText(OwnTag.size() >= 2 ? OwnTag.substr(1, OwnTag.size() - 2) : "");
    ExtraCall.setText(ucase(ExtraCall.text()));

    // 4. Private message.
    const std::string TargetTag = ":" + EchoLink().LocalNode().NodeCallsign + ">:" + ucase(Text1.text()) + "~";
    if (foundPastStart(working, ":" + ExtraCall.text() + "~") || foundPastStart(working, OwnTag) ||
        foundPastStart(working, TargetTag)) {
        Text1.setText("");
        const auto tilde = working.find('~');
        const std::string senderPart = tilde == std::string::npos ? working : working.substr(0, tilde + 1);
        working = tilde == std::string::npos ? "" : working.substr(tilde + 1);
        Text3.setText(
            appendToLog(Text3.text(), "Message From <- " + replaceAll(senderPart, OwnTag, " ") + working + "\r\n"));
        Show();
        openPrivatePane();
        if (working.empty() || working.back() != '~') {
            std::string to = replaceAll(senderPart, EchoLink().LocalNode().NodeCallsign, "");
            to = replaceAll(to, ">:~", "");
            EchoLink().SendChatText(":" + to + "~" + " Message Received~");
        }
        openPrivatePane();
        working = whole;
    }

    // 5. Use Chat.
    if (!Option1.value()) return;

    // 6. Word filter.
    const bool caseSensitive = Check3.value() == 1;
    for (int k = 1; k <= 12; ++k) {
        const std::string& word = filterText(k).text();
        if (caseSensitive ? foundPastStart(whole, word) : foundPastStart(ucase(whole), ucase(word))) return;
    }
    for (const char* word : kBuiltInFilter)
        if (foundPastStart(ucase(whole), ucase(word))) return;

    // 7. Speaking: from here on a failing step is skipped.
    const bool speak = speakingOn();
    auto guarded = [speak](auto&& f) {
        if (speak)
            step(f);
        else
            f();
    };
    if (speak) {
        bool quiet = false;
        step([&] { sTextSay = whole; });
        step([&] { sTextSay = bracketCut(sTextSay); });
        step([&] { quiet = EchoLink().LinkBusy() || app().form3().PTT2.caption() == "Receiving Signal"; });
        if (!quiet)
            for (const char* phrase : kNeverSpoken) quiet = quiet || foundPastStart(whole, phrase);
        if (!quiet) {
            step([&] { sTextSay = applySpeechTable(sTextSay); });
            step([&] {
                if (const auto cut = cutAtWord(sTextSay, kMostSpokenChars)) {
                    LogError("Chat line too long to speak, cut to its first " + std::to_string(cut->size()) + " of " +
                             std::to_string(sTextSay.size()) + " characters: " + left(whole, 40) + "... ");
                    sTextSay = *cut;
                }
            });
            if (whole != "Your wish is my command.") {
                step([&] { app().form111().TempText = "Message from " + sTextSay; });
                step([&] { app().form111().TestTTW(); });
                step([&] { sTextSay.clear(); });
            }
        }
    }

    // 8. Display.
    std::string sender, text;
    guarded([&] {
        const auto gt = whole.find('>');
        sender = gt == std::string::npos ? "" : whole.substr(0, gt + 1);
        text = gt == std::string::npos ? whole : whole.substr(gt + 1);
    });
    guarded([&] { text = replaceAll(text, "\r", "\r\n"); });
    std::string stamped;
    guarded([&] { stamped = "(" + chatTime(now()) + ") " + text; });
    guarded([&] { AddChatLine(sender, Check2.value() == 0 ? text : stamped); });
    guarded([&] {
        if (Check5.value() == 1) Show();
    });
    guarded([&] { RTB.caretToEnd(); });
}
