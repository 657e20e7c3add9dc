// How the launcher looks: two columns of buttons in a frame, and below it the tray tick beside
// the tray button.
#include "shell/launcher_window.h"

void Form5::declareLayout() {
    WindowLayout& l = layout();
    l.frame = FrameStyle::Fixed;
    l.opening = Opening::SystemChooses;
    l.row({Frame1});
    l.row({Frame2});
    l.rows({{Command1, Command14},
            {Command8, Command11},
            {Command21, Command15},
            {Command13, Command3},
            {Command22, Command4},
            {Command7, Command12},
            {Command6, Command5}});
    l.bold(Command5);
    l.row({Check1, Command9});
    l.belowView({&Command25});
}
