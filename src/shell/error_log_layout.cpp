// How the error log looks: the log filling the window, red on the tooltip colour, and its button.
#include "shell/error_log_window.h"

namespace {
constexpr std::int64_t kTooltipBackground = 0xE1FFFF;   // pale yellow, &HBBGGRR
}

void Form120::declareLayout() {
    Text1.backColor = kTooltipBackground;
    WindowLayout& l = layout();
    l.opening = Opening::SystemChooses;
    l.rows({{Text1}, {Command1}});
}
