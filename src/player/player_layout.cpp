// How the player window looks: the progress panel, the breaks and volume panels, the speech
// format choice and the two buttons; the transmit request and state sit outside the view.
#include "player/player_window.h"

void Form1::declareLayout() {
    WindowLayout& l = layout();
    l.frame = FrameStyle::FixedTool;
    l.opening = Opening::Centred;

    l.row({fraProgress});
    l.row({lblNewsPlaying});
    l.row({fraBreaks});
    l.row({fraReduce});
    l.row({fraFormat});
    l.row({Command11, Command10});

    l.rows({{labelFor(lblTimeLeft, Text1), Text1, labelFor(lblTimeUsed, Text2), Text2, labelFor(lblLength, Text3), Text3},
            {H1},
            {PTT2, Command9}});
    for (TextBox* t : {&Text1, &Text2, &Text3}) l.widthInChars(*t, 8);

    l.row({labelFor(lblEvery, BeaconPeriod8), BeaconPeriod8, labelFor(lblMinsFor, Text6), Text6,
           labelFor(lblMilliseconds, Text6), StopClock8});
    l.row({BeaconSeconds8, Label19, lblSecMSec});
    l.widthInChars(BeaconPeriod8, 4);
    l.widthInChars(Text6, 6);

    l.rows({{Check1, Text4}, {lbl0, lbl50, lbl100}});
    l.widthInChars(Text4, 7);

    l.rows({{Option1, Option2, Option3}, {Option4, Option5, Option6}, {Option7, Option8, Option9}});

    l.outsideView({&fraFile, &fraVolume, &fraSpeed, &TempVolSet, &Label1, &Label2, &Label3, &PTT, &AddDelay, &Check2,
                   &Command1, &Command2, &Command3, &Command4, &Command5, &Command6, &Command7, &Command8, &SaveIt});
}
