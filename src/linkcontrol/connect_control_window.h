#pragma once
// Form4: DTMF / connect control, hosts net set 1.
//
// Listeners run the node from a DTMF keypad here (connect, disconnect, a timed connection,
// restart, close down); the window also disconnects on a daily schedule and when the link is idle,
// keeps the node's busy listing, and carries the four weekly nets of set 1. Everything it stores
// lives in its controls and goes to dtmfctrl.ini.
#include <array>
#include <exception>
#include <functional>
#include <set>
#include <string>
#include <vector>

#include "core/form.h"
#include "core/settings_table.h"
#include "core/step.h"
#include "nets/net_session.h"
#include "nets/net_slot.h"

class Form4 : public Form {
public:
    explicit Form4(FormHost& host);

    void load() override;
    void SaveData() override;
    // The operator closes the frame: ask before ending the whole program.
    void closeRequest() override;

    static constexpr const char* kSettingsFile = "dtmfctrl.ini";
    static constexpr const char* kCaptionSuffix = "   DTMFctrl and Nets";
    static constexpr const char* kFixedTimedConnectCode = "7093";
    static constexpr const char* kTestStation = "*ECHOTEST*";

    std::string ListBusy = "0";            // "1" while this window (or a net) listed the node busy
    std::string Auto1, Auto2;              // the idents window's StayCon1/2 saved while a net runs
    nets::NetSession netSession;           // what the running nets of both sets share

    // ---- layout
    TabStrip SSTab1{*this, "SSTab1"};
    TabPage TabDtmfControl{SSTab1, "TabDtmfControl", "DTMF Control"};
    TabPage TabNetScheduler{SSTab1, "TabNetScheduler", "Net Scheduler"};
    TabPage TabScheduler{SSTab1, "TabScheduler", "Scheduler"};
    TabPage TabReStart{SSTab1, "TabReStart", "Re-Start"};
    Frame FrameGroup1{*this, "FrameGroup1", "Group 1", &TabDtmfControl};
    Frame FrameGroup2{*this, "FrameGroup2", "Group 2", &TabDtmfControl};
    Frame FrameSingles{*this, "FrameSingles", "Singles", &TabDtmfControl};
    Frame FrameDtmfUse{*this, "FrameDtmfUse", " DTMF    Disconnect all function     DTMF Disconnect   Last Call",
                       &TabDtmfControl};
    Frame FrameDtmfDelay{*this, "FrameDtmfDelay", "The 1st seconds of TX dont allow DTMF Con/Disc",
                         &TabDtmfControl};
    Frame FrameTimedConnect{*this, "FrameTimedConnect", "Timed Connect", &TabDtmfControl};
    Frame FrameNet1{*this, "FrameNet1", "Net Scheduler 1 --  15 seconds after allotted time to allow for beacons",
                    &TabNetScheduler};
    Frame FrameNet2{*this, "FrameNet2", "Net Scheduler 2 --  15 seconds after allotted time to allow for beacons",
                    &TabNetScheduler};
    Frame FrameNet3{*this, "FrameNet3", "Net Scheduler 3 --  15 seconds after allotted time to allow for beacons",
                    &TabNetScheduler};
    Frame FrameNet4{*this, "FrameNet4", "Net Scheduler 4 --  15 seconds after allotted time to allow for beacons",
                    &TabNetScheduler};
    Frame FrameDaily{*this, "FrameDaily", "Daily Scheduled Connect / Disconnect         (15 seconds delay)",
                     &TabScheduler};
    Frame FrameIdle{*this, "FrameIdle", "Disconnect ALL From The Link", &TabScheduler};
    Frame FrameCloseDown{*this, "FrameCloseDown", "EchoLink and Marovane Close Down", &TabReStart};

    // ---- DTMF command codes (compared exactly as typed)
    TextBox StopPlayer{*this, "StopPlayer", "", &TabScheduler};
    TextBox ReStart{*this, "ReStart", "", &TabReStart};
    TextBox CloseDown{*this, "CloseDown", "", &FrameCloseDown};
    TextBox Text111{*this, "Text111", "73", &FrameDtmfUse};     // disconnect all
    TextBox Text555{*this, "Text555", "", &FrameDtmfUse};       // disconnect the last station that connected
    TextBox Text222{*this, "Text222", "", &FrameDtmfUse};       // enable DTMF use
    TextBox Text333{*this, "Text333", "", &FrameDtmfUse};       // disable DTMF use

