#include "chat/greetings_window.h"

#include <exception>
#include <random>

#include "app/app.h"
#include "chat/chat_time.h"
#include "core/event_loop.h"
#include "core/settings_binding.h"
#include "core/step.h"
#include "core/text.h"
#include "echolink/echolink_app.h"
#include "platform/dialogs.h"
#include "speech/idents_window.h"

namespace {
constexpr const char* kSettingsFile = "marogreeting.ini";
constexpr size_t kSettingLength = 499;
constexpr const char* kDesignedDelay = "3";
constexpr const char* kDesignedMaxRand = "10";

const char* const kDefaultGreetings[9] = {
    "Welcome. If I don't answer then I might be away or busy. Please leave a short delay between Transmission's !",
    "Enjoy the system. Please Calls CQ and leave good gaps between over's.",
    "Welcome",
    "Has Joined us",
    "How are you. Thanks for joining us. Please call CQ",
    "Welcome, The system is active. Please leave good gaps between over's.",
    "Great having you aboard",
    "Im not about at the moment. Call back later or call CQ",
    "Has Joined The Conference",
};

std::string greetingKey(int k) { return k == 1 ? "TEXTTXMESSAGE" : "TEXTTXMESSAGE" + std::to_string(k); }
}  // namespace

Form10::Form10(FormHost& host) : Form(host, "Form10") {
    for (int k = 1; k <= 9; ++k) {
        Options.push_back(std::make_unique<OptionButton>(*this, "Option" + std::to_string(k), "greeting",
                                                         std::to_string(k), false, &Frame3));
        Options.back()->setToolTip("Selected Text Box Greeting");
        Greetings.push_back(std::make_unique<TextBox>(*this, k == 1 ? "TextTXMessage" : "TextTXMessage" + std::to_string(k),
                                                      "", &Frame3));
        Greetings.back()->maxLength = 160;
        Greetings.back()->setToolTip("Enter Your Text Box Greeting  (Max 160 Characters)");
    }
    Option10.setToolTip("Selected Text Box Greeting");
    MaxRand.maxLength = 2;
    MaxRand.numberOnly = true;
    MaxRand.setToolTip("Randomise Text Box Greeting up to this number (Max 10)");
    BeaconPeriodDelay.maxLength = 1;
    BeaconPeriodDelay.numberOnly = true;
    BeaconPeriodDelay.setToolTip("Seconds Delay Before Text Box Greeting Sent (Seconds)");
    TimeStamp.setToolTip("Time your Text Box Greeting Messages");
    UseGreeting.setToolTip("UseTheText Box Greeting");
    Check1.setToolTip("Randomise  Your Text Box Greeting");
    Command2.setToolTip("Save Your Changed Settings");
    Command1.setToolTip("Hide This Screen");
    Command1.onClick([this] { Hide(); });
    Command2.onClick([this] { SaveData(); });
    declareLayout();
}

void Form10::load() {
    createEchoLink();
    EchoLink().connected = [this](const std::string& c, const std::string& n, const std::string& a) {
        Echolink_connected(c, n, a);
    };
    EchoLink().Disconnected = [this](const std::string& c) { Echolink_Disconnected(c); };
    EchoLink().Closing = [this] { EchoLink_Closing(); };
    // This caption carries the version without its revision.
    std::string call;
    step([&] { call = EchoLink().LocalNode().NodeCallsign; });
    setCaption(std::string(App::kProductName) + "    " + call + "   v" + std::to_string(App::kVersionMajor) + "." +
               std::to_string(App::kVersionMinor) + "      Text Box Greeting Message");

    const SettingsFile ini(host().settingsPath(kSettingsFile));
    for (int k = 1; k <= 9; ++k) loadText(*this, ini, greetingKey(k), greeting(k), kDefaultGreetings[k - 1], kSettingLength);
    loadCheck(*this, ini, "USEGREETING", UseGreeting, "1");
    loadCheck(*this, ini, "TIMESTAMP", TimeStamp, "1");
    loadText(*this, ini, "BEACONPERIODDELAY", BeaconPeriodDelay, kDesignedDelay, kSettingLength);
    for (int k = 1; k <= 9; ++k) loadOption(*this, ini, "OPTION" + std::to_string(k), option(k), "0");
    loadOption(*this, ini, "OPTION10", Option10, "1");
    loadCheck(*this, ini, "CHECK1", Check1, "0");
    Hide();
}

void Form10::SaveData() {
    SettingsFile ini(host().settingsPath(kSettingsFile));
    for (int k = 1; k <= 9; ++k) saveText(ini, greetingKey(k), greeting(k));
    saveCheck(ini, "USEGREETING", UseGreeting);
    saveCheck(ini, "TIMESTAMP", TimeStamp);
    saveText(ini, "BEACONPERIODDELAY", BeaconPeriodDelay);
    for (int k = 1; k <= 10; ++k) saveOption(ini, "OPTION" + std::to_string(k), option(k));
    saveCheck(ini, "CHECK1", Check1);
    saveOrLog(*this, ini);
}

