// The window itself: its slots and boxes, the settings file, the pickers, the volume slider,
// the buttons that are not slot plays, and what it releases when EchoLink closes.
#include "dtmfplayer/dtmf_player_window.h"

#include "app/app.h"
#include "core/settings.h"
#include "core/settings_binding.h"
#include "core/step.h"
#include "core/text.h"
#include "echolink/echolink_app.h"
#include "platform/dialogs.h"
#include "player/player_window.h"

namespace {
constexpr const char* kSettingsFile = "marodtmfhelpMP3.ini";
constexpr const char* kDesignedVolume = "0";
constexpr const char* kDesignedDelay = "3";
constexpr const char* kPickerFilter = "*.wav, *.mp2, *.mp3, *.mid, *.txt|*.wav;*.mp2;*.mp3;*.mid;*.txt";

std::string locationKey(int k) { return "TEXT" + std::to_string(20 + k); }
std::string wordKey(int k) { return "TextRep" + std::to_string(k); }
std::string replacementKey(int k) { return "TextRep" + std::to_string(k) + "b"; }
}  // namespace

std::string Form23::codeBoxName(int k) { return "Text" + std::to_string(k <= 3 ? 44 - k : k); }

std::string Form23::playButtonName(int k) {
    static const int numbers[kSlots] = {29, 28, 27, 26, 25, 24, 7, 8, 9, 10, 6, 12, 13, 14, 15, 16, 17, 18, 19, 20};
    return "Command" + std::to_string(numbers[k - 1]);
}

std::vector<Form23::SlotRow> Form23::makeSlotRows() {
    std::vector<SlotRow> rows;
    for (int k = 1; k <= kSlots; ++k) {
        SlotRow r;
        r.code = std::make_unique<TextBox>(*this, codeBoxName(k), "", &Frame1);
        r.code->setToolTip("Enter DTMF Code ");
        r.location = std::make_unique<TextBox>(*this, "Text" + std::to_string(20 + k), "", &Frame1);
        r.location->setToolTip("Enter the File Location of the file to be played. Can be MP3 - WAV or Text File.");
        r.picker = std::make_unique<CommandButton>(*this, "Command" + std::to_string(29 + k), "File", &Frame1);
        r.picker->setToolTip("Search for File  MP3 WAV or Text File");
        r.play = std::make_unique<CommandButton>(*this, playButtonName(k), "", &Frame1);
        r.play->setToolTip("Play File Now");
        rows.push_back(std::move(r));
    }
    return rows;
}

std::vector<Form23::WordRow> Form23::makeWordRows() {
    std::vector<WordRow> rows;
    for (int k = 1; k <= kWordRows; ++k) {
        WordRow r;
        r.word = std::make_unique<TextBox>(*this, wordKey(k), "", &Frame4);
        r.replacement = std::make_unique<TextBox>(*this, replacementKey(k), "", &Frame4);
        rows.push_back(std::move(r));
    }
    return rows;
}

Form23::Form23(FormHost& host) : Form(host, "Form23") {
    startPlayer = [](Form1& player) { player.TXFile(); };
    Text1.multiLine = true;
    Text1.maxLength = static_cast<int>(kText1Length);
    VolSet.setVisible(false);
    Command1.setToolTip("Stop Playing");
    Command5.setToolTip("Save any changes");
    SaveAndExit.setToolTip("Hide this window");
    for (int k = 1; k <= kSlots; ++k) {
        picker(k).onClick([this, k] { pickFile(k); });
        playButton(k).onClick([this, k] { PlaySlot(k, Request::Operator); });
    }
    Command1.onClick([this] { app().form1().StopOnRequest(); });
    Command2.onClick([this] { toggleChanger(); });
    Command5.onClick([this] { SaveData(); });
    SaveAndExit.onClick([this] { Hide(); });
    V1.onChange([this] { V1_Change(); });
    // The delay box takes digits only from the keyboard once it has changed; what code puts in
    // (the stored delay) is not filtered.
    Text2.onChange([this] { Text2.numberOnly = true; });
    declareLayout();
}

