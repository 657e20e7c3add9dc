#include "chat/chat_icons.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

const std::vector<ChatIcon>& chatIcons() {
    static const std::vector<ChatIcon> icons = {
        {0, {":)"}, 18, 18},
        {1, {":D", ":-D"}, 18, 18},
        {2, {":(", ":-("}, 18, 18},
        {3, {":O", ":-O"}, 18, 18},
        {4, {":?"}, 18, 18},
        {5, {":B)", ":B-)"}, 18, 18},
        {6, {":xx"}, 18, 18},
        {7, {":>)", ":evil"}, 18, 18},
        {8, {":-)"}, 18, 18},
        {9, {":>"}, 18, 18},
        {10, {":=)"}, 30, 18},
        {11, {":*"}, 18, 18},
        {12, {":0/"}, 23, 18},
        {13, {":r)"}, 31, 18},
        {14, {":-H"}, 28, 18},
        {15, {":-c"}, 28, 18},
        {16, {":8->"}, 23, 18},
        {17, {":pp"}, 18, 18},
        {18, {":-L"}, 18, 18},
        {19, {":8-x"}, 18, 18},
        {20, {":~O)"}, 18, 18},
        {21, {":echolink", ":EchoLink"}, 26, 31},
        {22, {":Drink", "drink"}, 42, 28},
        {23, {":loo", ":Loo"}, 65, 47},
        {24, {":Beer", ":beer"}, 38, 40},
        {25, {":Skull", ":skull"}, 42, 25},
        {26, {":xmas", ":Xmas"}, 49, 52},
        {27, {":world", ":World"}, 40, 42},
        {28, {":monk"}, 60, 56},
        {29, {":ArlenFerrin"}, 60, 59},
        {30, {":ok"}, 26, 22},
        {31, {":gr)"}, 70, 18},
        {32, {":sp)"}, 33, 28},
        {33, {":wx)"}, 36, 33},
        {34, {":hf)"}, 28, 24},
        {35, {":pir)"}, 27, 27},
        {36, {":bir)"}, 28, 30},
        {37, {":drv)"}, 41, 29},
        {38, {":dv)"}, 28, 30},
        {39, {":alf)"}, 28, 28},
        {40, {":ali)"}, 28, 24},
        {41, {":ang)"}, 43, 24},
    };
    return icons;
}

const std::vector<ChatIconButton>& chatIconButtons() {
    static const std::vector<ChatIconButton> buttons = {
        {1, " :) ", ":)", 0},          {2, " :D ", ":D", 1},          {3, " :( ", ":(", 2},
        {4, " :O ", ":O", 3},          {5, " :? ", ":?", 4},          {6, " :B) ", ":B)", 5},
        {7, " :xx ", ":xx", 6},        {8, " :>) ", ":>)  :evil", 7}, {9, " :-) ", ":-)", 8},
        {10, " :> ", ":>", 9},         {11, " :=) ", ":=)", 10},      {12, " :* ", ":*", 11},
        {13, " :0/ ", ":/", 12},       {14, " :r)", ":r)", 13},       {15, " :-H ", ":-H", 14},
        {16, " :-c ", ":-c", 15},      {17, " :8-> ", ":8->", 16},    {18, " :pp ", ":pp", 17},
        {19, " :-L ", ":-L", 18},      {20, " :8-x ", ":8-x", 19},    {21, " :~O) ", ":~O)", 20},
        {22, " :gr) ", ":gr)", 31},    {23, " :ok ", ":OK", kOkButtonPicture},
        {24, " :sp) ", ":sp)", 32},    {25, " :wx) ", ":wx)", 33},    {26, " :hf) ", ":hf)", 34},
        {27, " :pir) ", ":pir)", 35},  {28, " :dv) ", ":dv)", 38},    {29, " :drv) ", ":drv)", 37},
        {30, " :alf) ", ":alf)", 39},  {31, " :ali) ", ":ali)", 40},  {32, " :ang) ", ":ang)", 41},
        {33, " :bir) ", ":bir)", 36},  {34, " :echolink ", ":echolink", 21},
        {35, " :drink ", ":drink", 22},
    };
    return buttons;
}

