// How the error log looks: the log filling the window, red on the tooltip colour, and its button.
#include "core/colours.h"
#include "shell/error_log_window.h"

namespace {
using namespace colours;
}

void Form120::declareLayout() {
    Text1.backColor = kTooltipYellow;
    Text1.horizontalScrollBar = true;   // a long path stays on its line
    WindowLayout& l = layout();
    l.opening = Opening::SystemChooses;
    l.rows({{Text1}, {Command1}});
}
