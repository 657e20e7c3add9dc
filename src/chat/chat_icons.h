#pragma once
// The chat's picture icons: their text codes, their sizes, the buttons that type them, and the
// pictures themselves, drawn here in code so the program carries no image files of others'.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

struct ChatIcon {
    int index;                       // 0 .. 41
    std::vector<std::string> codes;  // matched case-sensitively
    int width, height;               // picture size in pixels
};

// The 42 icons in index order.
const std::vector<ChatIcon>& chatIcons();
// Icon 42 is not a chat icon: it is the picture the ":ok" button shows instead of icon 30.
constexpr int kOkButtonPicture = 42;

// One icon button of the chat window: what it appends to the input box, its tooltip and picture.
struct ChatIconButton {
    int number;            // Image1 .. Image35
    std::string appends;
    std::string toolTip;
    int picture;           // icon index, or kOkButtonPicture
};
const std::vector<ChatIconButton>& chatIconButtons();

// A piece of a displayed line: plain text, or the picture of one icon.
struct ChatPiece {
    std::string text;      // the text; for a picture, the code it stood for
    int icon = -1;         // -1: text
    bool isPicture() const { return icon >= 0; }
};

// Splits a text into text and pictures. At each position the longest code that starts there wins,
// so a code that begins with a shorter code (":Drink" and ":D") still shows its own picture.
std::vector<ChatPiece> splitPictures(std::string_view text);

// A picture: width x height pixels, 0xAARRGGBB, row by row from the top left.
struct IconImage {
    int width = 0, height = 0;
    std::vector<std::uint32_t> pixels;
    std::uint32_t at(int x, int y) const { return pixels[static_cast<size_t>(y * width + x)]; }
};
// The picture of icon `index` (0 .. 41, or kOkButtonPicture), at the icon's size.
IconImage drawChatIcon(int index);