    // ---- DTMF use switch
    CheckBox Check1{*this, "Check1", "Enable DTMF Use", 1, &FrameDtmfUse};
    TextBox BeaconPeriod{*this, "BeaconPeriod", "1", &FrameDtmfUse};      // re-enable minutes
    Label BeaconSeconds{*this, "BeaconSeconds", "60", &FrameDtmfUse};
    TextBox LastConnected{*this, "LastConnected", "", &FrameDtmfUse};

    // ---- DTMF delay
    CheckBox UseDTMFDelay{*this, "UseDTMFDelay", "Use Delay", 0, &FrameDtmfDelay};
    TextBox DTMFDelaySeconds{*this, "DTMFDelaySeconds", "5", &FrameDtmfDelay};
    Label DTMFDelayPeriod{*this, "DTMFDelayPeriod", "5", &FrameDtmfDelay};
    Label PTT3{*this, "PTT3", "", &FrameDtmfDelay};
    TextBox Text1111{*this, "Text1111", "", &FrameDtmfDelay};   // delay on
    TextBox Text2222{*this, "Text2222", "", &FrameDtmfDelay};   // delay off

    // ---- timed connection
    TextBox Text1x{*this, "Text1x", kTestStation, &FrameTimedConnect};
    TextBox Text2x{*this, "Text2x", "", &FrameTimedConnect};    // start code
    CommandButton Command23{*this, "Command23", "Command6", &FrameTimedConnect};
    TextBox DelayPeriod{*this, "DelayPeriod", "5", &FrameTimedConnect};
    TextBox Text3x{*this, "Text3x", "", &FrameTimedConnect};    // stop code
    CommandButton Command24{*this, "Command24", "Command6", &FrameTimedConnect};
    CheckBox DelayCTRL{*this, "DelayCTRL", "Delay in Use", 0, &FrameTimedConnect};
    Label DelaySeconds{*this, "DelaySeconds", "300", &FrameTimedConnect};
    CheckBox Check10{*this, "Check10", "Disconnect All ", 0, &FrameTimedConnect};
    Label Label49{*this, "Label49", "Disconnect All Active", &FrameTimedConnect};
    CheckBox Check12{*this, "Check12", "Show Busy when used", 0, &FrameTimedConnect};

    // ---- groups and singles
    TextBox GroupCall1{*this, "GroupCall1", "", &FrameGroup1};
    TextBox GroupCall2{*this, "GroupCall2", "", &FrameGroup1};
    TextBox GroupCall3{*this, "GroupCall3", "", &FrameGroup1};
    TextBox DTMFGroup1Connect{*this, "DTMFGroup1Connect", "", &FrameGroup1};
    TextBox DTMFGroup1Disc{*this, "DTMFGroup1Disc", "", &FrameGroup1};
    CommandButton Command3{*this, "Command3", "", &FrameGroup1};
    CommandButton Command4{*this, "Command4", "", &FrameGroup1};
    TextBox GroupCall4{*this, "GroupCall4", "", &FrameGroup2};
    TextBox GroupCall5{*this, "GroupCall5", "", &FrameGroup2};
    TextBox GroupCall6{*this, "GroupCall6", "", &FrameGroup2};
    TextBox DTMFGroup2Connect{*this, "DTMFGroup2Connect", "", &FrameGroup2};
    TextBox DTMFGroup2Disc{*this, "DTMFGroup2Disc", "", &FrameGroup2};
    CommandButton Command5{*this, "Command5", "", &FrameGroup2};
    CommandButton Command6{*this, "Command6", "", &FrameGroup2};
    TextBox Call1{*this, "Call1", "", &FrameSingles};
    TextBox DTMF1{*this, "DTMF1", "", &FrameSingles};
    CommandButton Command7{*this, "Command7", "", &FrameSingles};
    TextBox Call2{*this, "Call2", "", &FrameSingles};
    TextBox DTMF2{*this, "DTMF2", "", &FrameSingles};
    CommandButton Command8{*this, "Command8", "", &FrameSingles};
    TextBox Call3{*this, "Call3", "", &FrameSingles};
    TextBox DTMF3{*this, "DTMF3", "", &FrameSingles};
    CommandButton Command9{*this, "Command9", "", &FrameSingles};
    TextBox Call4{*this, "Call4", "", &FrameSingles};
    TextBox DTMF4{*this, "DTMF4", "", &FrameSingles};
    CommandButton Command10{*this, "Command10", "", &FrameSingles};
    TextBox Call5{*this, "Call5", "", &FrameSingles};
    TextBox DTMF5{*this, "DTMF5", "", &FrameSingles};
    CommandButton Command11{*this, "Command11", "", &FrameSingles};
    TextBox Call6{*this, "Call6", "", &FrameSingles};
    TextBox DTMF6{*this, "DTMF6", "", &FrameSingles};
    CommandButton Command12{*this, "Command12", "", &FrameSingles};
    TextBox Call7{*this, "Call7", "", &FrameSingles};
    TextBox DTMF7{*this, "DTMF7", "", &FrameSingles};
    CommandButton Command13{*this, "Command13", "", &FrameSingles};
    TextBox Call8{*this, "Call8", "", &FrameSingles};
    TextBox DTMF8{*this, "DTMF8", "", &FrameSingles};
    CommandButton Command15{*this, "Command15", "", &FrameSingles};
    Label Label45{*this, "Label45", "", &TabDtmfControl};       // busy listing

