// How the connect-control window looks: four tab pages with their groups, every box behind the
// caption that names it, and the Save and Hide buttons below the tabs; the window keeps the place
// its settings file stores.
#include "linkcontrol/connect_control_window.h"

#include <array>

namespace {
constexpr int kSquareButtonTwips = 135;
}

void Form4::declareLayout() {
    WindowLayout& l = layout();
    l.frame = FrameStyle::Fixed;
    l.opening = Opening::Stored;
    l.row({SSTab1});
    l.row({Command14, Command16});

    // ---- DTMF Control
    l.rows({{FrameGroup1, FrameSingles}, {FrameGroup2}, {FrameDtmfUse}, {FrameDtmfDelay}, {FrameTimedConnect}});
    l.row({Label45});
    l.rows({{labelFor("Call 1", GroupCall1), GroupCall1, labelFor("DTMF Connect", DTMFGroup1Connect), DTMFGroup1Connect,
             Command3},
            {labelFor("Call 2", GroupCall2), GroupCall2, labelFor("DTMF Disconnect", DTMFGroup1Disc), DTMFGroup1Disc,
             Command4},
            {labelFor("Call 3", GroupCall3), GroupCall3}});
    l.rows({{labelFor("Call 1", GroupCall4), GroupCall4, labelFor("DTMF Connect", DTMFGroup2Connect), DTMFGroup2Connect,
             Command5},
            {labelFor("Call 2", GroupCall5), GroupCall5, labelFor("DTMF Disconnect", DTMFGroup2Disc), DTMFGroup2Disc,
             Command6},
            {labelFor("Call 3", GroupCall6), GroupCall6}});
    TextBox* calls[] = {&Call1, &Call2, &Call3, &Call4, &Call5, &Call6, &Call7, &Call8};
    TextBox* codes[] = {&DTMF1, &DTMF2, &DTMF3, &DTMF4, &DTMF5, &DTMF6, &DTMF7, &DTMF8};
    CommandButton* toggles[] = {&Command7, &Command8, &Command9, &Command10, &Command11, &Command12, &Command13, &Command15};
    std::vector<std::vector<LayoutItem>> singles;
    for (int k = 0; k < 8; ++k) {
        const std::string n = std::to_string(k + 1);
        singles.push_back({labelFor("Call " + n, *calls[k]), *calls[k], labelFor("DTMF " + n, *codes[k]), *codes[k],
                           *toggles[k]});
    }
    l.rows(std::move(singles));
    l.rows({{labelFor("Disconnect All", Text111), Text111, labelFor("Disconnect Last Call", Text555), Text555,
             labelFor("Last Connected", LastConnected), LastConnected},
            {Check1, labelFor("Enable", Text222), Text222, labelFor("Disable", Text333), Text333},
            {labelFor("Disable All DTMF     Re-Enable after           Mins", BeaconPeriod), BeaconPeriod, BeaconSeconds}});
    l.rows({{UseDTMFDelay, labelFor("Seconds", DTMFDelaySeconds), DTMFDelaySeconds, DTMFDelayPeriod, PTT3},
            {labelFor("Delay On", Text1111), Text1111, labelFor("Delay Off", Text2222), Text2222}});
    l.rows({{labelFor("Node                                Con", Text1x), Text1x, Text2x, Command23},
            {labelFor("On for            Mins     Dis Con", DelayPeriod), DelayPeriod, Text3x, Command24},
            {DelayCTRL, DelaySeconds, Check10, Label49, Check12}});
    for (TextBox* t : {&GroupCall1, &GroupCall2, &GroupCall3, &GroupCall4, &GroupCall5, &GroupCall6, &Call1, &Call2,
                       &Call3, &Call4, &Call5, &Call6, &Call7, &Call8, &Text1x, &LastConnected})
        l.widthInChars(*t, 10);
    for (TextBox* t : {&DTMFGroup1Connect, &DTMFGroup1Disc, &DTMFGroup2Connect, &DTMFGroup2Disc, &DTMF1, &DTMF2, &DTMF3,
                       &DTMF4, &DTMF5, &DTMF6, &DTMF7, &DTMF8, &Text111, &Text555, &Text222, &Text333, &Text1111,
                       &Text2222, &Text2x, &Text3x})
        l.widthInChars(*t, 6);
    for (TextBox* t : {&BeaconPeriod, &DTMFDelaySeconds, &DelayPeriod}) l.widthInChars(*t, 4);
    // The toggles and the timed connection's start and stop are small squares at the ends of their
    // rows, too small for a caption: their tooltips say what they do.
    for (CommandButton* b : toggles) l.sizeTwips(*b, kSquareButtonTwips, kSquareButtonTwips);
    for (CommandButton* b : {&Command23, &Command24}) l.sizeTwips(*b, kSquareButtonTwips, kSquareButtonTwips);

    // ---- Net Scheduler: four weekly nets
    struct Net {
        Frame& frame;
        std::array<CheckBox*, 7> days;
        CheckBox &disconnectAll, &showBusy;
        TextBox& discMins;
        CheckBox& use;
        Label& discPeriod;
        TextBox &netCall, &hour, &mins;
        CheckBox &stay, &listenOnly, &running;
    };
    const Net nets[] = {
        {FrameNet1, {&Sun, &Mon, &Tue, &Wed, &Thur, &Fri, &Sat}, DisconnectAll1, ShowBusy1, DiscMins1, Check3, DiscPeriod1,
         NetCall1, Hour, Mins, Check14, Check23, Check15},
        {FrameNet2, {&Sun2, &Mon2, &Tue2, &Wed2, &Thur2, &Fri2, &Sat2}, DisconnectAll2, ShowBusy2, DiscMins2, Check2,
         DiscPeriod2, NetCall2, Hour2, Mins2, Check16, Check24, Check17},
        {FrameNet3, {&Sun3, &Mon3, &Tue3, &Wed3, &Thur3, &Fri3, &Sat3}, DisconnectAll3, ShowBusy3, DiscMins3, Check11,
         DiscPeriod3, NetCall3, Hour3, Mins3, Check18, Check25, Check19},
        {FrameNet4, {&Sun4, &Mon4, &Tue4, &Wed4, &Thur4, &Fri4, &Sat4}, DisconnectAll4, ShowBusy4, DiscMins4, Check20,
         DiscPeriod4, NetCall4, Hour4, Mins4, Check21, Check26, Check22},
    };
    l.rows({{FrameNet1}, {FrameNet2}, {FrameNet3}, {FrameNet4}, {RFBusy}, {ShowTime, Command25, Command18}});
    for (const Net& n : nets) {
        std::vector<LayoutItem> days;
        for (CheckBox* d : n.days) days.emplace_back(*d);
        l.row(std::move(days));
        l.outsideView({&n.running});
        l.row({labelFor("Net Callsign", n.netCall), n.netCall, labelFor("Time", n.hour), n.hour, ":", n.mins,
               n.disconnectAll, n.showBusy, n.stay, n.listenOnly});
        l.row({labelFor("Disconnect Net / Callsign after", n.discMins), n.discMins, "Mins", n.use, n.discPeriod});
        l.widthInChars(n.netCall, 10);
        l.widthInChars(n.hour, 2);
        l.widthInChars(n.mins, 2);
        l.widthInChars(n.discMins, 4);
    }

    // ---- Scheduler: the daily connect and disconnect, the idle disconnect, busy and profiles
    l.rows({{FrameDaily}, {FrameIdle}});
    l.rows({{Command21, Command22, Command1}, {labelFor("Stop Player DTMF", StopPlayer), StopPlayer}, {ShowTime2, Label43}});
    l.rows({{labelFor("Disconnect at", Hour0), Hour0, ":", Mins0, Check7, Check5, Check8,
             labelFor("Disconnect Call", Disconnect1), Disconnect1},
            {labelFor("Connect at", Hour00), Hour00, ":", Mins00, Check9, Check6, "", labelFor("Connect Call", Connect1),
             Connect1}});
    l.rows({{StopClock17, labelFor("Idle Minutes", BeaconPeriod17), BeaconPeriod17, BeaconSeconds17},
            {labelFor("Home Station", Text5), Text5, Check13},
            {Check4},
            {labelFor("Connected", HowManyConnected), HowManyConnected}});
    for (TextBox* t : {&Hour0, &Mins0, &Hour00, &Mins00}) l.widthInChars(*t, 2);
    for (TextBox* t : {&Disconnect1, &Connect1, &Text5}) l.widthInChars(*t, 10);
    for (TextBox* t : {&StopPlayer, &BeaconPeriod17}) l.widthInChars(*t, 6);

    // ---- Re-Start
    l.row({FrameCloseDown});
    l.row({labelFor("Re-Start DTMF", ReStart), ReStart});   // beside its caption, not under the frame's columns
    l.row({labelFor("Close Down DTMF", CloseDown), CloseDown});
    l.widthInChars(ReStart, 6);
    l.widthInChars(CloseDown, 6);
}
