#pragma once
// Form13: the news downloads. Four slots, each a web or FTP address and a fixed news file of the
// install folder (News1.mp3 to News4.mp3), downloaded on two weekly schedules (files 1 and 2,
// files 3 and 4), by each slot's "URL" button, or from the manual line's "Connect".
#include <array>
#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "core/form.h"
#include "core/off_loop.h"

class Form13 : public Form {
public:
    explicit Form13(FormHost& host);
    void load() override;
    void SaveData() override;
    void closingDuties() override;
    void closeRequest() override;

    TabStrip SSTab1{*this, "SSTab1"};
    TabPage Tab1{SSTab1, "Tab1", "Downloads"};

    // ---- slots
    Frame Frame1{*this, "Frame1", "", &Tab1};
    TextBox txtURL11{*this, "txtURL11", "", &Frame1};
    CheckBox Check1{*this, "Check1", "Download This File", 0, &Frame1};
    CommandButton Command12{*this, "Command12", "URL", &Frame1};
    Frame Frame2{*this, "Frame2", "", &Tab1};
    TextBox txtURL22{*this, "txtURL22", "", &Frame2};
    CheckBox Check2{*this, "Check2", "Download This File", 0, &Frame2};
    CommandButton Command17{*this, "Command17", "URL", &Frame2};
    Frame Frame3{*this, "Frame3", "", &Tab1};
    TextBox txtURL33{*this, "txtURL33", "", &Frame3};
    CheckBox Check3{*this, "Check3", "Download This File", 0, &Frame3};
    CommandButton Command14{*this, "Command14", "URL", &Frame3};
    Frame Frame4{*this, "Frame4", "", &Tab1};
    TextBox Text1{*this, "Text1", "", &Frame4};
    CheckBox Check4{*this, "Check4", "Download This File", 0, &Frame4};
    CommandButton Command1{*this, "Command1", "URL", &Frame4};

    // ---- schedule 1 (files 1 and 2)
    Frame Frame5{*this, "Frame5", "Scheduled Day and Time for URL Downloads    ( Files 1 and 2 )", &Tab1};
    CheckBox Sun{*this, "Sun", "Sun", 0, &Frame5}, Mon{*this, "Mon", "Mon", 0, &Frame5},
        Tue{*this, "Tue", "Tue", 0, &Frame5}, Wed{*this, "Wed", "Wed", 0, &Frame5},
        Thur{*this, "Thur", "Thur", 0, &Frame5}, Fri{*this, "Fri", "Fri", 0, &Frame5},
        Sat{*this, "Sat", "Sat", 0, &Frame5};
    TextBox Hour{*this, "Hour", "", &Frame5}, Mins{*this, "Mins", "", &Frame5};
    // ---- schedule 2 (files 3 and 4)
    Frame Frame6{*this, "Frame6", "Scheduled Day and Time for  FTP  Downloads    ( Files 3 and 4 ) ", &Tab1};
    CheckBox Sunx{*this, "Sunx", "Sun", 0, &Frame6}, Monx{*this, "Monx", "Mon", 0, &Frame6},
        Tuex{*this, "Tuex", "Tue", 0, &Frame6}, Wedx{*this, "Wedx", "Wed", 0, &Frame6},
        Thurx{*this, "Thurx", "Thur", 0, &Frame6}, Frix{*this, "Frix", "Fri", 0, &Frame6},
        Satx{*this, "Satx", "Sat", 0, &Frame6};
    TextBox Hourx{*this, "Hourx", "", &Frame6}, Minsx{*this, "Minsx", "", &Frame6};

    // ---- status, clock, buttons
    Label Label2{*this, "Label2", "Ready For Next Download", &Tab1};
    Label ShowTime2{*this, "ShowTime2", "00:00:00", &Tab1};
    Label lblData0{*this, "lblData(0)", "", &Tab1};   // kilobytes received
    CommandButton Command3{*this, "Command3", "News / WX", &Tab1};
    CommandButton Command5{*this, "Command5", "Save Changes", &Tab1};
    CommandButton Command2{*this, "Command2", "Hide", &Tab1};

    // ---- manual download line and progress monitor
    TextBox txtURL{*this, "txtURL", "http://news.example.com/audio/latest.mp3"};
    CommandButton cmdGo{*this, "cmdGo", "Connect"};
    CommandButton cmdCancel{*this, "cmdCancel", "Cancel"};
    Label lblLabel{*this, "lblLabel", "Progress Monitor"};
    Label txtPercent{*this, "txtPercent", ""};
    Label Percent{*this, "Percent", ""};
    Label lblData1{*this, "lblData(1)", "Average"};
    Label lblData2{*this, "lblData(2)", "Time Left"};

    SecondTimer Beacon4{*this, "Beacon4", [this](LocalMs s) { Beacon4_Timer(s); }};
    Timer tmrSpeedTest{*this, "tmrSpeedTest", 1000, [this] { tmrSpeedTest_Timer(); }};
    std::string tmrSpeedTestTag;   // the expected size of the current download, or "CLOSEAPP"

    // ---- the download engine
    bool bDownloading = false;
    bool bCancel = false;
    std::int64_t lBytesDone = 0;
    std::int64_t lBytesAtLastTick = 0;
    // Starts downloading sURLfrom (http:// or ftp://) into sFileName off the loop; the station and
    // this window (progress, "Cancel") go on meanwhile, and `done` gets the result once the
    // download has ended. The old file is replaced only when the whole file arrived; a refused
    // address, an HTTP error, a transport error, a broken-off transfer or a cancel is a failure,
    // logged with its reason.
    void DownloadAFile(const std::string& sFileName, const std::string& sURLfrom, bool bShowStatus,
                       bool bProgressBar, std::function<void(bool ok)> done);
    void ProgressBar(std::int64_t lSize, std::int64_t lDone, const std::string& sFiles);
    static std::string ConvSeconds(long intMin);

    // ---- runs
    void GetURL2();   // schedule 1: slots 1 and 2
    void GetURL();    // schedule 2: slots 3 and 4
    void Beacon4_Timer(LocalMs second);
    void tmrSpeedTest_Timer();
    void cmdGo_Click();
    void cmdCancel_Click();
    void EchoLink_Closing();

    // The target file of slot 1 to 4.
    std::string slotTarget(int slot);

private:
    struct Slot {
        TextBox& url;
        CheckBox& check;
        CommandButton& button;
    };
    Slot slot(int n);   // 1 to 4
    void wireHandlers();
    void declareLayout();
    void declareSchedule(WindowLayout& l, Frame& frame, std::array<CheckBox*, 7> days, TextBox& hour, TextBox& mins,
                         const std::string& id);
    void run(int firstSlot, int lastSlot, bool onlyTicked);
    void runFrom(int slot, int lastSlot, bool onlyTicked);
    void endRun();
    void askCancel();
    void showProgress(std::int64_t received, std::int64_t total, bool bar, const std::string& file);
    std::int64_t expectedBytes_ = 0;
    void setButtonsForRun(bool running);
    bool scheduleDue(int schedule, LocalMs t);
    void startSchedule(int schedule);
    void startWaitingSchedule();
    std::optional<LocalMs> lastRunMinute_[2];   // a schedule downloads once in its minute
    bool waiting_[2] = {false, false};          // due while another download was going
    std::shared_ptr<std::atomic<bool>> cancelFlag_;   // what the running transfer sees of bCancel
    OffLoopWork transfers_{*this};              // declared last, so it stops first
};
