// How net set 2 looks: the title, the four weekly frames two by two, the dated frame, the clock
// with the local-receive switch and the two buttons. Each weekly frame reads from the days down to
// the net's station and start; the running flags stay out of view.
#include "nets/net_set2_window.h"

namespace {
struct WeeklyFrame {
    Frame& frame;
    std::array<CheckBox*, 7> days;
    CheckBox& disconnectAll;
    CheckBox& showBusy;
    Label& minutesCaption;
    TextBox& discMins;
    CheckBox& useDisconnect;
    Label& discPeriod;
    TextBox& netCall;
    TextBox& hour;
    TextBox& mins;
    CheckBox& stayConnected;
};

void declareWeekly(WindowLayout& l, const WeeklyFrame& f, const std::string& id) {
    l.rows({{*f.days[0], *f.days[1], *f.days[2], *f.days[3], *f.days[4], *f.days[5], *f.days[6]}});
    l.rows({{f.disconnectAll, f.showBusy, labelFor(f.minutesCaption, f.discMins), f.discMins, "Mins", f.useDisconnect,
             f.discPeriod}});
    Frame& start = l.group("FrameStart" + id, "Hour : Mins", &f.frame);
    l.rowsIn(f.frame, {{labelFor("Connect Net Call", f.netCall), f.netCall, "At", start}});
    l.rowsIn(start, {{f.hour, f.mins}});
    l.rows({{f.stayConnected}});
    l.widthInChars(f.discMins, 3);
    l.widthInChars(f.hour, 3);
    l.widthInChars(f.mins, 3);
}
}  // namespace

void Form117::declareLayout() {
    WindowLayout& l = layout();
    l.frame = FrameStyle::Fixed;
    l.opening = Opening::Stored;

    l.row({Label1});
    l.bold(Label1);
    l.rows({{FrameNet1, FrameNet2}, {FrameNet3, FrameNet4}});
    l.row({FrameNet5});
    l.row({ShowTime, RFBusy});
    l.row({Command2, Command1});

    declareWeekly(l, {FrameNet1, {&Sun, &Mon, &Tue, &Wed, &Thur, &Fri, &Sat}, DisconnectAll1, ShowBusy1, Label11,
                      DiscMins1, Check3, DiscPeriod1, NetCall1, Hour, Mins, Check14}, "1");
    declareWeekly(l, {FrameNet2, {&Sun2, &Mon2, &Tue2, &Wed2, &Thur2, &Fri2, &Sat2}, DisconnectAll2, ShowBusy2,
                      Label12, DiscMins2, Check2, DiscPeriod2, NetCall2, Hour2, Mins2, Check16}, "2");
    declareWeekly(l, {FrameNet3, {&Sun3, &Mon3, &Tue3, &Wed3, &Thur3, &Fri3, &Sat3}, DisconnectAll3, ShowBusy3,
                      Label13, DiscMins3, Check11, DiscPeriod3, NetCall3, Hour3, Mins3, Check18}, "3");
    declareWeekly(l, {FrameNet4, {&Sun4, &Mon4, &Tue4, &Wed4, &Thur4, &Fri4, &Sat4}, DisconnectAll4, ShowBusy4,
                      Label14, DiscMins4, Check20, DiscPeriod4, NetCall4, Hour4, Mins4, Check21}, "4");

    // The dated net: its station, its day and its start, then its length, then its switches.
    Frame& start5 = l.group("FrameStart5", "Hour : Mins", &FrameNet5);
    l.rows({{labelFor("Connect Net Call", NetCall5), NetCall5, "On", FrameDate, "At", start5}});
    l.rows({{labelFor(Label15, Text3), Text3}});
    l.rowsIn(start5, {{Hour5, Mins5}});
    l.rows({{Check1, labelFor(Label16, DiscMins5), DiscMins5, "Mins", Check6, DiscPeriod5}});
    l.rows({{DisconnectAll5, ShowBusy5, Check25}});
    l.widthInChars(Text3, 10);
    for (TextBox* box : {&DiscMins5, &Hour5, &Mins5}) l.widthInChars(*box, 3);

    l.outsideView({&Check15, &Check17, &Check19, &Check22, &Check26});
}
