#pragma once
// Form126: messages for another node's sysop, and the log of those sent from here and of those
// other stations left for this node's sysop. Created on first use; closing its frame hides it so
// the log is kept.
#include <string>

#include "core/form.h"

class Form126 : public Form {
public:
    explicit Form126(FormHost& host);

    Label Label1{*this, "Label1", "Messages for Sysop's Attention"};
    TextBox Text1{*this, "Text1"};   // the log; the launcher appends received messages
    CommandButton Command2{*this, "Command2", "Clear"};
    Frame Frame3{*this, "Frame3", "Send Message to a node sysop"};
    Label Label2{*this, "Label2", "Node Call", &Frame3};
    TextBox Text2{*this, "Text2", "", &Frame3};
    Label Label3{*this, "Label3", "Message", &Frame3};
    TextBox Text3{*this, "Text3", "", &Frame3};
    CommandButton Command3{*this, "Command3", "Send", &Frame3};
    CheckBox Check1{*this, "Check1", "Show Chat Box When Message Sent"};
    CommandButton Command6{*this, "Command6", "Save"};
    CommandButton Command5{*this, "Command5", "Text Box Chat"};
    CommandButton Command1{*this, "Command1", "Hide"};
    TextBox Text4{*this, "Text4"};   // the body of the message being sent

    void load() override;
    void SaveData() override;
    void closeRequest() override { Hide(); }
    void SendToSysop();
    void Text3_KeyPress(int& keyAscii);

private:
    void declareLayout();
};
