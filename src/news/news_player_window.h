#pragma once
// Form24: the news and weather player. Three weekly schedule sets (Audio File 1 to 3) put a news
// file, a spoken current-conditions report or a spoken forecast on the air; a 2nd File can follow
// Audio File 3; the node-status options list the node busy and disconnect its stations during a
// bulletin; four spoken texts warn before, and announce the end of, a bulletin.
#include <optional>
#include <string>

#include "core/form.h"
#include "core/settings_binding.h"

class Form24 : public Form {
public:
    explicit Form24(FormHost& host);
    void load() override;
    void SaveData() override;
    void closingDuties() override;
    void closeRequest() override;

    // ---- public variables (other windows read and write them)
    int ferrin = 0;        // 1: a bulletin has just started; the courtesy window lets one RX event pass
    int ferrin2 = 3;       // bulletin phase: 3 none yet, 1 started, 0 first transmission on air, 2 over
    int Play2ndFile = 0;   // 1: Audio File 3 has started; its end brings the 2nd File when Play2nd is ticked
    int EndText = 0;       // end text due: 1 weather, 2 news, 3 news and weather (0: none yet)

    // ---- tabs and frames
    TabStrip SSTab1{*this, "SSTab1"};
    TabPage Tab1{SSTab1, "Tab1", "News 1 - 2"};
    TabPage Tab2{SSTab1, "Tab2", "News 3 - 4"};
    Frame FrameStatus{*this, "FrameStatus", "Node Status", &Tab1};
    Frame Frame1{*this, "Frame1", "Audio File 1   -  mp3  - mp2 -  wav - avi - mid", &Tab1};
    Frame Frame2{*this, "Frame2", "Audio File 2   -  mp3  - mp2 -  wav - avi - mid", &Tab1};
    Frame Frame3{*this, "Frame3", "Audio File 3   -  mp3  - mp2 -  wav - avi - mid", &Tab2};
    Frame Frame4{*this, "Frame4", "2nd File -- Can Be Sent After Audio File 3 If Option Ticked", &Tab2};

    // ---- frame "Node Status"
    CheckBox Check1{*this, "Check1", "Announce News Has Ended", 0, &FrameStatus};
    CheckBox ListAsBusyCheck{*this, "ListAsBusyCheck", "Set The Node Busy During File TX", 0, &FrameStatus};
    CheckBox DisconnectAll{*this, "DisconnectAll", "Disconnect All Before Playing File", 0, &FrameStatus};
    CheckBox WarnCheck{*this, "WarnCheck", "Warn 1 Minute Before Disconnecting", 0, &FrameStatus};

    // ---- Audio File 1
    OptionButton Option4{*this, "Option4", "Set1", "News", false, &Frame1};
    OptionButton Option5{*this, "Option5", "Set1", "Weather Conditions", false, &Frame1};
    OptionButton Option6{*this, "Option6", "Set1", "Weather Forecast", false, &Frame1};
    TextBox Text4x{*this, "Text4x", "", &Frame1};
    CheckBox Sun3{*this, "Sun3", "Sun", 0, &Frame1}, Mon3{*this, "Mon3", "Mon", 0, &Frame1},
        Tue3{*this, "Tue3", "Tue", 0, &Frame1}, Wed3{*this, "Wed3", "Wed", 0, &Frame1},
        Thur3{*this, "Thur3", "Thur", 0, &Frame1}, Fri3{*this, "Fri3", "Fri", 0, &Frame1},
        Sat3{*this, "Sat3", "Sat", 0, &Frame1};
    TextBox Hour3{*this, "Hour3", "", &Frame1}, Mins3{*this, "Mins3", "", &Frame1};
    TextBox Hour33{*this, "Hour33", "", &Frame1}, Mins33{*this, "Mins33", "", &Frame1};
    TextBox DTMFInfo3{*this, "DTMFInfo3", "", &Frame1};
    Label Label15{*this, "Label15", "Weather Conditions Option Selected", &Frame1};
    Label Label16{*this, "Label16", "Weather Forecast Option Selected", &Frame1};
    Label Label12{*this, "Label12", "15 Seconds Delay", &Frame1};
    CommandButton Command3{*this, "Command3", "File", &Frame1};
    CommandButton Command1{*this, "Command1", "Play", &Frame1};
    CommandButton Command4{*this, "Command4", "Stop", &Frame1};

