#include "chat/chat_window.h"

#include "app/app.h"
#include "chat/preset_texts_window.h"
#include "chat/sysop_messages_window.h"
#include "chat/chat_time.h"
#include "core/settings_binding.h"
#include "core/text.h"
#include "echolink/echolink_app.h"

namespace {
constexpr const char* kSettingsFile = "messagebox.ini";
constexpr size_t kSettingLength = 264;   // what the window's read buffer keeps of a value

struct FilterDefault {
    const char* key;
    const char* value;
};
constexpr FilterDefault kFilterDefaults[12] = {
    {"FILTERTEXT1", "timeout"},   {"FILTERTEXT2", "node"},  {"FILTERTEXT3", "Exceeded"},
    {"FILTERTEXT4", "Connected"}, {"FILTERTEXT5", "Disconnected"}, {"FILTERTEXT6", ""},
    {"FILTERTEXT7", ""},          {"FILTERTEXT8", ""},      {"FILTERTEXT9", ""},
    {"FILTERTEXT10", ""},         {"FILTERTEXT11", ""},     {"FILTERTEXT12", ""},
};
}  // namespace

Messages::Messages(FormHost& host) : Form(host, "Messages") {
    // Enter in the send boxes sends the line.
    TextTX.onKeyPress([this](int& k) { TextTX_KeyPress(k); });
    Text2.onKeyPress([this](int& k) { Text2_KeyPress(k); });
    Text3.multiLine = true;
    Text3.locked = true;
    Text1.setToolTip("Enter the Callsogn you wish the Private Message to be sent to.");
    Text2.setToolTip("Enter private message");
    Check5.setToolTip("Chat Box will pop up when a message is received when hidden");
    TextTX.multiLine = true;
    TextTX.setToolTip("Entre your text here");
    Check3.setToolTip("Case Sensitive letters used");
    ExtraCall.setToolTip("If you are using a link you can put your own callsign in here");
    for (int k = 1; k <= 12; ++k) {
        FilterText.push_back(std::make_unique<TextBox>(*this, "FilterText" + std::to_string(k), "", &Frame4));
        FilterText.back()->setToolTip("Incoming Text Word Filter");
    }
    for (const auto& b : chatIconButtons()) {
        // The caption is the code typed, for a view that does not draw the button's picture.
        Image.push_back(std::make_unique<CommandButton>(*this, "Image" + std::to_string(b.number), trim(b.appends), &Frame5));
        Image.back()->setToolTip(b.toolTip);
        const int number = b.number;
        Image.back()->onClick([this, number] { ImageClick(number); });
    }

    Command3.onClick([this] { togglePrivatePane(); });
    Command39.onClick([this] { toggleExtra(); });
    ClearRX.onClick([this] { RTB.clear(); });
    Command4.onClick([this] { Text3.setText(""); });
    Exit.onClick([this] { Hide(); });
    Command1.onClick([this] { app().form116().Show(); });
    Command5.onClick([this] { app().form126().Show(); });
    Command2.onClick([this] { sendFromOwnControls(&Messages::SendPrivate); });
    Send.onClick([this] { sendFromOwnControls(&Messages::TXText); });
    SaveIt.onClick([this] { SaveData(); });
    declareLayout();
}

void Messages::load() {
    createEchoLink();
    EchoLink().ChatTextReceived = [this](const std::string& sText) {
        // A failure part-way (EchoLink not answering) ends this line's handling; what was done stays.
        try {
            EchoLink_ChatTextReceived(sText);
        } catch (const std::exception& e) {
            LogError("Chat line " + quoted(sText) + " not fully handled (" + e.what() + ") ");
        }
    };
    EchoLink().Closing = [this] { EchoLink_Closing(); };
    setCaption(app().windowCaption());
    std::string call;
    try {
        call = EchoLink().LocalNode().NodeCallsign;
    } catch (const EchoLinkError& e) {
        // Without the callsign the tags stay bare; the chat still works, private messages need it.
        LogError(std::string("Chat window: the node callsign could not be read (") + e.what() + ") ");
    }
    Callsign2 = call + "> ";
    OwnTag = ":" + call + "~";

    const SettingsFile ini(host().settingsPath(kSettingsFile));
    loadCheck(*this, ini, "CHECK1", Check1, "1");
    loadCheck(*this, ini, "CHECK2", Check2, "1");
    loadCheck(*this, ini, "CHECK3", Check3, "1");
    loadOption(*this, ini, "OPTION1", Option1, "1");
    loadOption(*this, ini, "OPTION2", Option2, "0");
    loadText(*this, ini, "EXTRACALL", ExtraCall, "", kSettingLength);
    for (int k = 1; k <= 12; ++k)
        loadText(*this, ini, kFilterDefaults[k - 1].key, filterText(k), kFilterDefaults[k - 1].value, kSettingLength);

    Width = kNormalWidth;
    Height = kNormalHeight;
    Command3.setCaption("Show Private Message");
    RTB.geometry.height = kDisplayTall;
    Frame3.setVisible(false);
    showExtraArea(false);
}

void Messages::SaveData() {
    SettingsFile ini(host().settingsPath(kSettingsFile));
    saveCheck(ini, "CHECK1", Check1);
    saveCheck(ini, "CHECK2", Check2);
    saveCheck(ini, "CHECK3", Check3);
    saveOption(ini, "OPTION1", Option1);
    saveOption(ini, "OPTION2", Option2);
    saveText(ini, "EXTRACALL", ExtraCall);
    for (int k = 1; k <= 12; ++k) saveText(ini, kFilterDefaults[k - 1].key, filterText(k));
    saveOrLog(*this, ini);
}

void Messages::togglePrivatePane() {
    if (Command3.caption() == "Hide Private Message") {
        Command3.setCaption("Show Private Message");
        ClearRX.setVisible(true);
        Frame3.setVisible(false);
        RTB.geometry.height = kDisplayTall;
    } else {
        openPrivatePane();
    }
    controlChanged(RTB);
}

void Messages::openPrivatePane() {
    Command3.setCaption("Hide Private Message");
    ClearRX.setVisible(false);
    Frame3.setVisible(true);
    RTB.geometry.height = kDisplayShort;
    controlChanged(RTB);
}

// The extra area lies beyond the normal size: only the extended size shows it.
void Messages::showExtraArea(bool shown) {
    extraColumn_->setVisible(shown);
}

void Messages::toggleExtra() {
    if (Command39.caption() == "Show Extra") {
        Command39.setCaption("Hide Extra");
        Width = kExtendedWidth;
        Height = kExtendedHeight;
        showExtraArea(true);
    } else {
        Command39.setCaption("Show Extra");
        Width = kNormalWidth;
        Height = kNormalHeight;
        showExtraArea(false);
    }
    host().formChanged(*this);
}

// The chat window drives nothing and saves nothing on closing.
void Messages::EchoLink_Closing() { app().echoLinkClosing(); }
