#pragma once
// Messages: the sysop's view of the text chat. A display of chat lines with pictures, an input box,
// a pane for private messages, a word filter for incoming lines and a few options. The window lives
// from start-up to the end and goes on receiving while hidden.
#include <memory>
#include <string>
#include <vector>

#include "chat/chat_display.h"
#include "core/form.h"

class Messages : public Form {
public:
    explicit Messages(FormHost& host);

    static constexpr int kNormalWidth = 6990, kNormalHeight = 8400;
    static constexpr int kExtendedWidth = 8820, kExtendedHeight = 9700;
    static constexpr int kDisplayTall = 6135, kDisplayShort = 2655;   // private pane hidden / shown

    // ---- main area
    ChatDisplay RTB{*this, "RTB"};
    CommandButton ClearRX{*this, "ClearRX", "Clear"};
    Frame Frame3{*this, "Frame3", "Private Message    (Text Only)"};
    TextBox Text3{*this, "Text3", "", &Frame3};   // the private messages, plain text
    CommandButton Command4{*this, "Command4", "Clear", &Frame3};
    Label Label1{*this, "Label1", "Enter Callsign To Send Message  To.", &Frame3};
    TextBox Text1{*this, "Text1", "", &Frame3};
    Label Label2{*this, "Label2", "Enter Message", &Frame3};
    TextBox Text2{*this, "Text2", "", &Frame3};
    CommandButton Command2{*this, "Command2", "Send", &Frame3};
    CommandButton Command3{*this, "Command3", "Show Private Message"};
    CheckBox Check5{*this, "Check5", "Show Chat Box When Message Received"};
    Frame Frame2{*this, "Frame2", "Type Message Click Send"};
    TextBox TextTX{*this, "TextTX", "", &Frame2};
    CommandButton Send{*this, "Send", "Send", &Frame2};
    Frame Frame1{*this, "Frame1"};
    CheckBox Check1{*this, "Check1", "Send Text With Time Stamp", 0, &Frame1};
    CheckBox Check2{*this, "Check2", "Time Stamp Incoming", 0, &Frame1};
    CommandButton Exit{*this, "Exit", "Hide"};
    CommandButton Command39{*this, "Command39", "Show Extra"};

    // ---- extra area
    Frame Frame4{*this, "Frame4", "Text Filter"};
    std::vector<std::unique_ptr<TextBox>> FilterText;   // FilterText1 .. FilterText12, [0] is FilterText1
    TextBox& filterText(int k) { return *FilterText[static_cast<size_t>(k - 1)]; }
    CheckBox Check3{*this, "Check3", "Case Sensitive", 0, &Frame4};
    Label Label4{*this, "Label4", "Extra Message Call for Private Message", &Frame4};
    TextBox ExtraCall{*this, "ExtraCall", "", &Frame4};
    CommandButton Command5{*this, "Command5", "Sysop Messages"};
    CommandButton Command1{*this, "Command1", "Text Box Messages"};
    Frame Frame6{*this, "Frame6", "Chat Options"};
    OptionButton Option1{*this, "Option1", "chat", "Use Chat", false, &Frame6};
    OptionButton Option2{*this, "Option2", "chat", "Stop Chat", false, &Frame6};
    CommandButton SaveIt{*this, "SaveIt", "Save"};
    Frame Frame5{*this, "Frame5", "The Chat Icons"};
    std::vector<std::unique_ptr<CommandButton>> Image;   // Image1 .. Image35, [0] is Image1

    // ---- working values
    std::string Callsign2;   // node callsign + "> ": marks the node's own lines
    std::string sTextSay;    // the received line being made ready for speech

    void load() override;
    void SaveData() override;
    // The window stays for the whole run: closing its frame only hides it.
    void closeRequest() override { Hide(); }

    // ---- receiving
    void EchoLink_ChatTextReceived(const std::string& sText);
    // ---- display
    void AddChatLine(std::string sender, std::string text);
    void ImageClick(int number);
    // ---- sending
    void TXText();
    void TXText2();
    void TextTX_KeyPress(int& keyAscii);
    void Text2_KeyPress(int& keyAscii);
    void SendPrivate();

    // Speech preparation of a received line, exposed for its tests.
    static std::string bracketCut(const std::string& text);
    static std::string applySpeechTable(const std::string& text);

private:
    std::string OwnTag;       // ":" + node callsign + "~": the address of a private message for this node
    std::string StampedText;  // the last stamped line sent
    Frame* extraColumn_ = nullptr;   // the extra area's column at the right
    void declareLayout();
    void showExtraArea(bool shown);
    void togglePrivatePane();
    void openPrivatePane();
    void toggleExtra();
    void EchoLink_Closing();
    void sendFromOwnControls(void (Messages::*send)());
    bool speakingOn();
};