    // ---- daily scheduled disconnect (first time) and connect (second time)
    TextBox Hour0{*this, "Hour0", "99", &FrameDaily};
    TextBox Mins0{*this, "Mins0", "99", &FrameDaily};
    CheckBox Check7{*this, "Check7", "List as Busy", 0, &FrameDaily};
    CheckBox Check5{*this, "Check5", "Disconnect All", 0, &FrameDaily};
    CheckBox Check8{*this, "Check8", "Disconnect Only", 0, &FrameDaily};
    TextBox Disconnect1{*this, "Disconnect1", "", &FrameDaily};
    TextBox Hour00{*this, "Hour00", "99", &FrameDaily};
    TextBox Mins00{*this, "Mins00", "99", &FrameDaily};
    CheckBox Check6{*this, "Check6", "Connect Station", 0, &FrameDaily};
    TextBox Connect1{*this, "Connect1", "", &FrameDaily};
    CheckBox Check9{*this, "Check9", "List as Available", 0, &FrameDaily};
    Label ShowTime2{*this, "ShowTime2", "00:00:00", &TabScheduler};
    Label Label43{*this, "Label43", "", &TabScheduler};         // busy listing

    // ---- idle disconnect
    CheckBox StopClock17{*this, "StopClock17", "Use", 0, &FrameIdle};
    TextBox BeaconPeriod17{*this, "BeaconPeriod17", "15", &FrameIdle};   // idle minutes
    Label BeaconSeconds17{*this, "BeaconSeconds17", "900", &FrameIdle};
    TextBox Text5{*this, "Text5", "", &FrameIdle};                        // home station
    CheckBox Check13{*this, "Check13", "Connect Station when ALL stations Disconnected", 0, &FrameIdle};
    CheckBox Check4{*this, "Check4", "If RF Busy dont disconnect", 0, &FrameIdle};
    Label HowManyConnected{*this, "HowManyConnected", "0", &FrameIdle};

    // ---- buttons
    CommandButton Command21{*this, "Command21", "List as Busy", &TabScheduler};
    CommandButton Command22{*this, "Command22", "List as Not Busy", &TabScheduler};
    CommandButton Command1{*this, "Command1", "Profiles && Beacons", &TabScheduler};
    CommandButton Command25{*this, "Command25", "Net Scheduler Set 2", &TabNetScheduler};
    CommandButton Command18{*this, "Command18", "Listen Only  OFF", &TabNetScheduler};
    CommandButton Command14{*this, "Command14", "Save"};
    CommandButton Command16{*this, "Command16", "Hide"};

