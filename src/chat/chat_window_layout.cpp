// How the chat window looks: the main area (the display, the private pane under it, the input box
// and the options) and, at its right, the extra area that only the extended size shows (the word
// filter, the chat options and, at its bottom, the picture buttons, so the window fits the screen).
#include "chat/chat_window.h"

namespace {
constexpr int kInputHeight = 735;     // twips: the input box shows three lines
constexpr int kPrivateLogHeight = 1200;
constexpr size_t kPicturesPerRow = 8;
constexpr int kFilterChars = 10;
}  // namespace

void Messages::declareLayout() {
    WindowLayout& l = layout();
    l.frame = FrameStyle::Fixed;
    l.opening = Opening::Centred;   // the window keeps no place of its own

    Frame& main = l.group("MainArea", "");
    extraColumn_ = &l.group("ExtraArea", "");
    l.row({main, *extraColumn_});

    l.rowsIn(main, {{RTB}});
    l.rowsIn(main, {{ClearRX}});
    l.rowsIn(main, {{Frame3}});
    l.rowsIn(main, {{Command3, Check5}});
    l.rowsIn(main, {{Frame2}});
    l.rowsIn(main, {{tall(Frame1, 2), Exit}, {Command39}});

    l.rows({{Text3, Command4}});
    l.rows({{labelFor(Label1, Text1), Text1}, {labelFor(Label2, Text2), Text2, Command2}});
    Text3.geometry.height = kPrivateLogHeight;
    l.row({TextTX, Send});
    TextTX.geometry.height = kInputHeight;
    l.rows({{Check1}, {Check2}});

    l.rowsIn(*extraColumn_, {{Frame4}});
    l.rowsIn(*extraColumn_, {{Command5, Command1, SaveIt}});
    l.rowsIn(*extraColumn_, {{Frame6}});
    l.rowsIn(*extraColumn_, {{Frame5}});
    std::vector<std::vector<LayoutItem>> filters;
    for (int k = 1; k <= 12; k += 3) {
        filters.push_back({filterText(k), filterText(k + 1), filterText(k + 2)});
        for (int i = k; i < k + 3; ++i) l.widthInChars(filterText(i), kFilterChars);
    }
    l.rows(std::move(filters));
    l.row({Check3});
    l.row({labelFor(Label4, ExtraCall), ExtraCall});
    l.row({Option1, Option2});

    std::vector<std::vector<LayoutItem>> pictures;
    for (size_t i = 0; i < Image.size(); ++i) {
        if (i % kPicturesPerRow == 0) pictures.emplace_back();
        pictures.back().push_back(*Image[i]);
    }
    l.rows(std::move(pictures));
}