namespace {
struct CodeEntry {
    std::string code;
    int icon;
};

// Every code once, longest first; among codes of one length the lower icon first.
const std::vector<CodeEntry>& codesLongestFirst() {
    static const std::vector<CodeEntry> codes = [] {
        std::vector<CodeEntry> out;
        for (const auto& icon : chatIcons())
            for (const auto& c : icon.codes) out.push_back({c, icon.index});
        std::stable_sort(out.begin(), out.end(),
                         [](const CodeEntry& a, const CodeEntry& b) { return a.code.size() > b.code.size(); });
        return out;
    }();
    return codes;
}
}  // namespace

std::vector<ChatPiece> splitPictures(std::string_view text) {
    std::vector<ChatPiece> out;
    std::string plain;
    size_t i = 0;
    while (i < text.size()) {
        const CodeEntry* hit = nullptr;
        for (const auto& e : codesLongestFirst()) {
            if (text.compare(i, e.code.size(), e.code) == 0) {
                hit = &e;
                break;
            }
        }
        if (!hit) {
            plain += text[i++];
            continue;
        }
        if (!plain.empty()) out.push_back({std::move(plain), -1});
        plain.clear();
        out.push_back({hit->code, hit->icon});
        i += hit->code.size();
    }
    if (!plain.empty()) out.push_back({std::move(plain), -1});
    return out;
}

