// How the About window looks: the product and station, the update check, the links and the
// donation choice; the version file's address and the fetched text sit outside the view.
#include "shell/about_window.h"

void Form14::declareLayout() {
    WindowLayout& l = layout();
    l.frame = FrameStyle::FixedTool;
    l.opening = Opening::Centred;
    l.bold(Label1);
    l.rows({{Label1},
            {Label6},
            {Label2},
            {Label3},
            {Command24, Label5},
            {Command5},
            {Command2, Command3},
            {Combo1, Command4},
            {Command6},
            {Command1}});
    l.widthInChars(Combo1, 18);
    l.outsideView({&FileOnNet, &NetText});
}
