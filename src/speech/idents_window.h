#pragma once
// Form3: the idents window. It holds the station's only voice (live speech through a one-slot
// queue, and speech rendered to a WAV file for the player), the voice and CW idents, the time
// and information announcements, the transmitter control lines and fan, and the link-control
// settings that share its settings file identabc.ini.
#include <array>
#include <map>
#include <string>

#include "core/form.h"
#include "core/settings_binding.h"
#include "echolink/raised_lines.h"

class Form3 : public Form {
public:
    explicit Form3(FormHost& host);
    void load() override;
    void SaveData() override;
    void closeRequest() override;   // the quit prompt

    static constexpr const char* kSettingsFile = "identabc.ini";
    static constexpr const char* kDefaultWavFile = "C:\\Program Files\\Marovane\\Text_To_Wav.wav";
    static constexpr const char* kReceiving = "Receiving Signal";
    static constexpr const char* kNotReceiving = "      ";   // six blanks

    // ---- public variables (speech queue and friends)
    int ferrin = 0;          // set by every path that hands a speech file to the player; nothing reads it
    int flag2 = 0;           // 1: a text waits in the speech queue
    int flag3 = 0;           // arming latch of SayEndOfFile
    int flagtime = 0;        // 1: the next speech delay is skipped
    int i = 0;               // CW idents since the last long one
    int StopTTS = 0;         // speech hold
    int HowLongSec = 0;
    std::string TempCall;    // the last station that connected
    std::string SayTheText;  // the speech queue's one slot
    int InUse = 0;           // 1 while an Internet station's audio is on
    std::string TempHold;
    std::string TempText;    // text that this window's own TestTTW speaks

    // ---- speech engine and speech queue
    void SpeakTheText();
    // Whether this window's last speech had the transmitter keyed in the clock second that begins
    // at `second`: a second handed over late, after the speech, still knows it was on the air.
    bool spokeOnAirIn(LocalMs second) const;
    void SleepTTS();
    void SpeechDelay();
    void EchoLink_RX(bool bRX);
    Slider VoiceSpeed{*this, "VoiceSpeed", -5, 5, 0};
    Label Label6{*this, "Label6", "0"};
    Slider VolLev{*this, "VolLev", 0, 100, 100};
    Label Label13{*this, "Label13", "100"};
    TextBox TTSVolSet{*this, "TTSVolSet"};
    Slider V1{*this, "V1", -3000, 0, 0};   // transmit volume of speech files, 1/100 dB
    Label Label29{*this, "Label29", "0"};
    TextBox VolSet{*this, "VolSet", "0"};
    CheckBox TTSCTRL{*this, "TTSCTRL", "Use TTS Delay"};
    TextBox TTSPeriod{*this, "TTSPeriod"};
    CheckBox Check1{*this, "Check1", "Disable Announcements / CW Ident"};
    TextBox Text1{*this, "Text1", "Testing the voice settings"};
    CommandButton Command2{*this, "Command2", "Test TTS"};
    Label PTT{*this, "PTT", "PTT OFF"};
    Label PTT2{*this, "PTT2"};             // "Receiving Signal" or six blanks
    Timer Timer7{*this, "Timer7", 20000, [this] { Timer7_Timer(); }, false};
    void Timer7_Timer();

    // ---- text to WAV and speak-now
    void SaveToWav();
    void TestTTW();
    void SayEndOfFile();
    // Whether `path` is the speech file left from an earlier text: the last rendering could
    // neither remove it nor write it anew (a read-only folder), so it must never go on the air.
    bool holdsEarlierSpeech(const std::string& path) const;
    TextBox TextField{*this, "TextField"};
    TextBox wavfile{*this, "wavfile"};
    CommandButton Command17{*this, "Command17", "Default"};
    CommandButton Command1{*this, "Command1", "Test TTW"};