// ---------------------------------------------------------------- the pictures
namespace {
constexpr std::uint32_t kClear = 0x00000000, kBlack = 0xFF000000, kWhite = 0xFFFFFFFF, kYellow = 0xFFFFD21E,
                        kRed = 0xFFE02020, kGreen = 0xFF30A040, kBlue = 0xFF2050D0, kBrown = 0xFF8B5A2B,
                        kGrey = 0xFF909090, kPink = 0xFFFF80A0, kOrange = 0xFFFF9020, kAmber = 0xFFE0A000,
                        kSky = 0xFF80C8FF, kDark = 0xFF404040, kLime = 0xFF80E060, kPurple = 0xFF8040C0;

class Canvas {
public:
    Canvas(int w, int h) : img_{w, h, std::vector<std::uint32_t>(static_cast<size_t>(w * h), kClear)} {}
    int w() const { return img_.width; }
    int h() const { return img_.height; }
    void px(int x, int y, std::uint32_t c) {
        if (x >= 0 && y >= 0 && x < img_.width && y < img_.height) img_.pixels[static_cast<size_t>(y * img_.width + x)] = c;
    }
    void rect(int x, int y, int rw, int rh, std::uint32_t c) {
        for (int j = y; j < y + rh; ++j)
            for (int i = x; i < x + rw; ++i) px(i, j, c);
    }
    void frame(int x, int y, int rw, int rh, std::uint32_t c) {
        line(x, y, x + rw - 1, y, c);
        line(x, y + rh - 1, x + rw - 1, y + rh - 1, c);
        line(x, y, x, y + rh - 1, c);
        line(x + rw - 1, y, x + rw - 1, y + rh - 1, c);
    }
    void disc(double cx, double cy, double r, std::uint32_t c) {
        for (int y = 0; y < h(); ++y)
            for (int x = 0; x < w(); ++x)
                if (std::hypot(x + 0.5 - cx, y + 0.5 - cy) <= r) px(x, y, c);
    }
    void ring(double cx, double cy, double r, std::uint32_t c) {
        for (int y = 0; y < h(); ++y)
            for (int x = 0; x < w(); ++x) {
                const double d = std::hypot(x + 0.5 - cx, y + 0.5 - cy);
                if (d <= r && d > r - 1.2) px(x, y, c);
            }
    }
    void line(int x0, int y0, int x1, int y1, std::uint32_t c) {
        const int dx = std::abs(x1 - x0), sx = x0 < x1 ? 1 : -1, dy = -std::abs(y1 - y0), sy = y0 < y1 ? 1 : -1;
        int err = dx + dy;
        for (;;) {
            px(x0, y0, c);
            if (x0 == x1 && y0 == y1) break;
            const int e2 = 2 * err;
            if (e2 >= dy) { err += dy; x0 += sx; }
            if (e2 <= dx) { err += dx; y0 += sy; }
        }
    }
    // An arc of the circle (cx, cy, r) from angle a0 to a1 in degrees (0 = right, 90 = down).
    void arc(double cx, double cy, double r, double a0, double a1, std::uint32_t c) {
        for (double a = a0; a <= a1; a += 4) {
            const double rad = a * 3.14159265358979 / 180.0;
            px(static_cast<int>(std::lround(cx + r * std::cos(rad))), static_cast<int>(std::lround(cy + r * std::sin(rad))), c);
        }
    }
    IconImage take() { return std::move(img_); }
private:
    IconImage img_;
};

enum class Eyes { Dots, Shades, Crosses, Glasses, Patch, Wink, Big };
enum class Mouth { Smile, Grin, Frown, Open, Wavy, Smirk, Kiss, Tongue, Flat, Cross, None };

// A round face of diameter `d` with its top left at (x, y).
void face(Canvas& c, int x, int y, int d, std::uint32_t skin, Eyes eyes, Mouth mouth) {
    const double r = d / 2.0, cx = x + r, cy = y + r;
    c.disc(cx, cy, r, skin);
    c.ring(cx, cy, r, kDark);
    const int ex1 = static_cast<int>(cx - r * 0.38), ex2 = static_cast<int>(cx + r * 0.30), ey = static_cast<int>(cy - r * 0.28);
    switch (eyes) {
        case Eyes::Dots: c.rect(ex1, ey, 2, 2, kBlack); c.rect(ex2, ey, 2, 2, kBlack); break;
        case Eyes::Big: c.rect(ex1 - 1, ey - 1, 3, 3, kWhite); c.rect(ex2, ey - 1, 3, 3, kWhite);
                        c.px(ex1, ey, kBlack); c.px(ex2 + 1, ey, kBlack); break;
        case Eyes::Shades: c.rect(ex1 - 2, ey - 1, static_cast<int>(r * 1.5), 3, kBlack); break;
        case Eyes::Crosses:
            for (int ex : {ex1, ex2}) { c.line(ex - 1, ey - 1, ex + 1, ey + 1, kBlack); c.line(ex - 1, ey + 1, ex + 1, ey - 1, kBlack); }
            break;
        case Eyes::Glasses: c.ring(ex1 + 0.5, ey + 0.5, 2.2, kBlack); c.ring(ex2 + 0.5, ey + 0.5, 2.2, kBlack);
                            c.px(ex1, ey, kBlack); c.px(ex2, ey, kBlack); break;
        case Eyes::Patch: c.rect(ex1 - 1, ey - 1, 3, 3, kBlack); c.line(x + 1, y + d / 4, x + d - 2, y + d / 4 - 2, kBlack);
                          c.rect(ex2, ey, 2, 2, kBlack); break;
        case Eyes::Wink: c.rect(ex1, ey + 1, 3, 1, kBlack); c.rect(ex2, ey, 2, 2, kBlack); break;
    }
    const int my = static_cast<int>(cy + r * 0.35), mx0 = static_cast<int>(cx - r * 0.45), mx1 = static_cast<int>(cx + r * 0.45);
    switch (mouth) {
        case Mouth::Smile: c.arc(cx, cy + r * 0.05, r * 0.55, 30, 150, kBlack); break;
        case Mouth::Grin: c.rect(mx0, my - 1, mx1 - mx0 + 1, 3, kBlack); c.rect(mx0 + 1, my - 1, mx1 - mx0 - 1, 1, kWhite); break;
        case Mouth::Frown: c.arc(cx, cy + r * 0.85, r * 0.5, 210, 330, kBlack); break;
        case Mouth::Open: c.ring(cx, my + 0.5, r * 0.22 + 1, kBlack); break;
        case Mouth::Wavy: for (int i = mx0; i <= mx1; ++i) c.px(i, my + ((i / 2) % 2), kBlack); break;
        case Mouth::Smirk: c.line(mx0, my + 1, mx1, my - 1, kBlack); break;
        case Mouth::Kiss: c.disc(cx, my + 0.5, r * 0.22 + 0.6, kRed); break;
        case Mouth::Tongue: c.line(mx0, my, mx1, my, kBlack); c.rect(static_cast<int>(cx) - 1, my + 1, 3, 2, kPink); break;
        case Mouth::Flat: c.line(mx0, my, mx1, my, kBlack); break;
        case Mouth::Cross: c.line(static_cast<int>(cx) - 2, my - 1, static_cast<int>(cx) + 2, my + 2, kBlack);
                           c.line(static_cast<int>(cx) - 2, my + 2, static_cast<int>(cx) + 2, my - 1, kBlack); break;
        case Mouth::None: break;
    }
}

void plainFace(Canvas& c, Eyes e, Mouth m, std::uint32_t skin = kYellow) { face(c, 0, 0, std::min(c.w(), c.h()), skin, e, m); }

IconImage draw(int index, int w, int h) {
    Canvas c(w, h);
    switch (index) {
        case 0: plainFace(c, Eyes::Dots, Mouth::Smile); break;
        case 1: plainFace(c, Eyes::Dots, Mouth::Grin); break;
        case 2: plainFace(c, Eyes::Dots, Mouth::Frown); break;
        case 3: plainFace(c, Eyes::Big, Mouth::Open); break;
        case 4: plainFace(c, Eyes::Dots, Mouth::Wavy); c.rect(13, 1, 4, 1, kBlue); c.rect(16, 2, 1, 2, kBlue); c.rect(15, 4, 1, 2, kBlue); c.px(15, 7, kBlue); break;
        case 5: plainFace(c, Eyes::Shades, Mouth::Smile); break;
        case 6: plainFace(c, Eyes::Crosses, Mouth::Flat); break;
        case 7: plainFace(c, Eyes::Dots, Mouth::Grin, kRed); c.line(2, 4, 1, 0, kRed); c.line(15, 4, 16, 0, kRed); break;
        case 8: plainFace(c, Eyes::Dots, Mouth::Smile); c.rect(8, 8, 2, 2, kOrange); break;
        case 9: plainFace(c, Eyes::Wink, Mouth::Smirk); break;
        case 10: face(c, 0, 0, 18, kYellow, Eyes::Dots, Mouth::Smile); c.rect(19, 3, 10, 12, kSky); c.frame(19, 3, 10, 12, kBlue);
                 c.line(21, 7, 26, 7, kBlue); c.line(21, 10, 26, 10, kBlue); break;   // a face and an equals sign
        case 11: plainFace(c, Eyes::Wink, Mouth::Kiss); break;
        case 12: face(c, 0, 0, 18, kYellow, Eyes::Dots, Mouth::Open); c.disc(20, 5, 2.5, kYellow); c.line(20, 8, 18, 12, kDark); break;   // waving hand
        case 13: face(c, 0, 0, 18, kYellow, Eyes::Dots, Mouth::Smile); c.line(19, 12, 29, 10, kGreen); c.disc(27.5, 6, 3, kRed); break;   // a rose
        case 14: face(c, 5, 0, 18, kYellow, Eyes::Dots, Mouth::Smile); c.arc(14, 9, 10, 180, 360, kDark); c.rect(2, 7, 4, 6, kDark); c.rect(22, 7, 4, 6, kDark); break;   // headphones
        case 15: face(c, 0, 0, 18, kYellow, Eyes::Dots, Mouth::Smile); c.rect(19, 7, 7, 9, kWhite); c.frame(19, 7, 7, 9, kBrown); c.ring(26.5, 11, 2.2, kBrown); c.rect(20, 8, 5, 2, kBrown); break;   // a cup
        case 16: face(c, 0, 0, 18, kYellow, Eyes::Glasses, Mouth::Smirk); c.line(19, 6, 22, 9, kBlue); c.line(19, 12, 22, 9, kBlue); break;
        case 17: plainFace(c, Eyes::Dots, Mouth::Tongue); break;
        case 18: plainFace(c, Eyes::Dots, Mouth::Flat, kLime); break;
        case 19: plainFace(c, Eyes::Glasses, Mouth::Cross); break;
        case 20: plainFace(c, Eyes::Big, Mouth::Smile, kWhite); c.disc(9, 10, 2.2, kRed); c.rect(0, 0, 4, 4, kOrange); c.rect(14, 0, 4, 4, kOrange); break;   // a clown
        case 21:   // a mast with radio waves
            c.line(13, 8, 5, 30, kDark); c.line(13, 8, 21, 30, kDark); c.line(8, 22, 18, 22, kDark); c.line(10, 15, 16, 15, kDark);
            c.disc(13, 7, 2.5, kRed); c.arc(13, 7, 6, 200, 340, kBlue); c.arc(13, 7, 10, 210, 330, kBlue); break;
        case 22:   // a cocktail glass
            c.line(8, 3, 34, 3, kDark); c.line(8, 3, 21, 16, kDark); c.line(34, 3, 21, 16, kDark);
            for (int y = 5; y < 14; ++y) c.line(8 + y, y, 34 - y, y, kPink);
            c.line(21, 16, 21, 25, kDark); c.line(14, 26, 28, 26, kDark); c.disc(31, 4, 2.5, kLime); break;
        case 23:   // a little house with a door
            c.rect(10, 18, 45, 27, kBrown); c.frame(10, 18, 45, 27, kDark);
            for (int i = 0; i < 24; ++i) c.line(32 - i, 2 + i * 2 / 3, 32 + i, 2 + i * 2 / 3, kRed);
            c.rect(27, 28, 11, 17, kAmber); c.disc(35, 37, 1.2, kDark); c.disc(32.5, 22, 2, kWhite); break;
        case 24:   // a mug of beer
            c.rect(6, 10, 20, 28, kAmber); c.frame(6, 10, 20, 28, kDark); c.ring(27, 24, 7, kDark);
            for (double x : {8.0, 13.0, 18.0, 23.0}) c.disc(x, 9, 4.5, kWhite);
            break;
        case 25:   // a skull
            c.disc(21, 10, 10, kWhite); c.rect(15, 15, 12, 8, kWhite); c.ring(21, 10, 10, kDark);
            c.disc(17, 10, 2.8, kBlack); c.disc(25, 10, 2.8, kBlack); c.rect(20, 14, 2, 3, kBlack);
            for (int x = 16; x <= 26; x += 2) c.line(x, 19, x, 22, kDark);
            break;
        case 26:   // a Christmas tree
            for (int row = 0; row < 3; ++row)
                for (int i = 0; i < 16; ++i) c.line(24 - i - row * 3, 4 + row * 12 + i, 24 + i + row * 3, 4 + row * 12 + i, kGreen);
            c.rect(21, 44, 7, 8, kBrown); c.disc(24.5, 3, 3, kAmber);
            for (auto [x, y] : {std::pair{18, 16}, {30, 22}, {14, 32}, {34, 38}, {24, 28}}) c.disc(x, y, 1.8, kRed);
            break;
        case 27:   // a globe
            c.disc(20, 21, 18, kBlue); c.ring(20, 21, 18, kDark);
            c.disc(13, 14, 6, kGreen); c.disc(25, 28, 7, kGreen); c.disc(28, 12, 3, kGreen);
            c.line(2, 21, 38, 21, kSky); c.arc(20, 21, 9, 0, 360, kSky); break;
        case 28:   // a hooded figure
            c.disc(30, 18, 14, kBrown); c.rect(12, 28, 36, 28, kBrown); c.disc(30, 20, 8, 0xFFF0C8A0);
            c.rect(26, 18, 2, 2, kBlack); c.rect(32, 18, 2, 2, kBlack); c.line(27, 24, 33, 24, kDark);
            c.line(30, 30, 30, 55, kDark); c.rect(20, 40, 20, 3, kAmber); break;
        case 29:   // a portrait of a bearded face
            c.rect(0, 0, 60, 59, kSky); c.frame(0, 0, 60, 59, kBrown); c.frame(2, 2, 56, 55, kAmber);
            c.disc(30, 26, 15, 0xFFF0C8A0); c.disc(30, 38, 11, kGrey); c.disc(30, 14, 12, kDark);
            c.rect(18, 16, 24, 6, 0xFFF0C8A0); c.rect(24, 24, 3, 3, kBlack); c.rect(34, 24, 3, 3, kBlack);
            c.rect(12, 50, 36, 8, kBlue); break;
        case 30:   // a tick mark
            for (int t = 0; t < 3; ++t) { c.line(4, 11 + t, 10, 17 + t, kGreen); c.line(10, 17 + t, 22, 3 + t, kGreen); } break;
        case 31:   // "HELLO" written in blocks, waving hand
            c.rect(0, 0, 70, 18, kSky); c.frame(0, 0, 70, 18, kBlue);
            for (int k = 0; k < 5; ++k) c.rect(5 + k * 10, 5, 7, 8, k % 2 ? kOrange : kGreen);
            c.disc(62, 8, 4, kYellow); c.line(62, 12, 60, 16, kDark); break;
        case 32:   // a loudspeaker
            c.rect(4, 10, 7, 9, kDark);
            for (int i = 0; i < 9; ++i) c.line(11 + i, 10 - i, 11 + i, 18 + i, kDark);
            c.arc(20, 14, 6, 300, 420, kBlue); c.arc(20, 14, 10, 305, 415, kBlue); break;
        case 33:   // sun behind a cloud
            c.disc(12, 11, 8, kAmber);
            for (int a = 0; a < 360; a += 45) c.arc(12, 11, 10.5, a, a + 8, kAmber);
            c.disc(18, 22, 7, kWhite); c.disc(26, 20, 8, kWhite); c.rect(12, 22, 22, 8, kWhite);
            c.arc(26, 20, 8, 180, 360, kGrey); break;
        case 34:   // a radio with a dial
            c.rect(1, 6, 26, 17, kBrown); c.frame(1, 6, 26, 17, kDark); c.disc(9, 14, 5, kWhite); c.ring(9, 14, 5, kDark);
            c.line(9, 14, 12, 11, kRed); c.rect(17, 10, 8, 2, kAmber); c.rect(17, 15, 8, 2, kAmber); c.line(22, 6, 26, 0, kDark); break;
        case 35: plainFace(c, Eyes::Patch, Mouth::Grin); c.rect(2, 0, 23, 5, kBlack); c.px(13, 2, kWhite); break;   // a pirate
        case 36:   // a birthday cake
            c.rect(3, 16, 22, 12, kPink); c.rect(3, 16, 22, 3, kWhite); c.frame(3, 16, 22, 12, kDark);
            for (int x : {8, 14, 20}) { c.rect(x, 8, 2, 8, kBlue); c.disc(x + 1, 6, 1.8, kOrange); } break;
        case 37:   // a car
            c.rect(2, 14, 37, 9, kRed); c.rect(10, 6, 18, 9, kRed); c.rect(12, 8, 6, 6, kSky); c.rect(20, 8, 6, 6, kSky);
            c.disc(10, 23, 4.5, kBlack); c.disc(31, 23, 4.5, kBlack); c.disc(10, 23, 1.8, kGrey); c.disc(31, 23, 1.8, kGrey); break;
        case 38:   // a microphone
            c.disc(14, 9, 7, kGrey); c.ring(14, 9, 7, kDark); c.rect(7, 9, 15, 5, kGrey);
            for (int y = 5; y < 14; y += 3) c.line(9, y, 19, y, kDark);
            c.arc(14, 13, 9, 0, 180, kDark); c.line(14, 22, 14, 27, kDark); c.line(8, 28, 20, 28, kDark); break;
        case 39:   // a green visitor from far away
            face(c, 1, 3, 25, kLime, Eyes::Big, Mouth::Smile); c.line(8, 4, 5, 0, kGreen); c.line(20, 4, 23, 0, kGreen);
            c.disc(5, 1, 1.5, kRed); c.disc(23, 1, 1.5, kRed); break;
        case 40:   // a grey visitor with large dark eyes
            c.disc(14, 10, 10, kGrey); c.disc(14, 16, 6, kGrey); c.disc(10, 10, 3, kBlack); c.disc(18, 10, 3, kBlack);
            c.line(12, 19, 16, 19, kDark); break;
        case 41:   // an angel: face, halo and wings
            for (int i = 0; i < 10; ++i) { c.line(1 + i, 8 + i / 2, 12, 14, kWhite); c.line(41 - i, 8 + i / 2, 31, 14, kWhite); }
            c.arc(6, 14, 6, 180, 270, kGrey); c.arc(37, 14, 6, 270, 360, kGrey);
            face(c, 13, 6, 17, kYellow, Eyes::Dots, Mouth::Smile); c.ring(21.5, 3, 5, kAmber); break;
        case kOkButtonPicture:   // a green button that reads OK
            c.rect(0, 0, 26, 22, kGreen); c.frame(0, 0, 26, 22, kDark);
            c.ring(8.5, 11, 4.5, kWhite); c.ring(8.5, 11, 3.8, kWhite);
            c.line(15, 6, 15, 16, kWhite); c.line(16, 6, 16, 16, kWhite); c.line(16, 11, 21, 6, kWhite); c.line(16, 11, 21, 16, kWhite); break;
        default: throw std::out_of_range("no chat icon " + std::to_string(index));
    }
    return c.take();
}
}  // namespace

IconImage drawChatIcon(int index) {
    if (index == kOkButtonPicture) return draw(index, 26, 22);
    if (index < 0 || index >= static_cast<int>(chatIcons().size())) throw std::out_of_range("no chat icon " + std::to_string(index));
    const ChatIcon& icon = chatIcons()[static_cast<size_t>(index)];
    return draw(index, icon.width, icon.height);
}
