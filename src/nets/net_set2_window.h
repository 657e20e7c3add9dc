#pragma once
// Form117: net scheduler set 2. Four weekly nets and one net on a given date, with their own
// clocks, end countdowns and watchdog. The window exists only once the operator has opened it
// from the connect-control window, and only its own Save button writes netscheduler2.ini.
#include <array>
#include <string>
#include <vector>

#include "core/form.h"
#include "core/settings_table.h"
#include "nets/net_slot.h"

class Form117 : public Form {
public:
    explicit Form117(FormHost& host);

    void load() override;
    void SaveData() override;
    // Closing the window while one of its nets runs only hides it until the last of them has
    // ended, so those nets still end on time; otherwise it is unloaded at once, unsaved.
    void closeRequest() override;

    static constexpr const char* kSettingsFile = "netscheduler2.ini";
    static constexpr const char* kCaptionSuffix = "  Net Scheduler Set 2";
    static constexpr const char* kDateFramePrefix = " Date - Format = ";

    std::string Auto1, Auto2;   // the idents window's StayCon1/2 as they were before the running nets

    Label Label1{*this, "Label1", "Net Scheduler Set 2"};
    Frame FrameNet1{*this, "FrameNet1", "Net Scheduler 1 --  15 seconds after allotted time to allow for beacons"};
    Frame FrameNet2{*this, "FrameNet2", "Net Scheduler 2 --  15 seconds after allotted time to allow for beacons"};
    Frame FrameNet3{*this, "FrameNet3", "Net Scheduler 3 --  15 seconds after allotted time to allow for beacons"};
    Frame FrameNet4{*this, "FrameNet4", "Net Scheduler 4 --  15 seconds after allotted time to allow for beacons"};
    Frame FrameNet5{*this, "FrameNet5", "Future Date Net Scheduler"};

    // ---- weekly slots (slot 1's controls carry no digit)
    CheckBox Sun{*this, "Sun", "Sun", 0, &FrameNet1};
    CheckBox Mon{*this, "Mon", "Mon", 0, &FrameNet1};
    CheckBox Tue{*this, "Tue", "Tue", 0, &FrameNet1};
    CheckBox Wed{*this, "Wed", "Wed", 0, &FrameNet1};
    CheckBox Thur{*this, "Thur", "Thur", 0, &FrameNet1};
    CheckBox Fri{*this, "Fri", "Fri", 0, &FrameNet1};
    CheckBox Sat{*this, "Sat", "Sat", 0, &FrameNet1};
    CheckBox DisconnectAll1{*this, "DisconnectAll1", "Disconnect All ", 0, &FrameNet1};
    CheckBox ShowBusy1{*this, "ShowBusy1", "Show Busy", 0, &FrameNet1};
    Label Label11{*this, "Label11", "Disconnect Net Callsign after", &FrameNet1};
    TextBox DiscMins1{*this, "DiscMins1", "1", &FrameNet1};
    CheckBox Check3{*this, "Check3", "Use", 0, &FrameNet1};
    Label DiscPeriod1{*this, "DiscPeriod1", "0", &FrameNet1};
    TextBox NetCall1{*this, "NetCall1", "", &FrameNet1};
    TextBox Hour{*this, "Hour", "24", &FrameNet1};
    TextBox Mins{*this, "Mins", "00", &FrameNet1};
    CheckBox Check14{*this, "Check14", "Stay Connected Durning Net", 0, &FrameNet1};
    CheckBox Check15{*this, "Check15", "Check15", 0, &FrameNet1};   // running flag, hidden

