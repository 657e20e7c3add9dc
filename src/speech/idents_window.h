#pragma once
// Form3: the idents window: speech, idents, announcements, link control.
#include <string>

#include "core/form.h"

class Form3 : public Form {
public:
    explicit Form3(FormHost& host);

    // Speech queue (one entry) and speak-now.
    std::string SayTheText;
    int flag2 = 0;
    int StopTTS = 0;
    int flagtime = 0;
    int ferrin = 0;
    std::string TempText;
    std::string TempCall;                  // the last station that connected
    void SpeakTheText();
    void SleepTTS();
    void SaveToWav();
    void TestTTW();
    TextBox TTSCTRL{*this, "TTSCTRL"};
    TextBox TTSPeriod{*this, "TTSPeriod"};
    TextBox TextField{*this, "TextField"};
    TextBox wavfile{*this, "wavfile"};
    TextBox VolSet{*this, "VolSet", "0"};
    Slider V1{*this, "V1", -3000, 0, 0};   // main volume
    Label PTT{*this, "PTT", "PTT OFF"};
    Label PTT2{*this, "PTT2"};             // "Receiving Signal" while the local receiver hears a signal
    CheckBox Check1{*this, "Check1", "Disable Announcements / CW Ident"};
    OptionButton Option1{*this, "Option1", "clock", "12 Hr"};
    OptionButton Option2{*this, "Option2", "clock", "24 Hr", true};
    OptionButton Option3{*this, "Option3", "beaconset", "Set 1", true};
    OptionButton Option4{*this, "Option4", "beaconset", "Set 2"};
    CheckBox StayCon1{*this, "StayCon1"};
    CheckBox StayCon2{*this, "StayCon2"};
    CheckBox StayCon3{*this, "StayCon3"};
    CheckBox StayCon4{*this, "StayCon4"};
    TextBox ConnectStation1{*this, "ConnectStation1"};
    TextBox ConnectStation2{*this, "ConnectStation2"};
    TextBox ConnectStation3{*this, "ConnectStation3"};
    TextBox ConnectStation4{*this, "ConnectStation4"};
    TextBox SayText{*this, "SayText"};
    TextBox ToggleText{*this, "ToggleText"};
    Timer Beacon1{*this, "Beacon1", 0, nullptr, false};
    Timer Timer1{*this, "Timer1", 0, nullptr, false};
    Timer Timer3{*this, "Timer3", 0, nullptr, false};
    Timer Beacon6{*this, "Beacon6", 0, nullptr, false};
    Timer Beacon7{*this, "Beacon7", 0, nullptr, false};
};
