// How the download window looks: one tab with the two groups of files, each its two slot frames
// and the schedule that downloads them, then the status, the clock and the buttons. The manual
// download line and its progress monitor lie beyond the window's right edge.
#include "news/news_download_window.h"

void Form13::declareLayout() {
    WindowLayout& l = layout();
    l.frame = FrameStyle::Fixed;
    l.opening = Opening::Stored;
    l.row({SSTab1});

    Frame& files12 = l.group("FrameFiles12", "Files 1 && 2", &Tab1);
    Frame& files34 = l.group("FrameFiles34", "Files 3 && 4", &Tab1);
    l.rowsIn(Tab1, {{files12, files34}});
    l.rowsIn(Tab1, {{Label2, ShowTime2, lblData0}});
    l.rowsIn(Tab1, {{Command3, Command5, Command2}});

    l.rowsIn(files12, {{Frame1}, {Frame2}, {Frame5}});
    l.rowsIn(files34, {{Frame3}, {Frame4}, {Frame6}});
    for (int n = 1; n <= 4; ++n) {
        const Slot s = slot(n);
        l.rows({{s.url, s.button}, {s.check}});
    }
    declareSchedule(l, Frame5, {&Sun, &Mon, &Tue, &Wed, &Thur, &Fri, &Sat}, Hour, Mins, "1");
    declareSchedule(l, Frame6, {&Sunx, &Monx, &Tuex, &Wedx, &Thurx, &Frix, &Satx}, Hourx, Minsx, "2");

    Frame& manual = l.group("FrameManual", "");
    l.row({manual});
    l.rowsIn(manual, {{"URL", txtURL, cmdGo, cmdCancel}});
    l.rowsIn(manual, {{lblLabel, txtPercent, Percent}, {lblData1, lblData2}});
    l.outsideView({&manual});
}

void Form13::declareSchedule(WindowLayout& l, Frame& frame, std::array<CheckBox*, 7> days, TextBox& hour,
                             TextBox& mins, const std::string& id) {
    Frame& time = l.group("FrameTime" + id, "Hour : Mins", &frame);
    l.rowsIn(frame, {{*days[0], *days[1], *days[2], *days[3], *days[4], *days[5], *days[6], time}});
    l.rowsIn(time, {{hour, mins}});
    l.widthInChars(hour, 3);
    l.widthInChars(mins, 3);
}
