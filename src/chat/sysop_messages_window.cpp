#include "chat/sysop_messages_window.h"

#include <cstdio>
#include <exception>

#include "app/app.h"
#include "chat/chat_window.h"
#include "chat/chat_time.h"
#include "core/settings_binding.h"
#include "core/text.h"
#include "echolink/echolink_app.h"

namespace {
constexpr const char* kSettingsFile = "messageforsysop.ini";
}

Form126::Form126(FormHost& host) : Form(host, "Form126", "Messages for sysop's attention") {
    Text1.multiLine = true;
    Text1.locked = true;
    Command2.onClick([this] { Text1.setText(""); });
    Command3.onClick([this] { SendToSysop(); });
    Command5.onClick([this] { app().messages().Show(); });
    Command1.onClick([this] { Hide(); });
    Command6.onClick([this] { SaveData(); });
    Text3.onKeyPress([this](int& k) { Text3_KeyPress(k); });
    declareLayout();
}

void Form126::load() {
    createEchoLink();
    const SettingsFile ini(host().settingsPath(kSettingsFile));
    loadCheck(*this, ini, "Check1", Check1, "1");
    loadPosition(*this, ini);
}

void Form126::SaveData() {
    SettingsFile ini(host().settingsPath(kSettingsFile));
    saveCheck(ini, "Check1", Check1);
    savePosition(ini, *this);
    saveOrLog(*this, ini);
}

void Form126::Text3_KeyPress(int& keyAscii) {
    if (keyAscii != 13) return;
    keyAscii = 0;
    SendToSysop();
}

void Form126::SendToSysop() {
    Text2.setText(ucase(Text2.text()));
    const std::string target = Text2.text(), message = Text3.text();
    const std::string logTime = chatTime(now());
    Text4.setText("**" + target + "** " + message);
    try {
        EchoLink().SendChatText("(" + chatTime(now()) + ") >" + Text4.text());
    } catch (const std::exception& e) {
        // Nothing is logged as sent; the message stays in its boxes to be sent again.
        LogError(std::string("Message for the sysop of ") + target + " not sent (" + e.what() + ") ");
        return;
    }
    Text1.setText(appendToLog(Text1.text(), "Message Sent To -> " + target + " " + logTime + " > " + message + "\r\n"));
    Text2.setText("");
    Text3.setText("");
    if (Check1.value() == 1) app().messages().Show();
}