void Form23::load() {
    createEchoLink();
    EchoLink().DTMFString = [this](const std::string& digits) { EchoLink_DTMFString(digits); };
    EchoLink().Closing = [this] { EchoLink_Closing(); };
    setCaption(app().windowCaption("-- DTMF .mp3 .wav .txt http://  Player"));
    // At start-up nothing is on the air and the transmitter is released. A window created later,
    // while the player is transmitting, must not cut that transmission short.
    const bool playerOnAir = app().exists("Form1") && app().form1().Label1.caption() != "0";
    if (!playerOnAir) step([&] { EchoLink().KeyTransmitter(false); });

    const SettingsFile ini(host().settingsPath(kSettingsFile));
    loadVolume(ini);
    loadText(*this, ini, "TEXT2", Text2, kDesignedDelay);
    for (int k = 1; k <= kSlots; ++k) loadText(*this, ini, ucase(codeBoxName(k)), code(k), "");
    for (int k = 1; k <= kSlots; ++k) loadText(*this, ini, locationKey(k), location(k), "");
    for (int k = 1; k <= kWordRows; ++k) loadText(*this, ini, wordKey(k), word(k), k == 1 ? "T-Storms" : "");
    for (int k = 1; k <= kWordRows; ++k)
        loadText(*this, ini, replacementKey(k), replacement(k), k == 1 ? "Thunder Storms" : "");
    loadPosition(*this, ini);

    // A stored volume other than full moves the player's slider too, through the change handling.
    V1.setValue(toInt(VolSet.text()));
    Width = kNarrowWidth;   // the word-replacement pane out of view
    Frame4.setVisible(false);
    Hide();
}

// The volume must be a number the slider can take; anything else keeps full volume and says so.
void Form23::loadVolume(const SettingsFile& ini) {
    const std::string v = ini.read("VOLSET", kDesignedVolume);
    const auto n = toNumber(v);
    if (n && *n >= V1.min() && *n <= V1.max()) {
        VolSet.setText(v);
        return;
    }
    LogError(ini.path() + " <-- VOLSET has the value \"" + v +
             "\" that is not a volume from -3000 to 0; the designed value is kept ");
    VolSet.setText(kDesignedVolume);
}

void Form23::SaveData() {
    SettingsFile ini(host().settingsPath(kSettingsFile));
    saveText(ini, "VOLSET", VolSet);
    saveText(ini, "TEXT2", Text2);
    for (int k = 1; k <= kSlots; ++k) saveText(ini, ucase(codeBoxName(k)), code(k));
    for (int k = 1; k <= kSlots; ++k) saveText(ini, locationKey(k), location(k));
    for (int k = 1; k <= kWordRows; ++k) saveText(ini, wordKey(k), word(k));
    for (int k = 1; k <= kWordRows; ++k) saveText(ini, replacementKey(k), replacement(k));
    savePosition(ini, *this);
    saveOrLog(*this, ini);
}

// One dialog serves all twenty pickers and opens at the name chosen last in any of them. A cancel
// keeps the slot's location as it stood, and says so only when the slot has none.
void Form23::pickFile(int k) {
    const std::optional<std::string> chosen = app().dialogs().openFile("", kPickerFilter, lastPicked_);
    if (chosen && !chosen->empty()) {
        lastPicked_ = *chosen;
        location(k).setText(*chosen);
        return;
    }
    if (location(k).text().empty())
        app().dialogs().messageBox("Error No File selected", " No file Selected", MsgButtons::Ok, MsgIcon::Information);
}

void Form23::V1_Change() {
    step([&] { app().form1().V1.setValue(V1.value()); });
    step([&] { VolSet.setText(std::to_string(V1.value())); });
}

void Form23::toggleChanger() {
    if (Command2.caption() == "Text Changer") {
        Command2.setCaption("Hide Changer");
        Width = kWideWidth;
        Frame4.setVisible(true);
    } else {
        Command2.setCaption("Text Changer");
        Width = kNarrowWidth;
        Frame4.setVisible(false);
    }
    host().formChanged(*this);
}

// The transmitter and the DTR line are released; nothing of this window is saved.
void Form23::closingDuties() {
    step([&] { EchoLink().KeyTransmitter(false); });
    step([&] { EchoLink().DTRLine(false); });
}

void Form23::EchoLink_Closing() { app().echoLinkClosing(); }

void Form23::setText1(const std::string& text) {
    // Cut by characters, not bytes, so a page or file in UTF-8 never ends in half a character.
    size_t chars = 0, i = 0;
    for (; i < text.size(); ++i) {
        if ((static_cast<unsigned char>(text[i]) & 0xC0) != 0x80) {
            if (chars == kText1Length) break;
            ++chars;
        }
    }
    Text1.setText(text.substr(0, i));
}
