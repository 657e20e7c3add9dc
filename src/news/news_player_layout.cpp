// How the news player looks: tab "News 1 - 2" with the node-status frame and the first two sets,
// tab "News 3 - 4" with the third set, the 2nd File and the four spoken texts; under the tabs the
// player display, the volume and the buttons.
#include "news/news_player_window.h"

namespace {
// One schedule set's frame: its type, its file, its days, its two start times and its DTMF code in
// small frames of their own, the delay note and its buttons.
void declareSet(WindowLayout& l, Form24& w, int n, Frame& frame, Label& delay, CommandButton& play,
                CommandButton& stop) {
    const Form24::FileSet set = w.fileSet(n);
    const std::string id = std::to_string(n + 1);
    l.rows({{set.news, set.conditions, set.forecast}});
    l.rows({{set.file, set.fileButton, set.conditionsLabel, set.forecastLabel}});
    l.rows({{*set.days[0], *set.days[1], *set.days[2], *set.days[3], *set.days[4], *set.days[5], *set.days[6]}});
    Frame& start1 = l.group("FrameHour1Set" + id, "Hour  1  Mins", &frame);
    Frame& start2 = l.group("FrameHour2Set" + id, "Hour  2  Mins", &frame);
    Frame& dtmf = l.group("FrameDtmfSet" + id, "DTMF", &frame);
    l.rowsIn(frame, {{start1, start2, dtmf, delay}});
    l.rowsIn(start1, {{*set.hour1, *set.mins1}});
    l.rowsIn(start2, {{*set.hour2, *set.mins2}});
    l.rowsIn(dtmf, {{*set.dtmf}});
    for (TextBox* box : {set.hour1, set.mins1, set.hour2, set.mins2}) l.widthInChars(*box, 3);
    l.widthInChars(*set.dtmf, 6);
    l.rowsIn(frame, {{play, stop}});
}
}  // namespace

void Form24::declareLayout() {
    WindowLayout& l = layout();
    l.frame = FrameStyle::Fixed;
    l.opening = Opening::Stored;

    l.row({SSTab1});
    l.rows({{labelFor(Label8, Label2), Label2, labelFor(Label9, Label3), Label3, labelFor(Label10, Label4), Label4},
            {PTT, ShowTime}});
    // The slider with its marks over it, its value and its caption at its left.
    l.rows({{"", "", "0%", "50%", "100%"}, {VolSet, labelFor("Volume", V1), V1}});
    l.widthInChars(VolSet, 6);
    l.row({Command11, Command16, Command5, SaveAndExit});

    l.rowsIn(Tab1, {{FrameStatus}, {Frame1}, {Frame2}});
    l.rows({{Check1, ListAsBusyCheck}, {DisconnectAll, WarnCheck}});
    declareSet(l, *this, 0, Frame1, Label12, Command1, Command4);
    declareSet(l, *this, 1, Frame2, Label14, Command7, Command8);

    l.rowsIn(Tab2, {{Frame3}, {Frame4}});
    l.rowsIn(Tab2, {{FrameWarn, FrameEnd}, {FrameEndWX, FrameEndNewsWX}});
    declareSet(l, *this, 2, Frame3, Label13, Command13, Command9);
    l.rows({{Option10, Option11, Option12}});
    l.rows({{Text8x, Command15, Label21, Label22}});
    l.row({Play2nd});
    l.row({Command21, Command14, Command20});
    l.row({WarnDisc, Command10});
    l.row({WarnEnd, Command2});
    l.row({WarnEndWX, Command17});
    l.row({WarnEndNewsWX, Command18});
}
