#pragma once
// Form22: the courtesy window. After every Internet or local RF over it sends a courtesy letter
// or tone, with hang time and anti-kerchunker; it publishes the node's receive state and, in
// repeater mode, keeps the PTT line up while local RF is received.
#include <string>

#include "core/form.h"
#include "core/settings_binding.h"

class Form22 : public Form {
public:
    explicit Form22(FormHost& host);
    void load() override;
    void SaveData() override;
    void closeRequest() override;

    static constexpr const char* kSettingsFile = "mvcourtesy.ini";
    static constexpr const char* kReceivingRF = "Receiving  RF";
    static constexpr const char* kStandby = "RX  Standby";
    static constexpr const char* kInternetOn = "IP  TX  ON";
    static constexpr const char* kInternetOff = "IP  TX  OFF";

    // ---- state others read as text
    TextBox RFUser{*this, "RFUser", kStandby};
    TextBox PTT1{*this, "PTT1", kInternetOff};
    TextBox Kerchunk{*this, "Kerchunk", "Kerchunker Set"};
    Label HowManyConnected{*this, "HowManyConnected", "0"};
    Label OK2Kerchunk{*this, "OK2Kerchunk", "No"};
    Label PTT{*this, "PTT", "PTT OFF"};

    // ---- settings
    OptionButton Option6{*this, "Option6", "linktype", "Repeater"};
    OptionButton Option7{*this, "Option7", "linktype", "Link", true};
    TextBox ParrotEnabled{*this, "ParrotEnabled", "Link Disconnected :  Parrot mode enabled"};
    CommandButton Command14{*this, "Command14", "Test"};
    OptionButton UseRTS{*this, "UseRTS", "line", "Use RTS"};
    OptionButton UseDTR{*this, "UseDTR", "line", "Use DTR", true};
    CommandButton Command13{*this, "Command13", "Save"};
    CommandButton Command9{*this, "Command9", "Hide"};
    CheckBox NoCon{*this, "NoCon", "Use Announce When No Connects"};
    OptionButton Option8{*this, "Option8", "notice", "Use TTS"};
    OptionButton Option9{*this, "Option9", "notice", "Use CW letter", true};
    TextBox NoStationCon{*this, "NoStationCon"};
    TextBox Text11{*this, "Text11"};
    CommandButton Command15{*this, "Command15", "Test"};
    TextBox IPCourtesy{*this, "IPCourtesy"};
    TextBox CourtesyID{*this, "CourtesyID"};
    CommandButton Command10{*this, "Command10", "Test"};
    CommandButton Command11{*this, "Command11", "Test "};
    TextBox KerchunkWait{*this, "KerchunkWait"};
    TextBox HangTime{*this, "HangTime"};
    TextBox RFTone{*this, "RFTone"};
    CommandButton Command1{*this, "Command1", "File"};
    CommandButton Command7{*this, "Command7", "Test"};
    TextBox InetTone{*this, "InetTone"};
    CommandButton Command6{*this, "Command6", "File"};
    CommandButton Command8{*this, "Command8", "Test"};
    Slider V1{*this, "V1", -3000, 0, 0};
    TextBox VolSet{*this, "VolSet"};
    CheckBox Check1{*this, "Check1", "Use Curtesy ID"};
    OptionButton Option1{*this, "Option1", "kind", "CW"};
    OptionButton Option2{*this, "Option2", "kind", "Audio", true};
    OptionButton Option3{*this, "Option3", "tail", "Delay 1"};
    OptionButton Option4{*this, "Option4", "tail", "Delay 2"};
    OptionButton Option5{*this, "Option5", "tail", "None", true};

    // ---- run time
    void EchoLink_RX(bool bRX);
    void EchoLink_CarrierDetect(bool bCD);
    void EchoLink_Closing();
    // On EchoLink's closing: the transmitter goes free and the settings are saved.
    void closingDuties() override;
    Timer Kerchunker{*this, "Kerchunker", 5000, [this] { Kerchunker_Timer(); }, false};
    Timer KickBackCheck{*this, "KickBackCheck", 500, [this] { KickBackCheck_Timer(); }, false};
    Timer Timer2{*this, "Timer2", 100, [this] { Timer2_Timer(); }};
    Timer Timer3{*this, "Timer3", 10, [this] { Timer3_Timer(); }};
    Timer Timer4{*this, "Timer4", 10, [this] { showKerchunk(); }};
    Timer Timer5{*this, "Timer5", 1, [this] { showKerchunk(); }};
    Timer Timer6{*this, "Timer6", 10, [this] { Timer6_Timer(); }};
    void Kerchunker_Timer();
    void KickBackCheck_Timer();
    void Timer2_Timer();
    void Timer3_Timer();
    void Timer6_Timer();

private:
    void declareLayout();
    void wireSettings();
    void wireButtons();
    void loadSettings();
    // The two tone boxes as stored and as shown, so SaveData keeps the stored form.
    StoredPath storedRFTone_, storedInetTone_;
    void showKerchunk();
    void sendRFCourtesy();
    void sendNoStationNotice();
    void transmitTone(const std::string& path);
    void speakTest(const std::string& text);
    void chooseTone(TextBox& box, bool paintPTT);
    static void setPeriod(Form22& f, Timer& timer, const TextBox& box);
};
