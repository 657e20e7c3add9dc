// A remote station floods the node with chat: the private-message pane and the chat display keep
// the newest messages within a log box's bound, so neither memory nor the cost of one more
// message grows with the flood. Through the real program in virtual time.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "core/text.h"
#include "e2e/run_binary.h"

namespace {

// A `get` answer with its line ends shown as \r and \n, as the console prints it, read back.
std::string answerText(const std::string& line) {
    return replaceAll(replaceAll(line.substr(2), "\\r", "\r"), "\\n", "\n");
}

std::string padded(const std::string& head) { return head + " " + std::string(60, 'z'); }

struct FloodedPane {
    const char* control;
    std::vector<std::string> firstLines;   // what the pane's first line may start with
};

TEST(MessageFlood, ThePrivatePaneAndTheChatDisplayKeepTheNewestWithinALogBoxBound) {
    // About 1,800 messages of each kind: either pane would hold about 150 KB without its bound.
    const int messages = 1800;
    TempFolder folder;
    std::string input;
    for (int k = 0; k < messages; ++k) {
        input += "chat W1ABC>:N0CALL-L~" + padded("private number " + std::to_string(k)) + "\n";
        input += "chat K2XYZ>" + padded("public number " + std::to_string(k)) + "\n";
    }
    input += "get Messages.Text3\nget Messages.RTB\n";
    const auto run = runHeadless(folder, input, "--virtual-time \"2026-12-10 12:00:00\"");
    ASSERT_EQ(run.err, "");
    const auto acks = std::count_if(run.out.begin(), run.out.end(), [](const std::string& l) {
        return endsWith(l, "CHAT \":W1ABC~ Message Received~\"");
    });
    EXPECT_EQ(acks, messages) << "every private message is answered, none lost";

    std::vector<std::string> answers;
    for (const auto& line : run.out)
        if (startsWith(line, "= ")) answers.push_back(answerText(line));
    ASSERT_EQ(answers.size(), 2u);
    // The chat display shows both kinds of line, the private ones as they came.
    const FloodedPane panes[] = {
        {"Messages.Text3", {"Message From <- W1ABC> "}},
        {"Messages.RTB", {"K2XYZ>: (12:00) public number ", "W1ABC>: (12:00) :N0CALL-L~private number "}}};
    const std::string newest[] = {"private number " + std::to_string(messages - 1),
                                  "public number " + std::to_string(messages - 1)};
    for (size_t p = 0; p < 2; ++p) {
        const std::string& text = answers[p];
        SCOPED_TRACE(panes[p].control);
        EXPECT_LE(text.size(), kLogBoxChars);
        EXPECT_GT(text.size(), kLogBoxChars / 2) << "the bound keeps a full pane, not a few lines";
        EXPECT_TRUE(std::any_of(panes[p].firstLines.begin(), panes[p].firstLines.end(),
                                [&](const std::string& start) { return startsWith(text, start); }))
            << "starts at a whole line: " << left(text, 80);
        EXPECT_NE(text.find(padded(newest[p]) + "\r\n"), std::string::npos) << "the newest message is kept";
        EXPECT_EQ(text.find(padded(p == 0 ? "private number 0" : "public number 0") + "\r\n"), std::string::npos)
            << "the oldest has gone";
    }
}

}  // namespace
