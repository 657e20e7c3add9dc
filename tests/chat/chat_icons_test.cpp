#include <set>

#include <gtest/gtest.h>

#include "chat/chat_icons.h"

namespace {
// The pieces of a text as "text" or "#icon", for compact expectations.
std::vector<std::string> shape(const std::string& text) {
    std::vector<std::string> out;
    for (const auto& p : splitPictures(text)) out.push_back(p.isPicture() ? "#" + std::to_string(p.icon) : p.text);
    return out;
}
}  // namespace

TEST(ChatIcons, CodesBecomePicturesLongestFirstAndCaseSensitive) {
    struct Case {
        std::string text;
        std::vector<std::string> pieces;
    };
    const std::vector<Case> cases = {
        {"no codes here", {"no codes here"}},
        {":)hi", {"#0", "hi"}},                          // a code at the very start
        {":):)", {"#0", "#0"}},                          // side by side
        {":-)", {"#8"}},                                 // not ":)" inside it
        {":B-) and :B)", {"#5", " and ", "#5"}},
        {":>)", {"#7"}},                                 // not ":>" then ")"
        {":> x", {"#9", " x"}},
        {":Drink", {"#22"}},                             // its own picture, not ":D" then "rink"
        {":D", {"#1"}},
        {"drinks", {"#22", "s"}},
        {":drink", {":", "#22"}},
        {":xmas :Xmas :XMAS", {"#26", " ", "#26", " :XMAS"}},
        {":echolink:EchoLink", {"#21", "#21"}},
        {"<b>bold</b> :wx)", {"<b>bold</b> ", "#33"}},   // markup stays text
    };
    for (const auto& c : cases) EXPECT_EQ(shape(c.text), c.pieces) << c.text;
}

TEST(ChatIcons, EveryCodeOfEveryIconShowsThatIconsPicture) {
    ASSERT_EQ(chatIcons().size(), 42u);
    size_t codes = 0;
    for (const auto& icon : chatIcons())
        for (const auto& code : icon.codes) {
            ++codes;
            const auto pieces = splitPictures(code);
            ASSERT_EQ(pieces.size(), 1u) << code;
            EXPECT_EQ(pieces[0].icon, icon.index) << code;
            EXPECT_EQ(pieces[0].text, code);
        }
    EXPECT_EQ(codes, 54u);
}

TEST(ChatIcons, PicturesAreDrawnAtTheirSizesAndAllDiffer) {
    std::set<std::vector<std::uint32_t>> seen;
    auto check = [&](int index, int w, int h) {
        const IconImage img = drawChatIcon(index);
        EXPECT_EQ(img.width, w) << index;
        EXPECT_EQ(img.height, h) << index;
        ASSERT_EQ(img.pixels.size(), static_cast<size_t>(w * h));
        size_t painted = 0;
        for (auto p : img.pixels) painted += (p >> 24) != 0;
        EXPECT_GT(painted, img.pixels.size() / 12) << "icon " << index << " is nearly empty";
        EXPECT_TRUE(seen.insert(img.pixels).second) << "icon " << index << " looks like another";
    };
    for (const auto& icon : chatIcons()) check(icon.index, icon.width, icon.height);
    check(kOkButtonPicture, 26, 22);
    EXPECT_THROW(drawChatIcon(43), std::out_of_range);
}

TEST(ChatIcons, ButtonsTypeTheirCodes) {
    ASSERT_EQ(chatIconButtons().size(), 35u);
    for (const auto& b : chatIconButtons()) {
        const auto pieces = splitPictures(b.appends);
        bool hasPicture = false;
        for (const auto& p : pieces) hasPicture = hasPicture || p.isPicture();
        EXPECT_TRUE(hasPicture) << "Image" << b.number;
    }
    EXPECT_EQ(chatIconButtons()[13].appends, " :r)");
    EXPECT_EQ(chatIconButtons()[22].picture, kOkButtonPicture);
}
