// The news download window: creation, settings file maronewsmp3d.ini, the weekly download
// schedules, the runs, the buttons and closing.
#include "news/news_download_window.h"

#include <cmath>
#include <exception>

#include "app/app.h"
#include "core/datetime.h"
#include "core/partial_file.h"
#include "core/settings.h"
#include "core/settings_binding.h"
#include "core/step.h"
#include "core/text.h"
#include "echolink/echolink_app.h"
#include "news/news_player_window.h"

namespace {
constexpr const char* kSettingsFile = "maronewsmp3d.ini";
constexpr const char* kTargets[4] = {
    "C:\\Program Files\\Marovane\\News1.mp3", "C:\\Program Files\\Marovane\\News2.mp3",
    "C:\\Program Files\\Marovane\\News3.mp3", "C:\\Program Files\\Marovane\\News4.mp3"};
constexpr const char* kFrameCaptions[4] = {
    "Audio File 1   -  mp3  - Will Be Saved As ", "Audio File 2   -  mp3  - Will Be Saved As ",
    "Audio File 3   -  mp3  - Will Be Saved As ", "2nd Audio File  -  mp3  - Will Be Saved As "};
constexpr const char* kReady = "Ready For Next Download";
constexpr const char* kDownloading = "Downloading";
constexpr LocalMs kMinuteMs = 60 * 1000;

// An hour or minute box read by value ("6" and "06" alike); nothing when it is no whole number
// in range (hour "24" switches a schedule off).
std::optional<int> boxValue(const TextBox& box, int max) {
    const auto v = toNumber(box.text());
    if (!v || *v != std::floor(*v) || *v < 0 || *v > max) return std::nullopt;
    return static_cast<int>(*v);
}
}  // namespace

Form13::Form13(FormHost& host) : Form(host, "Form13") {
    Width = 7980;
    Height = 8220;
    for (int n = 1; n <= 4; ++n) {
        Slot s = slot(n);
        s.check.setToolTip("Tick to Enable Read URL");
        s.button.setToolTip("Test and load URL");
        s.url.setToolTip("Enter the URL for your Audio File.  ( No FTP Site Downloads)");
    }
    Command5.setToolTip("Save Your Data");
    Command2.setToolTip("Hide this screen");
    cmdCancel.setEnabled(false);
    wireHandlers();
    declareLayout();
}

Form13::Slot Form13::slot(int n) {
    switch (n) {
    case 1: return {txtURL11, Check1, Command12};
    case 2: return {txtURL22, Check2, Command17};
    case 3: return {txtURL33, Check3, Command14};
    default: return {Text1, Check4, Command1};
    }
}

std::string Form13::slotTarget(int n) { return app().mapPath(kTargets[n - 1]); }

void Form13::wireHandlers() {
    for (int n = 1; n <= 4; ++n)
        slot(n).button.onClick([this, n] { run(n, n, false); });
    cmdGo.onClick([this] { cmdGo_Click(); });
    cmdCancel.onClick([this] { cmdCancel_Click(); });
    Command3.onClick([this] { app().form24().Show(); });
    Command5.onClick([this] { SaveData(); });
    Command2.onClick([this] { Hide(); });
}

