// How the greetings window looks: the outer frame with the switches at the upper left, the delay
// frame at the upper right and the ten greeting rows in number order below; the clock and the two
// buttons in the strip under it.
#include "chat/greetings_window.h"
#include "core/colours.h"

namespace {
using namespace colours;
}

void Form10::declareLayout() {
    WindowLayout& l = layout();
    l.frame = FrameStyle::Fixed;
    l.opening = Opening::Centred;   // the window keeps no place of its own

    l.row({Frame1});
    l.row({labelFor(Label5, ShowTime), ShowTime, "", Command2, Command1});

    l.rows({{UseGreeting, Check1, "", tall(Frame2, 2)},
            {TimeStamp, labelFor(Label1, MaxRand), MaxRand}});
    l.widthInChars(MaxRand, 3);
    l.row({Frame3});

    l.rows({{Label2, BeaconSecondsDelay, Label3}, {BeaconPeriodDelay, labelFor(Label4, BeaconPeriodDelay)}});
    l.widthInChars(BeaconPeriodDelay, 2);

    std::vector<std::vector<LayoutItem>> rows;
    for (int k = 1; k <= 9; ++k) {
        greeting(k).backColor = kTooltipYellow;
        rows.push_back({option(k), labelFor(k == 9 ? "\"Call - Name\"" : "Hello \"Name\"", greeting(k)), greeting(k)});
    }
    l.rows(std::move(rows));
    l.row({Option10, Label10});
}