    // ---- voice and CW idents
    TextBox Callsign{*this, "Callsign"};
    TextBox BeaconPeriod6{*this, "BeaconPeriod6"};
    CheckBox StopClock6{*this, "StopClock6", "Use"};
    Label BeaconSeconds6{*this, "BeaconSeconds6", "0"};
    CommandButton SayCall{*this, "SayCall", "Say Call Now"};
    CheckBox IDCheck{*this, "IDCheck", "If Link Idle "};
    TextBox VoicePeriod{*this, "VoicePeriod"};
    Label IDSeconds{*this, "IDSeconds", "0"};
    TextBox CWCallsign{*this, "CWCallsign"};
    TextBox CWCallsignLong{*this, "CWCallsignLong"};
    CheckBox UseLongCheck{*this, "UseLongCheck", "Use Long id"};
    TextBox LongID{*this, "LongID"};
    CheckBox StopClock7{*this, "StopClock7", "Use CW Ident"};
    TextBox BeaconPeriod7{*this, "BeaconPeriod7"};
    Label BeaconSeconds7{*this, "BeaconSeconds7", "0"};
    CommandButton SendCW{*this, "SendCW", "Send ID"};
    CheckBox Check6{*this, "Check6", "Allow CW Ident Only During Disable"};
    std::string CWIdentPending = "0";
    // The idle watch takes a second before the idents that fall due in it (ties go in creation
    // order): the ident it lets out in that second is not yet on the air when it looks.
    Timer IDTimer{*this, "IDTimer", 1000, [this] { IDTimer_Timer(); }};
    Timer Beacon6{*this, "Beacon6", 1000, [this] { Beacon6_Timer(); }};
    Timer Beacon7{*this, "Beacon7", 1000, [this] { Beacon7_Timer(); }};
    void Beacon6_Timer();
    void Beacon7_Timer();
    void IDTimer_Timer();
    void SendCWIdent();

    // ---- time announcements
    struct TimeParts {
        std::string hour12, minutes, designator;
    };
    TimeParts takeTimeParts() const;
    std::string TimePhrase(const TimeParts& parts) const;
    void TheTimeBit();
    void announceTime(const TimeParts& parts, const std::string& clockText);   // the clock's automatic step
    CheckBox OnHour{*this, "OnHour", "On The Hour"};
    CheckBox QuarterHour{*this, "QuarterHour", "Quarter"};
    CheckBox HalfHour{*this, "HalfHour", "Half"};
    OptionButton Option1{*this, "Option1", "clock", "12 Hr", true};
    OptionButton Option2{*this, "Option2", "clock", "24 Hr"};
    CheckBox Check3{*this, "Check3", "Use Preamble"};
    CommandButton TheTime{*this, "TheTime", "Say the Time"};

    // ---- information announcements and receive indicator
    SecondTimer Timer1{*this, "Timer1", [this](LocalMs s) { Timer1_Timer(s); }};
    Timer Beacon1{*this, "Beacon1", 1000, [this] { Beacon1_Timer(); }};
    void Timer1_Timer(LocalMs second);
    void announceAndGreet(const TimeParts& parts, const std::string& clockText);
    void Beacon1_Timer();
    void BeaconPeriod1_Change();
    void SpeakInfo_Click();
    Label ShowTime{*this, "ShowTime", "00:00:00"};
    CheckBox InfoHourly{*this, "InfoHourly", "On The Hour"};
    CheckBox InfoQuarter{*this, "InfoQuarter", "Quarter"};
    CheckBox InfoHalf{*this, "InfoHalf", "Half"};
    TextBox PlusSeconds{*this, "PlusSeconds", "15"};
    Label Label20{*this, "Label20", "15"};
    Label Label21{*this, "Label21", " Example  01 or 07"};
    OptionButton Option3{*this, "Option3", "beaconset", "Set 1", true};
    OptionButton Option4{*this, "Option4", "beaconset", "Set 2"};
    CommandButton SpeakInfo{*this, "SpeakInfo", "Beacon Setup"};
    TextBox BeaconPeriod1{*this, "BeaconPeriod1"};
    CheckBox StopClock1{*this, "StopClock1", "TX Beacon Every"};
    Label BeaconSeconds1{*this, "BeaconSeconds1", "15"};