void Form13::load() {
    createEchoLink();
    EchoLink().Closing = [this] { EchoLink_Closing(); };
    setCaption(app().windowCaption("   MP3 Downloader"));
    Frame* frames[4] = {&Frame1, &Frame2, &Frame3, &Frame4};
    for (int n = 1; n <= 4; ++n) frames[n - 1]->setCaption(kFrameCaptions[n - 1] + quoted(slotTarget(n)));
    // What a download killed part-way left beside its target goes; one that another copy of the
    // program is still making into the same folder stays.
    for (int n = 1; n <= 4; ++n) removeLeftoverPartialFiles(slotTarget(n));

    SettingsFile ini(host().settingsPath(kSettingsFile));
    const std::pair<const char*, CheckBox*> days2[] = {{"SUNx", &Sunx}, {"MONx", &Monx}, {"TUEx", &Tuex},
                                                       {"WEDx", &Wedx}, {"THURx", &Thurx}, {"FRIx", &Frix},
                                                       {"SATx", &Satx}};
    const std::pair<const char*, CheckBox*> days1[] = {{"SUN", &Sun}, {"MON", &Mon},   {"TUE", &Tue}, {"WED", &Wed},
                                                       {"THUR", &Thur}, {"FRI", &Fri}, {"SAT", &Sat}};
    for (auto [key, box] : days2) loadCheck(*this, ini, key, *box, "0");
    loadText(*this, ini, "HOURx", Hourx, "24");
    loadText(*this, ini, "MINSx", Minsx, "00");
    for (auto [key, box] : days1) loadCheck(*this, ini, key, *box, "0");
    loadText(*this, ini, "HOUR", Hour, "24");
    loadText(*this, ini, "MINS", Mins, "00");
    loadText(*this, ini, "TXTURL11", txtURL11, "ftp://ftp.news.example.com/news/bulletin.mp3");
    loadText(*this, ini, "TXTURL22", txtURL22, "Enter Your URL here");
    loadText(*this, ini, "TXTURL33", txtURL33, "http://www.news.example.com/audio/bulletin.mp3");
    loadCheck(*this, ini, "CHECK1", Check1, "0");
    loadCheck(*this, ini, "CHECK2", Check2, "0");
    loadCheck(*this, ini, "CHECK3", Check3, "0");
    loadCheck(*this, ini, "CHECK4", Check4, "0");
    loadText(*this, ini, "TEXT1", Text1, "http://www.news.example.com/audio/weather.mp3");
    loadPosition(*this, ini);
}

void Form13::SaveData() {
    SettingsFile ini(host().settingsPath(kSettingsFile));
    const std::pair<const char*, CheckBox*> days2[] = {{"SUNx", &Sunx}, {"MONx", &Monx}, {"TUEx", &Tuex},
                                                       {"WEDx", &Wedx}, {"THURx", &Thurx}, {"FRIx", &Frix},
                                                       {"SATx", &Satx}};
    const std::pair<const char*, CheckBox*> days1[] = {{"SUN", &Sun}, {"MON", &Mon},   {"TUE", &Tue}, {"WED", &Wed},
                                                       {"THUR", &Thur}, {"FRI", &Fri}, {"SAT", &Sat}};
    for (auto [key, box] : days2) saveCheck(ini, key, *box);
    saveText(ini, "HOURx", Hourx);
    saveText(ini, "MINSx", Minsx);
    for (auto [key, box] : days1) saveCheck(ini, key, *box);
    saveText(ini, "HOUR", Hour);
    saveText(ini, "MINS", Mins);
    saveText(ini, "TXTURL11", txtURL11);
    saveText(ini, "TXTURL22", txtURL22);
    saveText(ini, "TXTURL33", txtURL33);
    saveCheck(ini, "CHECK1", Check1);
    saveCheck(ini, "CHECK2", Check2);
    saveCheck(ini, "CHECK3", Check3);
    saveCheck(ini, "CHECK4", Check4);
    saveText(ini, "TEXT1", Text1);
    savePosition(ini, *this);
    saveOrLog(*this, ini);
}

// ---------------------------------------------------------------- schedule clock

// A schedule is due in seconds 02 to 07 of its minute on a ticked day, once in that minute.
bool Form13::scheduleDue(int schedule, LocalMs t) {
    CheckBox* days1[7] = {&Sun, &Mon, &Tue, &Wed, &Thur, &Fri, &Sat};
    CheckBox* days2[7] = {&Sunx, &Monx, &Tuex, &Wedx, &Thurx, &Frix, &Satx};
    CheckBox* day = (schedule == 1 ? days1 : days2)[weekday(t) - 1];
    if (day->value() != 1) return false;
    const int s = secondOf(t);
    if (s < 2 || s > 7) return false;
    const auto h = boxValue(schedule == 1 ? Hour : Hourx, 23);
    const auto m = boxValue(schedule == 1 ? Mins : Minsx, 59);
    if (!h || !m || hourOf(t) != *h || minuteOf(t) != *m) return false;
    const LocalMs minute = t - t % kMinuteMs;
    auto& last = lastRunMinute_[schedule - 1];
    if (last && *last == minute) return false;
    last = minute;
    return true;
}

