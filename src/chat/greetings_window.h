#pragma once
// Form10: greets stations in the text chat. A connecting station gets, after a short delay, one of
// nine greeting texts or (option 10) a connect notice; with option 10 departures get a notice too.
#include <memory>
#include <string>
#include <vector>

#include "core/form.h"

class Form10 : public Form {
public:
    explicit Form10(FormHost& host);

    std::string sCallConnectedx;   // the station that connected last, as EchoLink passed it
    std::string sNamex;            // its name

    Frame Frame1{*this, "Frame1", "Text Box Greeting Message "};
    CheckBox UseGreeting{*this, "UseGreeting", "Use Greeting", 0, &Frame1};
    CheckBox TimeStamp{*this, "TimeStamp", "Time Stamp Greeting", 0, &Frame1};
    CheckBox Check1{*this, "Check1", "Randomise  Greeting", 0, &Frame1};
    Label Label1{*this, "Label1", "From 1 to", &Frame1};
    TextBox MaxRand{*this, "MaxRand", "10", &Frame1};
    Frame Frame2{*this, "Frame2", "Delay Before Sending Connect Message", &Frame1};
    Label Label2{*this, "Label2", "Message Sent In ", &Frame2};
    Label BeaconSecondsDelay{*this, "BeaconSecondsDelay", "3", &Frame2};
    Label Label3{*this, "Label3", "Seconds", &Frame2};
    TextBox BeaconPeriodDelay{*this, "BeaconPeriodDelay", "3", &Frame2};
    Label Label4{*this, "Label4", "Set Delay Seconds", &Frame2};
    Frame Frame3{*this, "Frame3", "Greeting Message  ----    ( Max 160 Characters )", &Frame1};
    // Rows 1 to 10: the option, and for rows 1 to 9 the greeting's box ([0] is greeting 1).
    std::vector<std::unique_ptr<OptionButton>> Options;    // Option1 .. Option9
    OptionButton Option10{*this, "Option10", "greeting", "10", false, &Frame3};
    std::vector<std::unique_ptr<TextBox>> Greetings;       // TextTXMessage, TextTXMessage2 .. 9
    Label Label10{*this, "Label10",
                  "Stations are shown in the chat as they connect and disconnect, e.g. \"W1ABC John Connected\"",
                  &Frame3};
    Label Label5{*this, "Label5", "Local Time :"};
    Label ShowTime{*this, "ShowTime", "00:00:00"};
    CommandButton Command2{*this, "Command2", "Save Settings"};
    CommandButton Command1{*this, "Command1", "Hide"};

    OptionButton& option(int k) { return k == 10 ? Option10 : *Options[static_cast<size_t>(k - 1)]; }
    TextBox& greeting(int k) { return *Greetings[static_cast<size_t>(k - 1)]; }

    void load() override;
    void SaveData() override;
    // The frame's close asks; Yes saves this window and ends the program.
    void closeRequest() override;
    // Sends the greeting for the last connecting station now.
    void SendMessage();
    // On EchoLink's closing: the transmitter goes free and the greetings are saved.
    void closingDuties() override;

    Timer Timer1{*this, "Timer1", 1000, [this] { clockTick(); }, true};
    Timer Timer2Delay{*this, "Timer2Delay", 1000, [this] { countdownTick(); }, false};

private:
    void Echolink_connected(const std::string& sCallConnected, const std::string& sName, const std::string& sAddr);
    void Echolink_Disconnected(const std::string& sCall);
    void EchoLink_Closing();
    void declareLayout();
    void RandomiseGreeting();
    void countdownTick();
    void clockTick();
    long delaySeconds();
    void sendGreetingOrLog();
};
