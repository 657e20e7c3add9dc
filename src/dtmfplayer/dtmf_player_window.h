#pragma once
// Form23: the DTMF file, text and web-page player. Twenty slots, each a DTMF code and a location:
// an audio file goes on the air through the player, a text file is spoken after the
// word-replacement table, a web page's plain text is read aloud.
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/form.h"
#include "core/off_loop.h"
#include "platform/transfer.h"

class Form1;
class SettingsFile;

class Form23 : public Form {
public:
    static constexpr int kSlots = 20;
    static constexpr int kWordRows = 10;
    static constexpr size_t kText1Length = 2000;     // characters the status box holds
    static constexpr int kNarrowWidth = 6335;        // twips: the slots only
    static constexpr int kWideWidth = 8958;          // twips: the word-replacement pane too

    explicit Form23(FormHost& host);

    // Who asked for a slot: the sysop at the window, or a listener by DTMF (nobody to answer a dialog).
    enum class Request { Operator, Dtmf };

    // ---- the slots, one row each, slot 1 at the top
    Frame Frame1{*this, "Frame1",
                 "DTMF  ---   File Location  .mp3  .wav  .txt   or  http://  (Website text extraction)"};
private:
    struct SlotRow {
        std::unique_ptr<TextBox> code;           // Text43, Text42, Text41, Text4 .. Text20
        std::unique_ptr<TextBox> location;       // Text21 .. Text40
        std::unique_ptr<CommandButton> picker;   // Command30 .. Command49 "File"
        std::unique_ptr<CommandButton> play;     // Command29 .. Command26, Command25 .. Command20
    };
    std::vector<SlotRow> slots_ = makeSlotRows();
    std::vector<SlotRow> makeSlotRows();
public:
    TextBox& code(int k) { return *slots_[static_cast<size_t>(k - 1)].code; }
    TextBox& location(int k) { return *slots_[static_cast<size_t>(k - 1)].location; }
    CommandButton& picker(int k) { return *slots_[static_cast<size_t>(k - 1)].picker; }
    CommandButton& playButton(int k) { return *slots_[static_cast<size_t>(k - 1)].play; }
    static std::string codeBoxName(int k);
    static std::string playButtonName(int k);

    // ---- web delay
    Frame Frame2{*this, "Frame2", "URL Delay"};
    Label Label1{*this, "Label1", "Set Web URL data collection delay before play to", &Frame2};   // box, then "seconds"
    TextBox Text2{*this, "Text2", "", &Frame2};

    // ---- volume and buttons
    Frame Frame3{*this, "Frame3", ""};
    Slider V1{*this, "V1", -3000, 0, 0, &Frame3};
    Label Label2{*this, "Label2", "0%", &Frame3};
    Label Label3{*this, "Label3", "50%", &Frame3};
    Label Label4{*this, "Label4", "100%", &Frame3};
    Label Label5{*this, "Label5", "Volume", &Frame3};
    TextBox VolSet{*this, "VolSet", "0", &Frame3};
    CommandButton Command1{*this, "Command1", "Stop Play", &Frame3};
    CommandButton Command2{*this, "Command2", "Text Changer", &Frame3};
    CommandButton SaveAndExit{*this, "SaveAndExit", "Hide", &Frame3};
    CommandButton Command5{*this, "Command5", "Save", &Frame3};
    Label PTT{*this, "PTT", "PTT OFF"};

    // ---- the word-replacement pane (rows built in the constructor)
    Frame Frame4{*this, "Frame4", "Text Changer"};
    Label Label6{*this, "Label6", "Words             Change To", &Frame4};
    Label Label7{*this, "Label7", "Here you can change any abbreviated text so it sounds correct at the time of TX",
                 &Frame4};
private:
    struct WordRow {
        std::unique_ptr<TextBox> word;          // TextRep1 .. TextRep10
        std::unique_ptr<TextBox> replacement;   // TextRep1b .. TextRep10b
    };
    std::vector<WordRow> wordRows_ = makeWordRows();
    std::vector<WordRow> makeWordRows();
public:
    TextBox& word(int k) { return *wordRows_[static_cast<size_t>(k - 1)].word; }
    TextBox& replacement(int k) { return *wordRows_[static_cast<size_t>(k - 1)].replacement; }
    TextBox Text1{*this, "Text1", "", &Frame4};   // status and the text to be spoken

    // ---- public variables
    std::string PlayBox;       // never used
    std::string WhereIsFile;   // the text file to speak
    std::string TempText;      // the location of the slot played last

    void load() override;
    void SaveData() override;
    void closingDuties() override;

    // Listeners' digits: every slot whose code equals them is played, in slot order.
    void EchoLink_DTMFString(const std::string& sDigits);
    // Plays slot k (1..20) now, by the kind of its location.
    void PlaySlot(int k, Request from = Request::Operator);
    // The word-replacement table over the text of Text1.
    void Convtxt();
    // The hand-over of an audio slot once the player's request boxes are filled: the player's
    // TXFile. Tests may watch it here.
    std::function<void(Form1&)> startPlayer;
    // Text1 := text, cut to what the box holds.
    void setText1(const std::string& text);

    // The web-page reader's steps, one a timer; one reading at a time.
    Timer Timer1{*this, "Timer1", 3000, [this] { readerStep1(); }, false};
    Timer Timer2{*this, "Timer2", 4000, [this] { clearStatusOnce(); }, true};
    Timer Timer3{*this, "Timer3", 2000, [this] { readerStep2(); }, false};
    Timer Timer4{*this, "Timer4", 2000, [this] { readerStep3(); }, false};

    // The address of the page being read (or read last).
    const std::string& readerAddress() const { return readerAddress_; }

    static constexpr const char* kApology = "Sorry the information is not available at this time";
    static constexpr const char* kFileNotFound = "File Not Found. Please check and try again";
    // Whether the text of a page is a browser's error page rather than the page.
    static bool looksLikeErrorPage(const std::string& text);
    // Each row in turn: every occurrence of the word, case counting, by its replacement.
    static std::string replaceWords(std::string text, const std::vector<std::pair<std::string, std::string>>& rows);
    // The web delay box as the first step's interval in ms: 1 to 20 s, else 1 s.
    static int webDelayMs(const std::string& box);

private:
    std::string lastPicked_;   // the one dialog starts at the name chosen last

    void declareLayout();

    void EchoLink_Closing();
    void V1_Change();
    void pickFile(int k);
    void toggleChanger();
    void loadVolume(const SettingsFile& ini);

    // slot kinds
    void playTextFile(Request from);
    void playWebPage(int k, const std::string& address, Request from);
    void playAudioFile(int k, const std::string& path, Request from);
    void speak(const std::string& text);
    void reportOrLog(Request from, const std::string& logLine);

    // web-page reader
    void readerStep1();
    void pageArrived(TransferResult result, const std::string& text);
    void readerStep2();
    void readerStep3();
    void clearStatusOnce();
    void endReading(const std::string& why);
    std::string readerAddress_;
    std::optional<std::string> readerPage_;
    bool readerUnreadable_ = false;   // the page held is the apology for one that could not be read
    int reading_ = 0;           // which reading a page that arrives belongs to
    OffLoopWork pageFetch_{*this};   // pages are fetched off the loop; declared last, so it stops first
};
