// How the DTMF player looks: the twenty slot rows (a narrow code box beside a wide location box,
// then its File and Play buttons), the web delay, the volume and the buttons; to the right, shown
// only while the window is wide, the word-replacement pane with the status box.
#include "dtmfplayer/dtmf_player_window.h"

void Form23::declareLayout() {
    WindowLayout& l = layout();
    l.frame = FrameStyle::Fixed;
    l.opening = Opening::Stored;

    // The slots with the word pane at their right; under them the web delay and the volume side by
    // side, so that the window fits the screen.
    l.row({Frame1, Frame4});
    l.row({Frame2, Frame3});

    std::vector<std::vector<LayoutItem>> slotRows;
    for (int k = 1; k <= kSlots; ++k) {
        slotRows.push_back({code(k), location(k), picker(k), playButton(k)});
        playButton(k).setCaption("\u25B6");   // the small Play button shows the play sign
        l.widthInChars(code(k), 6);
    }
    l.rows(std::move(slotRows));

    l.row({labelFor(Label1, Text2), Text2, "seconds"});
    l.widthInChars(Text2, 4);

    // The slider with its marks over it and its caption at its left.
    l.rows({{"", Label2, Label3, Label4}, {labelFor(Label5, V1), V1}});
    l.rowsIn(Frame3, {{Command1, Command2, SaveAndExit, Command5, PTT}});

    l.rows({{Label6}, {Label7}});
    std::vector<std::vector<LayoutItem>> wordRows;
    for (int k = 1; k <= kWordRows; ++k) wordRows.push_back({word(k), replacement(k)});
    l.rows(std::move(wordRows));
    l.row({Text1});

    l.outsideView({&VolSet});
}