    // ---- Audio File 2
    OptionButton Option1{*this, "Option1", "Set2", "News", false, &Frame2};
    OptionButton Option2{*this, "Option2", "Set2", "Weather Conditions", false, &Frame2};
    OptionButton Option3{*this, "Option3", "Set2", "Weather Forecast", false, &Frame2};
    TextBox Text5x{*this, "Text5x", "", &Frame2};
    CheckBox Sun2{*this, "Sun2", "Sun", 0, &Frame2}, Mon2{*this, "Mon2", "Mon", 0, &Frame2},
        Tue2{*this, "Tue2", "Tue", 0, &Frame2}, Wed2{*this, "Wed2", "Wed", 0, &Frame2},
        Thur2{*this, "Thur2", "Thur", 0, &Frame2}, Fri2{*this, "Fri2", "Fri", 0, &Frame2},
        Sat2{*this, "Sat2", "Sat", 0, &Frame2};
    TextBox Hour2{*this, "Hour2", "", &Frame2}, Mins2{*this, "Mins2", "", &Frame2};
    TextBox Hour22{*this, "Hour22", "", &Frame2}, Mins22{*this, "Mins22", "", &Frame2};
    TextBox DTMFInfo2{*this, "DTMFInfo2", "", &Frame2};
    Label Label17{*this, "Label17", "Weather Conditions Option Selected", &Frame2};
    Label Label18{*this, "Label18", "Weather Forecast Option Selected", &Frame2};
    Label Label14{*this, "Label14", "15 Seconds Delay", &Frame2};
    CommandButton Command6{*this, "Command6", "File", &Frame2};
    CommandButton Command7{*this, "Command7", "Play", &Frame2};
    CommandButton Command8{*this, "Command8", "Stop", &Frame2};

    // ---- Audio File 3
    OptionButton Option7{*this, "Option7", "Set3", "News", false, &Frame3};
    OptionButton Option8{*this, "Option8", "Set3", "Weather Conditions", false, &Frame3};
    OptionButton Option9{*this, "Option9", "Set3", "Weather Forecast", false, &Frame3};
    TextBox Text7x{*this, "Text7x", "", &Frame3};
    CheckBox Sun{*this, "Sun", "Sun", 0, &Frame3}, Mon{*this, "Mon", "Mon", 0, &Frame3},
        Tue{*this, "Tue", "Tue", 0, &Frame3}, Wed{*this, "Wed", "Wed", 0, &Frame3},
        Thur{*this, "Thur", "Thur", 0, &Frame3}, Fri{*this, "Fri", "Fri", 0, &Frame3},
        Sat{*this, "Sat", "Sat", 0, &Frame3};
    TextBox Hour{*this, "Hour", "", &Frame3}, Mins{*this, "Mins", "", &Frame3};
    TextBox Hour00{*this, "Hour00", "", &Frame3}, Mins00{*this, "Mins00", "", &Frame3};
    TextBox DTMFInfo{*this, "DTMFInfo", "", &Frame3};
    Label Label19{*this, "Label19", "Weather Conditions Option Selected", &Frame3};
    Label Label20{*this, "Label20", "Weather Forecast Option Selected", &Frame3};
    Label Label13{*this, "Label13", "15 Seconds Delay", &Frame3};
    CommandButton Command12{*this, "Command12", "File", &Frame3};
    CommandButton Command13{*this, "Command13", "Play", &Frame3};
    CommandButton Command9{*this, "Command9", "Stop", &Frame3};

    // ---- 2nd File
    OptionButton Option10{*this, "Option10", "Set4", "News", false, &Frame4};
    OptionButton Option11{*this, "Option11", "Set4", "Weather Conditions", false, &Frame4};
    OptionButton Option12{*this, "Option12", "Set4", "Weather Forecast", false, &Frame4};
    TextBox Text8x{*this, "Text8x", "", &Frame4};
    CheckBox Play2nd{*this, "Play2nd", "Add 2nd file to the end of \"Audio File 3\" as \"2nd File\"", 0, &Frame4};
    Label Label21{*this, "Label21", "Weather Conditions Option Selected", &Frame4};
    Label Label22{*this, "Label22", "Weather Forecast Option Selected", &Frame4};
    CommandButton Command15{*this, "Command15", "File", &Frame4};
    CommandButton Command21{*this, "Command21", "Play", &Frame4};
    CommandButton Command14{*this, "Command14", "Stop", &Frame4};
    CommandButton Command20{*this, "Command20", "Default", &Frame4};