    CheckBox Sun2{*this, "Sun2", "Sun", 0, &FrameNet2};
    CheckBox Mon2{*this, "Mon2", "Mon", 0, &FrameNet2};
    CheckBox Tue2{*this, "Tue2", "Tue", 0, &FrameNet2};
    CheckBox Wed2{*this, "Wed2", "Wed", 0, &FrameNet2};
    CheckBox Thur2{*this, "Thur2", "Thur", 0, &FrameNet2};
    CheckBox Fri2{*this, "Fri2", "Fri", 0, &FrameNet2};
    CheckBox Sat2{*this, "Sat2", "Sat", 0, &FrameNet2};
    CheckBox DisconnectAll2{*this, "DisconnectAll2", "Disconnect All", 0, &FrameNet2};
    CheckBox ShowBusy2{*this, "ShowBusy2", "Show Busy", 0, &FrameNet2};
    Label Label12{*this, "Label12", "Disconnect Net Callsign After", &FrameNet2};
    TextBox DiscMins2{*this, "DiscMins2", "1", &FrameNet2};
    CheckBox Check2{*this, "Check2", "Use", 0, &FrameNet2};
    Label DiscPeriod2{*this, "DiscPeriod2", "0", &FrameNet2};
    TextBox NetCall2{*this, "NetCall2", "", &FrameNet2};
    TextBox Hour2{*this, "Hour2", "24", &FrameNet2};
    TextBox Mins2{*this, "Mins2", "00", &FrameNet2};
    CheckBox Check16{*this, "Check16", "Stay Connected Durning Net", 0, &FrameNet2};
    CheckBox Check17{*this, "Check17", "Check17", 0, &FrameNet2};

    CheckBox Sun3{*this, "Sun3", "Sun", 0, &FrameNet3};
    CheckBox Mon3{*this, "Mon3", "Mon", 0, &FrameNet3};
    CheckBox Tue3{*this, "Tue3", "Tue", 0, &FrameNet3};
    CheckBox Wed3{*this, "Wed3", "Wed", 0, &FrameNet3};
    CheckBox Thur3{*this, "Thur3", "Thur", 0, &FrameNet3};
    CheckBox Fri3{*this, "Fri3", "Fri", 0, &FrameNet3};
    CheckBox Sat3{*this, "Sat3", "Sat", 0, &FrameNet3};
    CheckBox DisconnectAll3{*this, "DisconnectAll3", "Disconnect All ", 0, &FrameNet3};
    CheckBox ShowBusy3{*this, "ShowBusy3", "Show Busy", 0, &FrameNet3};
    Label Label13{*this, "Label13", "Disconnect Net Callsign after", &FrameNet3};
    TextBox DiscMins3{*this, "DiscMins3", "1", &FrameNet3};
    CheckBox Check11{*this, "Check11", "Use", 0, &FrameNet3};
    Label DiscPeriod3{*this, "DiscPeriod3", "0", &FrameNet3};
    TextBox NetCall3{*this, "NetCall3", "", &FrameNet3};
    TextBox Hour3{*this, "Hour3", "24", &FrameNet3};
    TextBox Mins3{*this, "Mins3", "00", &FrameNet3};
    CheckBox Check18{*this, "Check18", "Stay Connected Durning Net", 0, &FrameNet3};
    CheckBox Check19{*this, "Check19", "Check19", 0, &FrameNet3};

    CheckBox Sun4{*this, "Sun4", "Sun", 0, &FrameNet4};
    CheckBox Mon4{*this, "Mon4", "Mon", 0, &FrameNet4};
    CheckBox Tue4{*this, "Tue4", "Tue", 0, &FrameNet4};
    CheckBox Wed4{*this, "Wed4", "Wed", 0, &FrameNet4};
    CheckBox Thur4{*this, "Thur4", "Thur", 0, &FrameNet4};
    CheckBox Fri4{*this, "Fri4", "Fri", 0, &FrameNet4};
    CheckBox Sat4{*this, "Sat4", "Sat", 0, &FrameNet4};
    CheckBox DisconnectAll4{*this, "DisconnectAll4", "Disconnect All ", 0, &FrameNet4};
    CheckBox ShowBusy4{*this, "ShowBusy4", "Show Busy", 0, &FrameNet4};
    Label Label14{*this, "Label14", "Disconnect Net Callsign after", &FrameNet4};
    TextBox DiscMins4{*this, "DiscMins4", "1", &FrameNet4};
    CheckBox Check20{*this, "Check20", "Use", 0, &FrameNet4};
    Label DiscPeriod4{*this, "DiscPeriod4", "0", &FrameNet4};
    TextBox NetCall4{*this, "NetCall4", "", &FrameNet4};
    TextBox Hour4{*this, "Hour4", "24", &FrameNet4};
    TextBox Mins4{*this, "Mins4", "00", &FrameNet4};
    CheckBox Check21{*this, "Check21", "Stay Connected Durning Net", 0, &FrameNet4};
    CheckBox Check22{*this, "Check22", "Check22", 0, &FrameNet4};