void Form10::closeRequest() {
    const MsgAnswer a = app().dialogs().messageBox("Exit Program", "Quit - Remember to save your settings - Are You Sure ? ",
                                                   MsgButtons::YesNo, MsgIcon::Question);
    if (a != MsgAnswer::Yes) return;
    SaveData();
    app().endProgram();
}

void Form10::closingDuties() {
    step([&] { EchoLink().KeyTransmitter(false); });
    SaveData();
}

void Form10::EchoLink_Closing() { app().echoLinkClosing(); }

// ---------------------------------------------------------------- connect and countdown
void Form10::Echolink_connected(const std::string& sCallConnected, const std::string& sName, const std::string&) {
    if (endsWith(sCallConnected, "*")) Option10.setValue(true);
    sCallConnectedx = sCallConnected;
    sNamex = sName;
    BeaconSecondsDelay.setCaption(std::to_string(delaySeconds()));
    Timer2Delay.enable();
}

long Form10::delaySeconds() {
    // A delay that does not read as a number falls back to the designed one, so a station is
    // still greeted and the sysop learns why the box changed.
    const auto n = toNumber(BeaconPeriodDelay.text());
    if (n) return clampToLong(*n);
    LogError("Greeting delay \"" + BeaconPeriodDelay.text() + "\" is not a number; " + kDesignedDelay +
             " seconds are used ");
    BeaconPeriodDelay.setText(kDesignedDelay);
    return toLong(kDesignedDelay);
}

void Form10::countdownTick() {
    step([&] { loop().doEvents(); });
    step([&] {
        const auto left = toNumber(BeaconSecondsDelay.caption());
        BeaconSecondsDelay.setCaption(std::to_string((left ? clampToLong(*left) : delaySeconds()) - 1));
    });
    step([&] {
        if (delaySeconds() <= 0) {
            BeaconPeriodDelay.setText("1");
            BeaconSecondsDelay.setCaption("1");
        }
    });
    step([&] {
        if (toLong(BeaconSecondsDelay.caption()) <= 0) {
            BeaconSecondsDelay.setCaption(BeaconPeriodDelay.text());
            Timer2Delay.disable();
            sendGreetingOrLog();
        }
    });
}

void Form10::sendGreetingOrLog() {
    try {
        SendMessage();
    } catch (const std::exception& e) {
        LogError("Greeting for " + sCallConnectedx + " not sent (" + e.what() + ") ");
    }
}

void Form10::SendMessage() {
    if (Check1.value() == 1) RandomiseGreeting();
    if (UseGreeting.value() == 0) return;
    for (int k = 1; k <= 9; ++k)
        if (option(k).value()) EchoLink().SendChatText("Hello " + sNamex + " " + greeting(k).text());
    if (Option10.value()) EchoLink().SendChatText(sCallConnectedx + " " + sNamex + " Connected");
}

void Form10::RandomiseGreeting() {
    if (MaxRand.text().empty() || MaxRand.text() == "0") MaxRand.setText("1");
    auto highest = toNumber(MaxRand.text());
    if (!highest) {
        LogError("Highest random greeting \"" + MaxRand.text() + "\" is not a number; " + kDesignedMaxRand +
                 " is used ");
        MaxRand.setText(kDesignedMaxRand);
        highest = toNumber(MaxRand.text());
    }
    if (*highest > 10) {
        MaxRand.setText("10");
        highest = 10;
    }
    if (*highest < 1) {
        MaxRand.setText("1");
        highest = 1;
    }
    std::mt19937 rng(static_cast<std::uint32_t>(now()));   // seeded from the clock at every choice
    const double r = std::uniform_real_distribution<double>(0.0, 1.0)(rng);
    int n = static_cast<int>(*highest * r + 1);
    if (n > static_cast<int>(*highest)) n = static_cast<int>(*highest);
    if (endsWith(app().form3().TempCall, "*")) n = 10;
    option(n).setValue(true);
}

// ---------------------------------------------------------------- departures and the clock
void Form10::Echolink_Disconnected(const std::string& sCall) {
    if (UseGreeting.value() == 0 || !Option10.value()) return;
    try {
        if (TimeStamp.value() == 1)
            EchoLink().SendChatText("(" + chatTime(now()) + ") " + sCall + " Disconnected 73's");
        else
            EchoLink().SendChatText(sCall + " Disconnected 73's");
    } catch (const EchoLinkError& e) {
        LogError("Disconnect notice for " + sCall + " not sent (" + e.what() + ") ");
    }
}

void Form10::clockTick() {
    step([&] { ShowTime.setCaption(timeNow()); });
}