// Every second once, a late one with its own time. A schedule due while a download (a run, a
// "URL" button or "Connect") is going waits for it to end and then runs, so two schedules set to
// one minute each download once however long the first one's server takes.
void Form13::Beacon4_Timer(LocalMs second) {
    step([&] { ShowTime2.setCaption(timeText(second)); });
    for (int schedule = 1; schedule <= 2; ++schedule)
        step([&] {
            if (scheduleDue(schedule, second)) startSchedule(schedule);
        });
}

void Form13::startSchedule(int schedule) {
    if (bDownloading || Label2.caption() == kDownloading) {
        waiting_[schedule - 1] = true;
        return;
    }
    if (schedule == 1)
        GetURL2();
    else
        GetURL();
}

// After a download ends: a schedule that came due meanwhile runs next, on its own turn of the loop.
void Form13::startWaitingSchedule() {
    for (int schedule = 1; schedule <= 2; ++schedule) {
        if (!waiting_[schedule - 1]) continue;
        waiting_[schedule - 1] = false;
        postToWindow([this, schedule] { startSchedule(schedule); });
        return;
    }
}

// ---------------------------------------------------------------- runs and buttons

void Form13::GetURL2() { run(1, 2, true); }
void Form13::GetURL() { run(3, 4, true); }

void Form13::setButtonsForRun(bool running) {
    cmdCancel.setEnabled(running);
    for (int n = 1; n <= 4; ++n) slot(n).button.setEnabled(!running);
    cmdGo.setEnabled(!running);
}

// One run over slots first..last, one slot after the other as each download ends; a cancel ends
// the whole run and leaves every file as it was.
void Form13::run(int first, int last, bool onlyTicked) {
    if (bDownloading) return;   // one download at a time
    bCancel = false;
    Label2.setCaption(kDownloading);
    setButtonsForRun(true);
    runFrom(first, last, onlyTicked);
}

void Form13::runFrom(int n, int last, bool onlyTicked) {
    while (n <= last && onlyTicked && slot(n).check.value() != 1) ++n;
    if (n > last || bCancel) {
        endRun();
        return;
    }
    slot(n).check.setCaption("Downloading File ");
    DownloadAFile(slotTarget(n), slot(n).url.text(), false, true, [this, n, last, onlyTicked](bool ok) {
        const LocalMs t = now();
        slot(n).check.setCaption(std::string(ok ? "Download Complete  " : "Download Failed  ") + shortDate(t) +
                                 " at " + timeText(t));
        runFrom(n + 1, last, onlyTicked);
    });
}

void Form13::endRun() {
    setButtonsForRun(false);
    Label2.setCaption(kReady);
    lblData0.setCaption("");
    startWaitingSchedule();
}

void Form13::cmdGo_Click() {
    if (bDownloading) return;   // a scheduled run or a slot is downloading
    bCancel = false;
    setButtonsForRun(true);
    Label2.setCaption(kDownloading);
    DownloadAFile(slotTarget(4), txtURL.text(), false, true, [this](bool ok) {
        const LocalMs t = now();
        lblLabel.setCaption(std::string(ok ? "Download Complete  " : "Download Failed  ") + shortDate(t) + " at " +
                            timeText(t));
        setButtonsForRun(false);
        Label2.setCaption(kReady);
        startWaitingSchedule();
    });
}

void Form13::askCancel() {
    bCancel = true;
    if (cancelFlag_) *cancelFlag_ = true;
}

void Form13::cmdCancel_Click() { askCancel(); }

// Closing the frame during a download hides the window and stops the download; the speed timer
// unloads the window once it has stopped. Otherwise the window unloads at once.
void Form13::closeRequest() {
    if (bDownloading) {
        Hide();
        askCancel();
        tmrSpeedTestTag = "CLOSEAPP";
        tmrSpeedTest.setInterval(500);
        tmrSpeedTest.enable();
        return;
    }
    unload();
}

// EchoLink closing: this window saves nothing; it only lets go of the transmitter.
void Form13::closingDuties() { step([&] { EchoLink().KeyTransmitter(false); }); }

void Form13::EchoLink_Closing() { app().echoLinkClosing(); }
