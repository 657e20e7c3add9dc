#pragma once
// What the two beacon-set windows share: twenty slots and an extra beacon, chosen statically, in
// turn or at random, sent as speech, a spoken text file or an audio file, on a timer and at the
// information times of the hour. Form111 (set 1) and Form110 (set 2) are this window with their
// few differences; each keeps every control under the name the operator knows it by.
#include <array>
#include <cstdint>
#include <random>
#include <string>

#include "core/form.h"
#include "core/held_turn.h"
#include "core/step.h"

class SettingsFile;

class BeaconSetWindow : public Form {
public:
    // What tells the two sets apart.
    struct SetTraits {
        int number;                      // 1 or 2
        const char* settingsFile;        // "beaconabc.ini", "beaconabc2.ini"
        const char* captionSuffix;       // "      Beacons  Set 1"
        const char* slotsFrameCaption;
        const char* otherSetCaption;     // caption of Command11
        bool suppressesFailures;         // set 1 skips a failing step; set 2 passes it to its caller
    };

    BeaconSetWindow(FormHost& host, std::string name, const SetTraits& traits);

private:
    SetTraits traits_;   // first: the controls below take their captions from it

public:

    // ---- beacon choice and playing
    void RandomGreeting();    // send one beacon of this set now, by its beacon type
    void RandomGreeting3();   // the static slot
    void Serial2();           // the slot NextNo names
    void RandomGreeting2();   // the slot theRandomNumber names
    // Speak-now request of this window: speaks TempText on the air now, or drops it. True when the
    // speech was handed to the player.
    virtual bool TestTTW() = 0;

    std::string WhereIsFile;
    std::string TempText;
    std::string Tempmessage;
    std::string TempText2;
    int theRandomNumber = 0;

    // The one generator behind every random beacon of this set; seeded from the clock at creation.
    void seedRandom(std::uint32_t seed) { random_.seed(seed); }

    void load() override;
    void SaveData() override;

    int setNumber() const { return traits_.number; }