    // ---- the dated slot
    TextBox NetCall5{*this, "NetCall5", "", &FrameNet5};
    Frame FrameDate{*this, "FrameDate", "Date  xx/xx/xxxx", &FrameNet5};
    Label Label15{*this, "Label15", "Enter Date", &FrameDate};
    TextBox Text3{*this, "Text3", "99/99/9999", &FrameDate};
    TextBox Hour5{*this, "Hour5", "24", &FrameNet5};
    TextBox Mins5{*this, "Mins5", "00", &FrameNet5};
    CheckBox Check1{*this, "Check1", "Listen Only", 0, &FrameNet5};
    Label Label16{*this, "Label16", "Disconnect Net Callsign after", &FrameNet5};
    TextBox DiscMins5{*this, "DiscMins5", "1", &FrameNet5};
    CheckBox Check6{*this, "Check6", "Use", 0, &FrameNet5};
    Label DiscPeriod5{*this, "DiscPeriod5", "0", &FrameNet5};
    CheckBox DisconnectAll5{*this, "DisconnectAll5", "Disconnect All ", 0, &FrameNet5};
    CheckBox ShowBusy5{*this, "ShowBusy5", "Show Busy", 0, &FrameNet5};
    CheckBox Check25{*this, "Check25", "Stay Connected Durning Net", 0, &FrameNet5};
    CheckBox Check26{*this, "Check26", "Check26", 0, &FrameNet5};   // running flag, hidden

    CheckBox RFBusy{*this, "RFBusy", "If Local RF Busy Then No Auto Scheduler Connects"};
    Label ShowTime{*this, "ShowTime", "00:00:00"};
    CommandButton Command2{*this, "Command2", "Save"};
    CommandButton Command1{*this, "Command1", "Hide"};

    // ---- timers: the clocks first, so a net started in a second counts from the next one
    SecondTimer Timer2{*this, "Timer2", [this](LocalMs s) { Timer2_Timer(s); }};  // weekly clock
    SecondTimer Timer1{*this, "Timer1", [this](LocalMs s) { Timer1_Timer(s); }};  // dated clock
    // The end countdowns count clock seconds: a second the thread was blocked in still counts.
    SecondTimer Timer3{*this, "Timer3", [this](LocalMs) { endTick(0); }};     // end of net, slot 1
    SecondTimer Timer4{*this, "Timer4", [this](LocalMs) { endTick(1); }};     // end of net, slot 2
    SecondTimer Timer5{*this, "Timer5", [this](LocalMs) { endTick(2); }};     // end of net, slot 3
    SecondTimer Timer6{*this, "Timer6", [this](LocalMs) { endTick(3); }};     // end of net, slot 4
    SecondTimer Timer7{*this, "Timer7", [this](LocalMs) { Timer7_Timer(); }}; // end of the dated net
    Timer Timer15{*this, "Timer15", 60000, [this] { Timer15_Timer(); }}; // watchdog of the weekly nets

    // Any net of this window runs (its countdown is on or its station is watched).
    bool netRunning() const;

private:
    void declareLayout();
    std::vector<SettingKey> settingKeys();
    void loadSettings();

    nets::NetSet netSet();
    std::array<nets::NetSlot, 4> weeklySlots();
    nets::NetSlot datedSlot();

    void Timer2_Timer(LocalMs second);
    void Timer1_Timer(LocalMs second);
    void Timer7_Timer();
    void Timer15_Timer();
    void endTick(int slot);
    void unloadIfClosedAndIdle();

    bool closePending_ = false;   // closed while a net ran: unloaded once the last one has ended
};