    // ---- transmitter control lines and fan
    void FanOn();
    // Paints PTT from EchoLink's report at once (its 100 ms timer repaints it too); true when keyed.
    bool showTransmitState();
    OptionButton RTS{*this, "RTS", "pttline", "Use RTS", true};
    OptionButton DTR{*this, "DTR", "pttline", "Use DTR"};
    CheckBox Check5{*this, "Check5", "Enable Duplex"};
    Label Label43{*this, "Label43"};
    Label Label44{*this, "Label44", "This will put RTS on when a signal is received"};
    CheckBox FanCTRL{*this, "FanCTRL", "Use Fan Control"};
    OptionButton UseDTR{*this, "UseDTR", "ctlline", "Use DTR", true};
    OptionButton UseRTS{*this, "UseRTS", "ctlline", "Use RTS"};
    TextBox FanPeriod{*this, "FanPeriod"};
    CheckBox DelayCTRL{*this, "DelayCTRL", "Use Start Delay"};
    TextBox DelayPeriod{*this, "DelayPeriod"};
    CheckBox FanCTRL2{*this, "FanCTRL2", "Use Alternate CTRL"};
    CheckBox Check4{*this, "Check4", "Permanent On"};
    CheckBox UseFanMessage{*this, "UseFanMessage", "Use Message", 1};
    TextBox FanOnMessage{*this, "FanOnMessage"};
    TextBox FanOffMessage{*this, "FanOffMessage"};
    TextBox Text6{*this, "Text6"};   // spoken when DTMF turns "Permanent On" on
    TextBox Text7{*this, "Text7"};   // ... and off
    Label FanSeconds{*this, "FanSeconds", "0"};
    Label DelaySeconds{*this, "DelaySeconds", "10"};
    Label FanOnOff{*this, "FanOnOff", "Fan OFF"};
    Timer Timer8{*this, "Timer8", 100, [this] { Timer8_Timer(); }};
    Timer Timer4{*this, "Timer4", 100, [this] { Timer4_Timer(); }};
    Timer Timer6{*this, "Timer6", 1000, [this] { Timer6_Timer(); }};
    Timer Fan{*this, "Fan", 1000, [this] { Fan_Timer(); }, false};
    Timer FanDelay{*this, "FanDelay", 1000, [this] { FanDelay_Timer(); }, false};
    void Timer8_Timer();
    // Raises the PTT line while local RF is received with duplex ticked; lowers it after.
    void keepDuplexKeying();
    // Hands the PTT line choice to the courtesy window and forces the control line to the other one.
    void publishPttLine();
    void Timer4_Timer();
    void Timer6_Timer();
    void Fan_Timer();
    void FanDelay_Timer();

    // ---- link control: stay-connected stations and the timed connection
    TextBox ConnectStation1{*this, "ConnectStation1"};
    TextBox ConnectStation2{*this, "ConnectStation2"};
    TextBox ConnectStation3{*this, "ConnectStation3"};
    TextBox ConnectStation4{*this, "ConnectStation4"};
    CheckBox StayCon1{*this, "StayCon1", "Stay Con"};
    CheckBox StayCon2{*this, "StayCon2", "Stay Con"};
    CheckBox StayCon3{*this, "StayCon3", "Stay Con"};
    CheckBox StayCon4{*this, "StayCon4", "Stay Con"};
    CommandButton Connect1{*this, "Connect1", "Con/Disc"};
    CommandButton Command3{*this, "Command3", "Con/Disc"};
    CommandButton Command9{*this, "Command9", "Con/Disc"};
    CommandButton Command8{*this, "Command8", "Con/Disc"};
    TextBox ConnectStationx{*this, "ConnectStationx"};
    TextBox BeaconPeriodx{*this, "BeaconPeriodx", "5"};
    CheckBox StopClockx{*this, "StopClockx", "Stay Con"};
    Label BeaconSecondsx{*this, "BeaconSecondsx", "10"};
    CommandButton Command15{*this, "Command15", "Con/Disc"};
    // The timed connection starts its countdown again (a disconnect of its station, the end of
    // a news bulletin); nothing happens while it is switched off.
    void RearmTimedConnection();
    void BeaconPeriodx_Change();