    // ---- controls, row by row as the operator sees them
    Frame Frame1{*this, "Frame1", traits_.slotsFrameCaption};
#define BEACON_ROW(k, picker, test)                                                               \
    TextBox Text##k{*this, "Text" #k, "", &Frame1};                                               \
    CommandButton picker{*this, #picker, "File", &Frame1};                                        \
    CommandButton test{*this, #test, "", &Frame1};                                                \
    OptionButton Option##k{*this, "Option" #k, "slot", "", false, &Frame1};                       \
    Label SlotNumber##k{*this, "SlotNumber" #k, #k, &Frame1};
    BEACON_ROW(1, Command30, Command61)
    BEACON_ROW(2, Command31, Command59)
    BEACON_ROW(3, Command32, Command57)
    BEACON_ROW(4, Command33, Command55)
    BEACON_ROW(5, Command34, Command53)
    BEACON_ROW(6, Command35, Command51)
    BEACON_ROW(7, Command36, Command23)
    BEACON_ROW(8, Command37, Command21)
    BEACON_ROW(9, Command38, Command29)
    BEACON_ROW(10, Command39, Command28)
    BEACON_ROW(11, Command40, Command27)
    BEACON_ROW(12, Command41, Command26)
    BEACON_ROW(13, Command42, Command25)
    BEACON_ROW(14, Command43, Command24)
    BEACON_ROW(15, Command44, Command7)
    BEACON_ROW(16, Command45, Command8)
    BEACON_ROW(17, Command46, Command9)
    BEACON_ROW(18, Command47, Command10)
    BEACON_ROW(19, Command48, Command6)
    BEACON_ROW(20, Command49, Command12)
#undef BEACON_ROW

    Frame Frame2{*this, "Frame2", "Extra Beacon 1  + 20 Sec. "};
    TextBox Text21{*this, "Text21", "", &Frame2};
    CommandButton Command16{*this, "Command16", "File", &Frame2};
    CommandButton Command4{*this, "Command4", "Test", &Frame2};

    Frame Frame3{*this, "Frame3", "Beacon Type.  Static, Serial or Random"};
    OptionButton StopClock2{*this, "StopClock2", "type", "Static Beacon", true, &Frame3};
    OptionButton Serial{*this, "Serial", "type", "Serial Beacon", false, &Frame3};
    Label Label3{*this, "Label3", "From No,", &Frame3};
    TextBox Text22{*this, "Text22", "1", &Frame3};
    Label Label4{*this, "Label4", "To No.", &Frame3};
    TextBox Text23{*this, "Text23", "1", &Frame3};
    Label Label7{*this, "Label7", "Start", &Frame3};
    Label StartNo{*this, "StartNo", "1", &Frame3};
    Label Label8{*this, "Label8", "Next", &Frame3};
    Label NextNo{*this, "NextNo", "1", &Frame3};
    CommandButton Command13{*this, "Command13", "Step Next", &Frame3};
    CommandButton Command14{*this, "Command14", "Re Set", &Frame3};
    OptionButton StopClock0{*this, "StopClock0", "type", "Random Beacon from Number 1 to", false, &Frame3};
    TextBox MaxRand{*this, "MaxRand", "20", &Frame3};
    CommandButton Command15{*this, "Command15", "Test Beacons", &Frame3};
    Label Label5{*this, "Label5", "1", &Frame3};   // hidden copy of From
    Label Label6{*this, "Label6", "1", &Frame3};   // hidden copy of To

    Frame Frame4{*this, "Frame4", "Timed and Information Beacons"};
    CheckBox StopClock1{*this, "StopClock1", "Use Timed beacon set every              minutes", 0, &Frame4};
    TextBox BeaconPeriod1{*this, "BeaconPeriod1", "15", &Frame4};
    Label BeaconSeconds1{*this, "BeaconSeconds1", "15", &Frame4};
    CheckBox Check1{*this, "Check1", "Use with Above Beacons Setup", 0, &Frame4};
    CheckBox InfoHourly{*this, "InfoHourly", "On The Hour", 0, &Frame4};
    CheckBox InfoQuarter{*this, "InfoQuarter", "Quarter", 0, &Frame4};
    CheckBox InfoHalf{*this, "InfoHalf", "Half", 0, &Frame4};

    TextBox Text24{*this, "Text24"};   // hidden: the last text file's text

    CommandButton Command11{*this, "Command11", traits_.otherSetCaption};
    CommandButton Command5{*this, "Command5", "Stop Beacon Transmission"};
    CommandButton Command3{*this, "Command3", "Show Idents Page"};
    CommandButton Command1{*this, "Command1", "Save"};
    CommandButton Command2{*this, "Command2", "Hide"};

    Timer Beacon1{*this, "Beacon1", 1000, [this] { Beacon1_Timer(); }};
    SecondTimer Timer1{*this, "Timer1", [this](LocalMs s) { Timer1_Timer(s); }};
    Timer Timer2{*this, "Timer2", 2000, [this] { Timer2_Timer(); }, false};

    // Slot k (1..20) and the extra beacon (21).
    TextBox& slot(int k) { return *slots_.at(static_cast<size_t>(k - 1)); }
    OptionButton& slotOption(int k) { return *options_.at(static_cast<size_t>(k - 1)); }
    CommandButton& testButton(int k) { return *tests_.at(static_cast<size_t>(k - 1)); }
    CommandButton& pickerButton(int k) { return *pickers_.at(static_cast<size_t>(k - 1)); }

protected:
    // Play the text or file in TempText2.
    void PlayBeacon();
    // Set 2 sends its DTMF string after every beacon handed on.
    virtual void afterBeacon() {}
    // Whether this set's timed beacon may go out now (besides the busy test).
    virtual bool timedBeaconWanted() = 0;
    virtual bool infoBeaconsActive() = 0;
    // The window of the other set, for Command11.
    virtual Form& otherSet() = 0;
    // Keys that only one set stores, read and written first.
    virtual void loadOwnKeys(const SettingsFile&) {}
    virtual void saveOwnKeys(SettingsFile&) const {}

    // The busy test of every beacon: LinkBusy on this window's object, or the station's own
    // transmission on the air (the idents window's caption, or a file with time left).
    bool linkBusy();
    // Sends the set's choice (Check1 ticked) or the extra beacon.
    void sendScheduledBeacon();

private:
    void SpeakTextFile();
    void clampMaxRand();
    void drawRandomSlot();
    void advanceSerialCounter();
    void playSlot(int k);
    // Runs one step of RandomGreeting under this set's failure rule.
    template <class F>
    void guarded(F&& f);
    template <class F>
    bool guardedTest(F&& test);

    void Beacon1_Timer();
    void Timer1_Timer(LocalMs second);
    HeldTurn timedTurn_, infoTurn_;
    void Timer2_Timer();
    void BeaconPeriod1_Change();
    void serialRange_Change(TextBox& box);
    void pickFile(TextBox& box);
    void testSlot(TextBox& box);
    void stepNext();
    void resetCounter();
    void stopTransmission();
    void wireCommands();
    void declareLayout();

    std::array<TextBox*, 21> slots_{};
    std::array<OptionButton*, 20> options_{};
    std::array<CommandButton*, 21> tests_{};
    std::array<CommandButton*, 21> pickers_{};
    std::mt19937 random_;
};

template <class F>
void BeaconSetWindow::guarded(F&& f) {
    if (traits_.suppressesFailures)
        step(std::forward<F>(f));
    else
        std::forward<F>(f)();
}

template <class F>
bool BeaconSetWindow::guardedTest(F&& test) {
    if (traits_.suppressesFailures) return firstBranchOnFailure(std::forward<F>(test));
    return static_cast<bool>(std::forward<F>(test)());
}