    // ---- spoken texts
    Frame FrameWarn{*this, "FrameWarn", "Warn Disconnect for news", &Tab2};
    TextBox WarnDisc{*this, "WarnDisc", "", &FrameWarn};
    CommandButton Command10{*this, "Command10", "Test", &FrameWarn};
    Frame FrameEnd{*this, "FrameEnd", "End of News", &Tab2};
    TextBox WarnEnd{*this, "WarnEnd", "", &FrameEnd};
    CommandButton Command2{*this, "Command2", "Test", &FrameEnd};
    Frame FrameEndWX{*this, "FrameEndWX", "End of Weather Report", &Tab2};
    TextBox WarnEndWX{*this, "WarnEndWX", "", &FrameEndWX};
    CommandButton Command17{*this, "Command17", "Test", &FrameEndWX};
    Frame FrameEndNewsWX{*this, "FrameEndNewsWX", "End of File3 set to news Plus 2nd File set to WX  ", &Tab2};
    TextBox WarnEndNewsWX{*this, "WarnEndNewsWX", "", &FrameEndNewsWX};
    CommandButton Command18{*this, "Command18", "Test", &FrameEndNewsWX};

    // ---- player display and volume (outside the tabs)
    Label PTT{*this, "PTT", "PTT OFF"};
    Label ShowTime{*this, "ShowTime", "00:00:00"};
    Label Label8{*this, "Label8", "Time Left"};
    Label Label2{*this, "Label2", "00:00:00"};
    Label Label9{*this, "Label9", "Time Used"};
    Label Label3{*this, "Label3", "00:00:00"};
    Label Label10{*this, "Label10", "Length"};
    Label Label4{*this, "Label4", "00:00:00"};
    Slider V1{*this, "V1", -3000, 0, 0};
    TextBox VolSet{*this, "VolSet", "0"};
    CommandButton Command11{*this, "Command11", "Weather"};
    CommandButton Command16{*this, "Command16", "News Downloads"};
    CommandButton Command5{*this, "Command5", "Save"};
    CommandButton SaveAndExit{*this, "SaveAndExit", "Hide"};

    // The schedule clock.
    SecondTimer Timer2{*this, "Timer2", [this](LocalMs s) { Timer2_Timer(s); }};

    // ---- public methods
    // A Play button's start ends at a failing statement; the schedule's skips it and goes on.
    void NodeStatus(OnFailure rule = OnFailure::EndTheHandler);
    void WarnDisconnect();
    // The end-of-bulletin chain, run from the player's progress timer on every tick.
    void EndOfBulletin();

    // ---- handlers
    void Timer2_Timer(LocalMs second);
    void EchoLink_DTMFString(const std::string& sDigits);
    void EchoLink_Closing();
    void V1_Change();

    // One schedule set (0 Audio File 1, 1 Audio File 2, 2 Audio File 3) or the 2nd File (3).
    struct FileSet {
        OptionButton& news;
        OptionButton& conditions;
        OptionButton& forecast;
        TextBox& file;
        Label& conditionsLabel;
        Label& forecastLabel;
        CommandButton& fileButton;
        CheckBox* days[7];                 // Sunday to Saturday; none for the 2nd File
        TextBox* hour1; TextBox* mins1;
        TextBox* hour2; TextBox* mins2;
        TextBox* dtmf;
    };
    FileSet fileSet(int n);

private:
    // The four file boxes (in fileSet order) as stored and as shown, so SaveData keeps the stored form.
    StoredPath storedFiles_[4];
    enum class Kind { News, Conditions, Forecast };
    enum class Asker { Operator, Unattended };
    Kind kindOf(const FileSet& set) const;
    static OnFailure failureRuleOf(Asker asker);

    void wireHandlers();
    void declareLayout();
    // Whether the bulletin went out (a file handed to the player, or speech that is not dropped);
    // if not, whether it was refused for a reason already logged (no file, no report) or only
    // because its speech would be dropped now (the link busy), which a later second may not be.
    enum class Started { Yes, Refused, NotNow };
    Started StartBulletin(int n, Asker asker);
    void stopButton(bool clearBusy);
    void speakOnAir(const std::string& text);
    void pickFile(TextBox& box);
    void showTypeOf(const FileSet& set);

    // Weather report of that kind, built now; nothing when it cannot be built (the reason is logged).
    std::optional<std::string> weatherReport(Kind kind);
    // The checks of the speak-now path, so a start knows beforehand whether its speech would go out.
    bool speechWouldBeDropped();
    // Hands a news file to the player; an unattended request with no file logs instead.
    bool handNewsFile(const std::string& path, Asker asker, const std::string& what);

    // ---- schedule
    bool startsNow(const FileSet& set, int secondsPart, LocalMs second);
    bool warnsNow(const FileSet& set, LocalMs second);
    // A set's bulletin in its start minute: done once it went out or was refused and logged; a
    // start that failed (EchoLink not answering) is logged once and tried again in the later
    // seconds of its window, as speech that would be dropped is.
    struct StartMinute {
        LocalMs minute = 0;
        bool done = false;
        bool failureLogged = false;
    };
    StartMinute startMinute_[3];

    // ---- end-of-bulletin chain
    void startSecondFile();
    void endBulletin();
};