    // ---- link control: connect and disconnect notices, call history, connect bell
    static constexpr int kCallHistoryLines = 200;   // the newest calls the history keeps
    void Echolink_connected(const std::string& sCallConnected, const std::string& sName, const std::string& sAddr);
    void Echolink_Disconnected(const std::string& sCall);
    void SplitCall();
    TextBox Text2{*this, "Text2"};   // connect bell audio file
    CheckBox ConnectBellCheck{*this, "ConnectBellCheck", "Play Bell When a Station Connects to Your Node"};
    CommandButton Command12{*this, "Command12", "File"};
    CommandButton Command13{*this, "Command13", "Test"};
    CheckBox ConDisc{*this, "ConDisc", "Station Con/Dis"};
    CheckBox AddTime{*this, "AddTime", "Add the time"};
    TextBox CallHistory{*this, "CallHistory"};   // multi-line; one line a connect, oldest first
    CommandButton Command5{*this, "Command5", "Clear"};

    // ---- link control: DTMF codes of the window
    void EchoLink_DTMFString(const std::string& sDigits);
    TextBox Text3{*this, "Text3"};   // DTMF: alternate control on
    TextBox Text4{*this, "Text4"};   // DTMF: alternate control off
    TextBox Text5{*this, "Text5"};   // DTMF: toggle "Permanent On"
    TextBox Text8{*this, "Text8"};   // DTMF: toggle StopClockx
    TextBox DTMF{*this, "DTMF"};     // DTMF: say the local time
    CheckBox UseDTMF{*this, "UseDTMF", "Use"};
    TextBox AnnounceOff{*this, "AnnounceOff"};
    TextBox AnnounceOn{*this, "AnnounceOn"};
    CheckBox SayText{*this, "SayText", "Text Messages"};
    TextBox ToggleText{*this, "ToggleText"};
    TextBox EnableAutoConnect{*this, "EnableAutoConnect"};
    TextBox DisableAutoConnect{*this, "DisableAutoConnect"};

    // ---- link control: announcement-silence scheduler
    void SilenceOn();
    void SilenceOFF();
    int Today = 0;   // weekday of the last scheduler tick, 1 = Sunday
    CheckBox Check7{*this, "Check7", "Enable / Disable Link"};
    CheckBox Check2{*this, "Check2", "Warn About Silence Mode"};
    CheckBox Sun{*this, "Sun", "Sun"}, Mon{*this, "Mon", "Mon"}, Tue{*this, "Tue", "Tue"}, Wed{*this, "Wed", "Wed"},
        Thur{*this, "Thur", "Thur"}, Fri{*this, "Fri", "Fri"}, Sat{*this, "Sat", "Sat"};
    TextBox HourOFF1{*this, "HourOFF1", "24"}, MinsOFF1{*this, "MinsOFF1", "00"}, HourON1b{*this, "HourON1b", "24"},
        MinsON1b{*this, "MinsON1b", "00"};
    CheckBox Sun2{*this, "Sun2", "Sun"}, Mon2{*this, "Mon2", "Mon"}, Tue2{*this, "Tue2", "Tue"},
        Wed2{*this, "Wed2", "Wed"}, Thur2{*this, "Thur2", "Thur"}, Fri2{*this, "Fri2", "Fri"}, Sat2{*this, "Sat2", "Sat"};
    TextBox HourOFF2{*this, "HourOFF2", "24"}, MinsOFF2{*this, "MinsOFF2", "00"}, HourON2b{*this, "HourON2b", "24"},
        MinsON2b{*this, "MinsON2b", "00"};
    CheckBox Sun3{*this, "Sun3", "Sun"}, Mon3{*this, "Mon3", "Mon"}, Tue3{*this, "Tue3", "Tue"},
        Wed3{*this, "Wed3", "Wed"}, Thur3{*this, "Thur3", "Thur"}, Fri3{*this, "Fri3", "Fri"}, Sat3{*this, "Sat3", "Sat"};
    TextBox HourOFF3{*this, "HourOFF3", "24"}, MinsOFF3{*this, "MinsOFF3", "00"}, HourON3b{*this, "HourON3b", "24"},
        MinsON3b{*this, "MinsON3b", "00"};
    Label ShowTime2{*this, "ShowTime2", "00:00:00"};
    Timer Timer2{*this, "Timer2", 60000, [this] { Timer2_Timer(); }};
    Timer Timer3{*this, "Timer3", 1000, [this] { Timer3_Timer(); }};
    SecondTimer Timer5{*this, "Timer5", [this](LocalMs s) { Timer5_Timer(s); }};
    Timer Timer9{*this, "Timer9", 5000, [this] { Timer9_Timer(); }, false};
    void Timer2_Timer();
    void Timer3_Timer();
    void Timer5_Timer(LocalMs second);
    void Timer9_Timer();
    void wireLinkControl();       // change handlers and buttons of the link-control boxes, before the settings load
    void connectLinkControlEvents();   // DTMFString, connected, Disconnected

