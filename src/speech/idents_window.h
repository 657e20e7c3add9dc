#pragma once
// Form3: the idents window. It holds the station's only voice (live speech through a one-slot
// queue, and speech rendered to a WAV file for the player), the voice and CW idents, the time
// and information announcements, the transmitter control lines and fan, and the link-control
// settings that share its settings file identabc.ini.
#include <string>

#include "core/form.h"

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
    Timer Beacon6{*this, "Beacon6", 1000, [this] { Beacon6_Timer(); }};
    Timer Beacon7{*this, "Beacon7", 1000, [this] { Beacon7_Timer(); }};
    Timer IDTimer{*this, "IDTimer", 1000, [this] { IDTimer_Timer(); }};
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
    void announceTime(const TimeParts& parts);   // the clock's automatic step
    CheckBox OnHour{*this, "OnHour", "On The Hour"};
    CheckBox QuarterHour{*this, "QuarterHour", "Quarter"};
    CheckBox HalfHour{*this, "HalfHour", "Half"};
    OptionButton Option1{*this, "Option1", "clock", "12 Hr", true};
    OptionButton Option2{*this, "Option2", "clock", "24 Hr"};
    CheckBox Check3{*this, "Check3", "Use Preamble"};
    CommandButton TheTime{*this, "TheTime", "Say the Time"};

    // ---- information announcements and receive indicator
    Timer Timer1{*this, "Timer1", 1000, [this] { Timer1_Timer(); }};
    Timer Beacon1{*this, "Beacon1", 1000, [this] { Beacon1_Timer(); }};
    void Timer1_Timer();
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
    void Timer4_Timer();
    void Timer6_Timer();
    void Fan_Timer();
    void FanDelay_Timer();

    // ---- link control (stored here; behaviour in the link-control subsystem)
    TextBox ConnectStation1{*this, "ConnectStation1"};
    TextBox ConnectStation2{*this, "ConnectStation2"};
    TextBox ConnectStation3{*this, "ConnectStation3"};
    TextBox ConnectStation4{*this, "ConnectStation4"};
    CheckBox StayCon1{*this, "StayCon1", "Stay Con"};
    CheckBox StayCon2{*this, "StayCon2", "Stay Con"};
    CheckBox StayCon3{*this, "StayCon3", "Stay Con"};
    CheckBox StayCon4{*this, "StayCon4", "Stay Con"};
    TextBox ConnectStationx{*this, "ConnectStationx"};
    TextBox BeaconPeriodx{*this, "BeaconPeriodx"};
    CheckBox StopClockx{*this, "StopClockx", "Stay Con"};
    Label BeaconSecondsx{*this, "BeaconSecondsx", "0"};
    TextBox Text2{*this, "Text2"};   // connect bell audio file
    CheckBox ConnectBellCheck{*this, "ConnectBellCheck", "Play Bell When a Station Connects to Your Node"};
    CheckBox ConDisc{*this, "ConDisc", "Station Con/Dis"};
    CheckBox AddTime{*this, "AddTime", "Add the time"};
    ListBox CallHistory{*this, "CallHistory"};
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
    CheckBox Check7{*this, "Check7", "Enable / Disable Link"};
    CheckBox Check2{*this, "Check2", "Warn About Silence Mode"};
    CheckBox Sun{*this, "Sun"}, Mon{*this, "Mon"}, Tue{*this, "Tue"}, Wed{*this, "Wed"}, Thur{*this, "Thur"},
        Fri{*this, "Fri"}, Sat{*this, "Sat"};
    TextBox HourOFF1{*this, "HourOFF1"}, MinsOFF1{*this, "MinsOFF1"}, HourON1b{*this, "HourON1b"},
        MinsON1b{*this, "MinsON1b"};
    CheckBox Sun2{*this, "Sun2"}, Mon2{*this, "Mon2"}, Tue2{*this, "Tue2"}, Wed2{*this, "Wed2"},
        Thur2{*this, "Thur2"}, Fri2{*this, "Fri2"}, Sat2{*this, "Sat2"};
    TextBox HourOFF2{*this, "HourOFF2"}, MinsOFF2{*this, "MinsOFF2"}, HourON2b{*this, "HourON2b"},
        MinsON2b{*this, "MinsON2b"};
    CheckBox Sun3{*this, "Sun3"}, Mon3{*this, "Mon3"}, Tue3{*this, "Tue3"}, Wed3{*this, "Wed3"},
        Thur3{*this, "Thur3"}, Fri3{*this, "Fri3"}, Sat3{*this, "Sat3"};
    TextBox HourOFF3{*this, "HourOFF3"}, MinsOFF3{*this, "MinsOFF3"}, HourON3b{*this, "HourON3b"},
        MinsON3b{*this, "MinsON3b"};
    Label ShowTime2{*this, "ShowTime2"};
    Timer Timer2{*this, "Timer2", 60000, [this] { Timer2_Timer(); }};
    Timer Timer3{*this, "Timer3", 1000, [this] { Timer3_Timer(); }};
    Timer Timer5{*this, "Timer5", 1000, [this] { Timer5_Timer(); }};
    Timer Timer9{*this, "Timer9", 5000, [this] { Timer9_Timer(); }, false};
    void Timer2_Timer();
    void Timer3_Timer();
    void Timer5_Timer();
    void Timer9_Timer();
    void wireLinkControl();       // change handlers of the link-control boxes, before the settings load
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
    void wireSpeech();
    void wireSpeakNow();
    void wireIdents();
    void wireAnnouncements();
    void wireControlLines();
    void loadSettings();
    bool linkActive();              // Activity, ReceivingSignal or CarrierDetected
    bool linkActiveOrKeyed();       // ... or PTT "PTT ON"
    void handToPlayer(bool withVolume);
    void setControlLine(bool on);
    void endAlternateControl();
    enum class Line { None, RTS, DTR };
    Line duplexLine_ = Line::None;  // the PTT line raised for duplex keying
};