    // ---- weekly nets, set 1 (slot 1's controls carry no digit)
    CheckBox Sun{*this, "Sun", "Sun", 0, &FrameNet1};
    CheckBox Mon{*this, "Mon", "Mon", 0, &FrameNet1};
    CheckBox Tue{*this, "Tue", "Tue", 0, &FrameNet1};
    CheckBox Wed{*this, "Wed", "Wed", 0, &FrameNet1};
    CheckBox Thur{*this, "Thur", "Thur", 0, &FrameNet1};
    CheckBox Fri{*this, "Fri", "Fri", 0, &FrameNet1};
    CheckBox Sat{*this, "Sat", "Sat", 0, &FrameNet1};
    CheckBox DisconnectAll1{*this, "DisconnectAll1", "Disconnect All ", 0, &FrameNet1};
    CheckBox ShowBusy1{*this, "ShowBusy1", "Show Busy", 0, &FrameNet1};
    TextBox DiscMins1{*this, "DiscMins1", "1", &FrameNet1};
    CheckBox Check3{*this, "Check3", "Use", 0, &FrameNet1};
    Label DiscPeriod1{*this, "DiscPeriod1", "0", &FrameNet1};
    TextBox NetCall1{*this, "NetCall1", "", &FrameNet1};
    TextBox Hour{*this, "Hour", "24", &FrameNet1};
    TextBox Mins{*this, "Mins", "00", &FrameNet1};
    CheckBox Check14{*this, "Check14", "Stay Connected Durning Net", 0, &FrameNet1};
    CheckBox Check23{*this, "Check23", "Listen Only", 0, &FrameNet1};
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
    TextBox DiscMins2{*this, "DiscMins2", "1", &FrameNet2};
    CheckBox Check2{*this, "Check2", "Use", 0, &FrameNet2};
    Label DiscPeriod2{*this, "DiscPeriod2", "0", &FrameNet2};
    TextBox NetCall2{*this, "NetCall2", "", &FrameNet2};
    TextBox Hour2{*this, "Hour2", "24", &FrameNet2};
    TextBox Mins2{*this, "Mins2", "00", &FrameNet2};
    CheckBox Check16{*this, "Check16", "Stay Connected Durning Net", 0, &FrameNet2};
    CheckBox Check24{*this, "Check24", "Listen Only", 0, &FrameNet2};
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
    TextBox DiscMins3{*this, "DiscMins3", "1", &FrameNet3};
    CheckBox Check11{*this, "Check11", "Use", 0, &FrameNet3};
    Label DiscPeriod3{*this, "DiscPeriod3", "0", &FrameNet3};
    TextBox NetCall3{*this, "NetCall3", "", &FrameNet3};
    TextBox Hour3{*this, "Hour3", "24", &FrameNet3};
    TextBox Mins3{*this, "Mins3", "00", &FrameNet3};
    CheckBox Check18{*this, "Check18", "Stay Connected Durning Net", 0, &FrameNet3};
    CheckBox Check25{*this, "Check25", "Listen Only", 0, &FrameNet3};
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
    TextBox DiscMins4{*this, "DiscMins4", "1", &FrameNet4};
    CheckBox Check20{*this, "Check20", "Use", 0, &FrameNet4};
    Label DiscPeriod4{*this, "DiscPeriod4", "0", &FrameNet4};
    TextBox NetCall4{*this, "NetCall4", "", &FrameNet4};
    TextBox Hour4{*this, "Hour4", "24", &FrameNet4};
    TextBox Mins4{*this, "Mins4", "00", &FrameNet4};
    CheckBox Check21{*this, "Check21", "Stay Connected Durning Net", 0, &FrameNet4};
    CheckBox Check26{*this, "Check26", "Listen Only", 0, &FrameNet4};
    CheckBox Check22{*this, "Check22", "Check22", 0, &FrameNet4};

    CheckBox RFBusy{*this, "RFBusy", "If Local RF Busy Then No Auto Scheduler Connects", 0, &TabNetScheduler};
    Label ShowTime{*this, "ShowTime", "00:00:00", &TabNetScheduler};

    // ---- event handlers of the window's own EchoLink object
    void EchoLink_DTMFString(const std::string& sDigits);
    void Echolink_connected(const std::string& sCallConnected, const std::string& sName, const std::string& sAddr);
    void EchoLink_Closing();
    void closingDuties() override;

