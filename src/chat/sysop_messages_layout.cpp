// How the sysop-message window looks: the title line, the log with its Clear button, the frame
// for composing a message, the tick and the three buttons; the body being sent stays out of view.
#include "chat/sysop_messages_window.h"

void Form126::declareLayout() {
    WindowLayout& l = layout();
    l.frame = FrameStyle::FixedTool;
    l.opening = Opening::Stored;
    l.row({Label1});
    l.bold(Label1);
    l.rows({{Text1}, {Command2}});
    l.row({Frame3});
    l.rows({{labelFor(Label2, Text2), Text2}, {labelFor(Label3, Text3), Text3, Command3}});
    l.widthInChars(Text2, 12);
    l.row({Check1});
    l.row({Command6, Command5, Command1});
    l.outsideView({&Text4});
}
