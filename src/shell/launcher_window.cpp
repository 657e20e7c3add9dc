// The launcher's creation (the program's start) and the program's orderly ends.
#include "shell/launcher_window.h"

#include "app/app.h"
#include "core/settings_binding.h"
#include "core/step.h"
#include "echolink/echolink_app.h"
#include "shell/single_instance.h"
#include "shell/web_addresses.h"

namespace {
constexpr const char* kSettingsFile = "maroabc.ini";
}

Form5::Form5(FormHost& host) : Form(host, "Form5") {
    Command1.setToolTip("Setup Time / Call / Beacons");
    Command8.setToolTip("News Player");
    Command7.setToolTip("Hide All of The Above Programs");
    Command6.setToolTip("About this program");
    Command14.setToolTip("Show the Courtesy Tones Screen");
    Command15.setToolTip("Text Box Greetings");
    Command3.setToolTip("DTMF Player");
    Command12.setToolTip("See The Online Help");
    Command5.setToolTip("Save the Data in ALL of the Above Programs and Exit");
    Check1.setToolTip("When Ticked the Program Will Start in The Tool Tray (Bottom Right of The Screen)");
    Command9.setToolTip("Put the Marovane program into the System Tray (Bottom Right)");
    declareLayout();

    Command1.onClick([this] { showWindow("Form3"); });
    Command8.onClick([this] { showWindow("Form24"); });
    Command21.onClick([this] { showWindow("Form111"); });
    Command13.onClick([this] { showWindow("Form4"); });
    Command22.onClick([this] { showWindow("Form114"); });
    Command6.onClick([this] { showWindow("Form14"); });
    Command14.onClick([this] { showWindow("Form22"); });
    Command11.onClick([this] { showWindow("Messages"); });
    Command15.onClick([this] { showWindow("Form10"); });
    Command3.onClick([this] { showWindow("Form23"); });
    Command4.onClick([this] { showWindow("Form1"); });
    Command25.onClick([this] { showWindow("Form121"); });
    Command7.onClick([this] { hideWindows(hideOrder()); });
    Command12.onClick([this] { app().shell().openUrl(web::kHelpPage); });
    Command9.onClick([this] { PutInSystemTray(); });
    Command5.onClick([this] { SaveExit(); });
}

Form5::~Form5() {
    // Unloaded while the program runs on: the icon must not outlive its window.
    if (inTray_) step([&] { app().tray().remove(); });
}

const std::vector<std::string>& Form5::saveOrder() {
    static const std::vector<std::string> order = {"Form1",  "Form3",  "Form4",   "Form10",  "Form13",
                                                    "Form22", "Form23", "Form24",  "Form110", "Form111",
                                                    "Form114", "Form116", "Form123"};
    return order;
}

const std::vector<std::string>& Form5::hideOrder() {
    static const std::vector<std::string> order = {"Form1",   "Form3",   "Form4",   "Form10",  "Form13",
                                                    "Form14",  "Form22",  "Form23",  "Form24",  "Form110",
                                                    "Form111", "Form114", "Form116", "Form123", "Messages"};
    return order;
}

void Form5::attempt(const std::string& what, const std::function<void()>& part) {
    try {
        part();
    } catch (const ProgramEnded&) {
        throw;
    } catch (const std::exception& e) {
        LogError(what + ": " + e.what());
    } catch (...) {
        LogError(what + ": unknown failure");
    }
}

// ---------------------------------------------------------------- start-up
void Form5::load() {
    createEchoLink();
    EchoLink().Closing = [this] { EchoLink_Closing(); };
    EchoLink().ChatTextReceived = [this](const std::string& sText) { EchoLink_ChatTextReceived(sText); };
    SysopModeCheck();
    if (!singleInstance()) {
        app().dialogs().messageBox(App::kProductName, "Program is already running.", MsgButtons::Ok, MsgIcon::None);
        app().setExitStatus(1);
        app().endProgram();
    }
    createToolWindows();
    setCaption(app().windowCaption());
    const SettingsFile ini(host().settingsPath(kSettingsFile));
    loadCheck(*this, ini, "CHECK1", Check1, "0");
    if (Check1.value() == 1) AddToTray();
    attempt("Releasing the transmitter at start-up", [&] { EchoLink().KeyTransmitter(false); });
    attempt("Clearing the busy listing at start-up", [&] { EchoLink().Busy(false); });
    if (!inTray_) Show();
}

void Form5::SysopModeCheck() {
    std::string call;
    try {
        call = EchoLink().LocalNode().NodeCallsign;
    } catch (const EchoLinkError& e) {
        // Without an answer the mode cannot be known; refusing to run would help nobody.
        LogError(std::string("EchoLink did not give the node callsign, sysop mode not checked: ") + e.what());
        return;
    }
    if (call.find('-') != std::string::npos) return;
    app().dialogs().messageBox(App::kProductName,
                               "                    This Program ONLY Runs in Sysop Mode\r\n\r\n"
                               " Visit the Website for more information.  " +
                                   std::string(web::kProductSite),
                               MsgButtons::Ok, MsgIcon::None);
    step([&] { app().shell().openUrl(web::kProductSite); });
    app().endProgram();
}

bool Form5::singleInstance() {
    bool heldElsewhere = false;
    std::string problem;
    instanceLock_ = InstanceLock::acquire(InstanceLock::lockPath(app().folders()), heldElsewhere, problem);
    if (!instanceLock_ && !heldElsewhere)
        LogError("Cannot use the lock file " + InstanceLock::lockPath(app().folders()) + " (" + problem +
                 "): a second copy of the program would not be noticed");
    return instanceLock_ || !heldElsewhere;
}

// Each tool window is created hidden and runs its creation to the end before the next; one that
// fails is logged and the others still start, so their schedules run from the first second.
void Form5::createToolWindows() {
    for (const std::string& name : App::startupOrder())
        attempt("Creating " + name, [&] { app().formByName(name); });
}

// ---------------------------------------------------------------- settings
void Form5::SaveData() {
    // Read first, so keys of our own in the file (the version file's address) are kept.
    SettingsFile ini(host().settingsPath(kSettingsFile));
    saveCheck(ini, "CHECK1", Check1);
    saveOrLog(*this, ini);
}

// ---------------------------------------------------------------- the ends
void Form5::SaveExit() {
    const int failedBefore = app().failedSaves();
    attempt("Save / Exit", [&] { EchoLink().KeyTransmitter(false); });
    attempt("Save / Exit", [&] { EchoLink().Busy(false); });
    attempt("Save / Exit", [&] { EchoLink().LinkEnabled(true); });
    for (const std::string& name : saveOrder())
        attempt("Saving " + name, [&] { app().formByName(name)->SaveData(); });
    RemoveFromTray();
    attempt("Saving Messages", [&] { app().formByName("Messages")->SaveData(); });
    attempt("Saving the launcher", [&] { SaveData(); });
    if (app().failedSaves() > failedBefore) app().setExitStatus(1);   // asked to save, and could not
    app().endProgram();
}

void Form5::closeRequest() {
    step([&] { RemoveFromTray(); });
    step([&] { EchoLink().KeyTransmitter(false); });
    step([&] { EchoLink().Busy(false); });
    app().endProgram();
}

void Form5::closingDuties() {
    step([&] { EchoLink().KeyTransmitter(false); });
    step([&] { SaveData(); });
}

// Every window's closing duties (this one's among them) run in start-up order, then the end.
void Form5::EchoLink_Closing() { app().echoLinkClosing(); }
