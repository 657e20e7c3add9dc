#include "chat/preset_texts_window.h"

#include <exception>
#include <stdexcept>

#include "app/app.h"
#include "chat/chat_window.h"
#include "core/settings_binding.h"

namespace {
constexpr const char* kSettingsFile = "textmessage.ini";
}  // namespace

// Rows top to bottom in each frame, with the button that sends each.
const Form116::PresetRow Form116::kRows[20] = {
    {1, 1, 1},   {1, 2, 2},   {1, 4, 4},   {1, 3, 3},   {1, 5, 5},   {1, 6, 6},   {1, 7, 7},
    {1, 8, 8},   {1, 9, 9},   {1, 10, 10}, {2, 20, 22}, {2, 19, 21}, {2, 17, 20}, {2, 18, 19},
    {2, 16, 18}, {2, 15, 17}, {2, 14, 16}, {2, 13, 15}, {2, 12, 14}, {2, 11, 13},
};

namespace {
const char* defaultText(int k) {
    switch (k) {
        case 1: return "Im using MarovanePlus here on the node";
        case 2: return "Drop in to our web site for news of the node and its nets";
        case 3: return "Please leave bigger gaps so others can join in";
        case 4: return "73's thanks for the great QSO";
        case 5: return "Im logged onto the *IRELAND* conference node number 2605";
        case 6: return "I will be back just now was called away";
        default: return "";
    }
}
}  // namespace

Form116::Form116(FormHost& host) : Form(host, "Form116") {
    Text.resize(20);
    for (const PresetRow& r : kRows) {
        Control* frame = r.frame == 1 ? static_cast<Control*>(&Frame1) : &Frame2;
        Text[static_cast<size_t>(r.preset - 1)] = std::make_unique<TextBox>(*this, "Text" + std::to_string(r.preset), "", frame);
        Command.push_back(std::make_unique<CommandButton>(*this, "Command" + std::to_string(r.command), "Send", frame));
        const int preset = r.preset;
        Command.back()->onClick([this, preset] { SendPreset(preset); });
    }
    Command12.onClick([this] { SaveData(); });
    Command11.onClick([this] { Hide(); });
    declareLayout();
}

CommandButton& Form116::sendButton(int commandNumber) {
    for (auto& c : Command)
        if (c->name() == "Command" + std::to_string(commandNumber)) return *c;
    throw std::out_of_range("no Send button Command" + std::to_string(commandNumber));
}

void Form116::load() {
    createEchoLink();
    setCaption(app().windowCaption("      Text Box Messages"));
    const SettingsFile ini(host().settingsPath(kSettingsFile));
    for (int k = 1; k <= 20; ++k) loadText(*this, ini, "TEXT" + std::to_string(k), text(k), defaultText(k));
    loadPosition(*this, ini);
}

void Form116::SaveData() {
    SettingsFile ini(host().settingsPath(kSettingsFile));
    for (int k = 1; k <= 20; ++k) saveText(ini, "TEXT" + std::to_string(k), text(k));
    savePosition(ini, *this);
    saveOrLog(*this, ini);
}

void Form116::SendPreset(int k) {
    Messages& chat = app().messages();
    chat.TextTX.setText(text(k).text());
    try {
        chat.TXText();
    } catch (const std::exception& e) {
        LogError(std::string("Preset text not sent (") + e.what() + ") ");
    }
    chat.Show();
}
