// How the DTMF-before/after window looks: each frame's column heading over its string boxes, a
// row a kind of transmission (start string, end string, use box); the status options sit outside
// the view.
#include "beacons/dtmf_before_after_window.h"

void Form128::declareLayout() {
    WindowLayout& l = layout();
    l.frame = FrameStyle::Fixed;
    l.opening = Opening::SystemChooses;
    l.rows({{Frame1, Frame2}, {Frame3, Frame4}, {Frame5}});
    l.row({Command2, Command1});
    l.rows({{Label1}, {Text3, Text4, Check2}, {Text1, Text2, Check1}, {Text5, Text6, Check3}});
    l.rows({{Label2}, {Text7, Text8, Check4}});
    l.rows({{Label3}, {Text9, Text10, Check5}, {Text11, Text12, Check6}});
    l.rows({{Label4}, {Text13, Check7}, {Text14, Check8}, {Text15, Check9}, {Text16, Check10}});
    l.rows({{Label6}, {Label5}, {Text17, Text18, Check11}, {Text19, Text20, Check12}, {Text21, Text22, Check13},
            {Text23, Text24, Check14}});
    for (int k = 1; k <= 24; ++k) l.widthInChars(digits(k), 8);
    l.outsideView({&Frame6});
}
