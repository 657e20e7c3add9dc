// How the preset texts look: two frames of ten rows, each row a wide box with its Send button at
// the right, in the order the rows have always stood; Save and Hide at the bottom right. Frame 1's
// texts are blue, frame 2's dark red, on the tooltip colour.
#include "chat/preset_texts_window.h"
#include "core/colours.h"

namespace {
using namespace colours;
constexpr std::int64_t kBlue = 0xFF0000;
}  // namespace

void Form116::declareLayout() {
    WindowLayout& l = layout();
    l.frame = FrameStyle::Fixed;
    l.opening = Opening::Stored;
    l.row({Frame1});
    l.row({Frame2});
    l.row({"", Command12, Command11});

    for (int frame = 1; frame <= 2; ++frame) {
        std::vector<std::vector<LayoutItem>> rows;
        for (const PresetRow& r : kRows) {
            if (r.frame != frame) continue;
            TextBox& box = text(r.preset);
            box.backColor = kTooltipYellow;
            box.foreColor = frame == 1 ? kBlue : kDarkRed;
            l.widthInChars(box, 50);
            rows.push_back({box, sendButton(r.command)});
        }
        l.rows(std::move(rows));
    }
}
