#pragma once
// Form116: twenty prepared chat texts, each sent with one click through the chat window.
#include <memory>
#include <vector>

#include "core/form.h"

class Form116 : public Form {
public:
    explicit Form116(FormHost& host);

    Frame Frame1{*this, "Frame1", "Text Box Pre Set Messages  1"};
    Frame Frame2{*this, "Frame2", "Text Box Pre Set Messages  2"};
    // Preset k lives in box Text<k> only; Send button Command<n> sends the box of its own row.
    std::vector<std::unique_ptr<TextBox>> Text;            // [0] is Text1
    std::vector<std::unique_ptr<CommandButton>> Command;   // Send buttons in row order
    CommandButton Command12{*this, "Command12", "Save"};
    CommandButton Command11{*this, "Command11", "Hide"};
    TextBox& text(int k) { return *Text[static_cast<size_t>(k - 1)]; }
    CommandButton& sendButton(int commandNumber);

    // The rows top to bottom, frame 1 first: the preset each shows and the button that sends it.
    struct PresetRow {
        int frame;
        int preset;
        int command;
    };
    static const PresetRow kRows[20];

    void load() override;
    void SaveData() override;
    // Sends preset k through the chat window and shows that window.
    void SendPreset(int k);

private:
    void declareLayout();
};