    // ---- window buttons
    CommandButton SaveDataNow{*this, "SaveDataNow", "Save  Changes"};
    CommandButton Command6{*this, "Command6", "Save  Changes"};
    CommandButton Command14{*this, "Command14", "Save  Changes"};
    CommandButton Command11{*this, "Command11", "Save Changes"};
    CommandButton Exit{*this, "Exit", "Hide"};
    CommandButton Command4{*this, "Command4", "Hide"};
    CommandButton Command7{*this, "Command7", "Hide"};
    CommandButton Command10{*this, "Command10", "Hide"};
    CommandButton Command16{*this, "Command16", "Hide"};

    void EchoLink_Closing();
    // On EchoLink's closing: the transmitter and both control lines go free.
    void closingDuties() override;

private:
    void declareLayout();
    void wireSpeech();
    void wireSpeakNow();
    void wireIdents();
    void wireAnnouncements();
    void wireControlLines();
    void loadSettings();
    // The path boxes as stored and as shown, so SaveData keeps the stored form.
    std::map<const Control*, StoredPath> storedPaths_;
    void keepSysopStayConnected(SettingsFile& ini);
    bool linkActive();              // Activity, ReceivingSignal or CarrierDetected
    bool linkActiveOrKeyed();       // ... or PTT "PTT ON"
    void handToPlayer(bool withVolume);
    std::string earlierSpeechFile_;   // the speech file while it holds no speech of the last text
    void raiseControlLine();
    bool playerHasTimeLeft();
    void keyForSpeech();
    LocalMs speechKeyedFrom_ = 0;    // the last speech with the key down, in local time
    LocalMs speechKeyedUntil_ = -1;
    SerialLine pttLine() const;
    void endAlternateControl();
    // link control
    bool bulletinFilePlaying();
    void conDisc(const TextBox& station);
    void stayConnectedCheck(CheckBox& stay, const TextBox& station);
    void speakNotice(const std::string& notice);
    void announceStation(const std::string& call, bool connecting);
    void appendToCallHistory(const std::string& line);
    void sendBell();
    void chooseBellFile();
    void toggleWithReply(CheckBox& box, const std::string& enabled, const std::string& disabled);
    void scheduleTick(const std::array<CheckBox*, 7>& days, const TextBox& hourOff, const TextBox& minsOff,
                      const TextBox& hourOn, const TextBox& minsOn, const std::string& secondsPart,
                      const std::string& clockText);
    template <class F>
    void orLog(const std::string& what, F&& f);
};