    // ---- timers (created in the order the window's ticks rely on)
    Timer Timer1{*this, "Timer1", 1000, [this] { Timer1_Timer(); }};          // DTMF use switch
    // The timed connection counts each second down before the clock's hold may reload it in that
    // second (ties go in creation order), so it ends a whole period after the last active second.
    SecondTimer Timer10{*this, "Timer10", [this](LocalMs) { Timer10_Timer(); }, false};  // timed connection
    SecondTimer Timer2{*this, "Timer2", [this](LocalMs s) { Timer2_Timer(s); }};  // one-second clock
    // The countdowns count clock seconds: a second the thread was blocked in still counts.
    SecondTimer Timer3{*this, "Timer3", nullptr};                            // end of net, slot 1
    SecondTimer Timer4{*this, "Timer4", nullptr};                            // end of net, slot 2
    SecondTimer Timer5{*this, "Timer5", nullptr};                            // end of net, slot 3
    SecondTimer Timer6{*this, "Timer6", nullptr};                            // end of net, slot 4
    Timer Timer15{*this, "Timer15", 60000, nullptr};                          // net watchdog
    Timer Timer8{*this, "Timer8", 500, [this] { Timer8_Timer(); }};           // daily connect / disconnect
    Timer Timer11{*this, "Timer11", 0, [this] { Timer11_Timer(); }, false};     // delayed busy listing
    Timer Timer12{*this, "Timer12", 0, [this] { Timer12_Timer(); }};            // delayed connect
    Timer Timer13{*this, "Timer13", 100, [this] { Timer13_Timer(); }};        // connected count, idle reset
    SecondTimer Timer14{*this, "Timer14", [this](LocalMs) { Timer14_Timer(); }};  // idle disconnect
    Timer Timer16{*this, "Timer16", 5000, [this] { Timer16_Timer(); }, false};  // close-down
    Timer DTMFDelay{*this, "DTMFDelay", 1000, [this] { DTMFDelay_Timer(); }};

private:
    void declareLayout();   // connect_control_layout.cpp
    // creation and settings (connect_control_settings.cpp)
    std::vector<SettingKey> settingKeys();
    void loadSettings();
    void wireChangeHandlers();
    void wireButtons();

    // DTMF commands (dtmf_commands.cpp)
    bool codeMatches(const TextBox& code, const std::string& digits) const;
    bool stationGateOpen() const;
    void stopPlayerCommand();
    void startTimedConnectionCommand();
    void stopTimedConnectionCommand();
    void restartCommand();
    void closeDownCommand();
    void disconnectLastCommand();
    void toggleStationByDtmf(const TextBox& callBox);
    void groupDisconnectByDtmf(const std::array<TextBox*, 3>& group);
    void groupConnectByDtmf(const std::array<TextBox*, 3>& group);

    // timed connection, DTMF use and delay, close-down (timed_connection.cpp)
    void Timer1_Timer();
    void Timer10_Timer();
    void Timer11_Timer();
    void Timer12_Timer();
    void Timer16_Timer();
    void DTMFDelay_Timer();
    void DelayPeriod_Change();
    void DTMFDelaySeconds_Change();
    void reloadTimedCountdown();
    void cancelTimedConnection();
    void reconnectStayConnectedStations();

    // daily, idle and last connected (daily_and_idle.cpp)
    void Timer8_Timer();
    void Timer13_Timer();
    void Timer14_Timer();
    void dailySchedule(LocalMs second);
    void dailyDisconnect();
    void dailyConnect();

    // buttons and boxes (buttons_and_boxes.cpp)
    void BeaconPeriod_Change();
    void BeaconPeriod17_Change();
    void DiscMinsChange(TextBox& minutes, Timer& endTimer, Label& seconds);
    void toggleStation(const TextBox& callBox, bool upperCased);
    void groupConnect(const std::array<TextBox*, 3>& group);
    void groupDisconnect(const std::array<TextBox*, 3>& group);
    void startTimedConnection();
    void stopTimedConnection();
    void listBusy(bool busy);
    void releaseAndEnd();

    // one-second clock (clock_tick.cpp); the nets add their start to the same tick
    void Timer2_Timer(LocalMs second);
    void holdTimedConnectionWhileActive(LocalMs second);
    void showDisconnectAllState();
    void startDueNets(LocalMs second);

    // net set 1 (src/nets/net_set1.cpp): end countdowns, watchdog, minutes rule
    void wireNets();
    nets::NetSet netSet();
    std::array<nets::NetSlot, 4> netSlots();

    bool timedEndPending_ = false;   // the timed connection's end failed and is tried again
};
