#pragma once
// The application object: owns the clock, the loop, the node and the services, creates the tool
// windows in start-up order and holds them. Windows reach each other and the services here.
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "app/services.h"
#include "core/clock.h"
#include "core/event_loop.h"
#include "core/form.h"
#include "core/paths.h"
#include "core/transcript.h"
#include "echolink/raised_lines.h"
#include "echolink/simulated_node.h"

class Form1; class Form3; class Form4; class Form5; class Form10; class Form13; class Form14; class Form22;
class Form23; class Form24; class Form110; class Form111; class Form113; class Form114; class Form115;
class Form116; class Form117; class Form120; class Form121; class Form122; class Form123; class Form126;
class Form128; class Form150; class Messages;

// Repaints the view when models change (the GUI sets one; headless has none).
class ViewListener {
public:
    virtual ~ViewListener() = default;
    virtual void controlChanged(Control& control) = 0;
    virtual void formChanged(Form& form) = 0;
    virtual void formShown(Form& form) {}   // Show() called: bring it to the front
};

struct AppOptions {
    std::shared_ptr<Clock> clock;          // the clock to run on; by default made from virtualStart
    std::optional<LocalMs> virtualStart;   // run on a virtual clock from this moment
    Folders folders = defaultFolders();
    std::string callsign = "N0CALL-L";
    bool keepTranscript = true;            // tests read it back; the program only streams it
};

class App final : public FormHost {
public:
    static constexpr int kVersionMajor = 1, kVersionMinor = 0, kVersionRevision = 0;
    static constexpr const char* kProductName = "MVSmall";

    App(AppOptions options, Services services);
    ~App() override;

    // ---- FormHost
    EventLoop& loop() override { return loop_; }
    std::shared_ptr<EchoLinkApp> newEchoLink(const std::string& window = "") override { return node_.newApp(window); }
    std::string settingsPath(const std::string& fileName) const override;
    // The one way to append to the error log (shows the window).
    void LogError(const std::string& message) override;
    void controlChanged(Control& control) override;
    void formChanged(Form& form) override;
    void formShown(Form& form) override;

    // ---- what the windows share
    Clock& clock() { return *clock_; }
    VirtualClock* virtualClock() { return dynamic_cast<VirtualClock*>(clock_.get()); }
    Transcript& transcript() { return transcript_; }
    SimulatedNode& node() { return node_; }
    // Which control lines the program holds up, and why; every raise and lower goes through it.
    RaisedLines& raisedLines() { return raisedLines_; }
    const Folders& folders() const { return options_.folders; }
    std::string dataPath(const std::string& file) const { return joinPath(options_.folders.data, file); }
    std::string mapPath(const std::string& stored) const override { return mapStoredPath(stored, options_.folders); }
    AudioService& audio() { return *services_.audio; }
    SpeechService& speech() { return *services_.speech; }
    TransferService& transfer() { return *services_.transfer; }
    WebPageText& webText() { return *services_.webText; }
    ShellService& shell() { return *services_.shell; }
    DialogService& dialogs() { return *services_.dialogs; }
    TrayService& tray() { return *services_.tray; }
    void setView(ViewListener* view) { view_ = view; }

    // Caption of a window: product, four blanks, callsign, "   v", version, then the suffix.
    std::string windowCaption(const std::string& suffix = "");
    static std::string versionText();

    // ---- windows: created on first use (the launcher creates the start-up set in order)
    Form1& form1();
    Form3& form3();
    Form4& form4();
    Form5& form5();
    Form10& form10();
    Form13& form13();
    Form14& form14();
    Form22& form22();
    Form23& form23();
    Form24& form24();
    Form110& form110();
    Form111& form111();
    Form113& form113();
    Form114& form114();
    Form115& form115();
    Form116& form116();
    Form117& form117();
    Form120& form120();
    Form121& form121();
    Form122& form122();
    Form123& form123();
    Form126& form126();
    Form128& form128();
    Form150& form150();
    Messages& messages();
    // The window of that name, created if need be; nullptr for an unknown name.
    Form* formByName(const std::string& name);
    // Windows that exist now (created and not unloaded), in creation order.
    std::vector<Form*> existingForms() const;
    bool exists(const std::string& name) const;

    // The tool windows start-up creates, in its order.
    static const std::vector<std::string>& startupOrder();
    void createStartupWindows();

    // Ends the program at once, from any handler: releases the transmitter and every control
    // line first. Throws ProgramEnded, which unwinds every handler on the stack.
    [[noreturn]] void endProgram();
    // EchoLink is closing: every window's closingDuties() in creation (start-up) order, each
    // failure skipped, then the program ends once. Every window's Closing handler calls this.
    [[noreturn]] void echoLinkClosing();
    // Releases the transmitter and the lines without ending (also used on crash paths); false
    // when EchoLink did not answer the release.
    bool releaseTransmitter();
    bool ended() const { return ended_; }
    // What the process returns: 0, or 1 when the program failed at what it was asked (a second
    // copy refused, Save / Exit with a save that failed).
    int exitStatus() const { return exitStatus_; }
    void setExitStatus(int status) { exitStatus_ = status; }
    // How many settings saves failed so far.
    int failedSaves() const { return failedSaves_; }
    void settingsSaved(bool ok) override;
    // Runs an operator action or test step as the loop would, catching the end of the program.
    void act(const std::function<void()>& action);

private:
    template <class T>
    T& window(std::unique_ptr<T>& slot);
    void buryUnloaded();

    AppOptions options_;
    std::shared_ptr<Clock> clock_;
    EventLoop loop_;
    Transcript transcript_;
    SimulatedNode node_;
    RaisedLines raisedLines_;
    Services services_;
    std::shared_ptr<EchoLinkApp> echoLink_;   // the application's own, for the release on every end
    ViewListener* view_ = nullptr;
    bool ended_ = false;
    int exitStatus_ = 0;
    int failedSaves_ = 0;
    std::set<std::string> damagedSettings_;   // reported once each
    std::vector<Form*> creationOrder_;
    std::vector<std::unique_ptr<Form>> graveyard_;

    std::unique_ptr<Form1> form1_;
    std::unique_ptr<Form3> form3_;
    std::unique_ptr<Form4> form4_;
    std::unique_ptr<Form5> form5_;
    std::unique_ptr<Form10> form10_;
    std::unique_ptr<Form13> form13_;
    std::unique_ptr<Form14> form14_;
    std::unique_ptr<Form22> form22_;
    std::unique_ptr<Form23> form23_;
    std::unique_ptr<Form24> form24_;
    std::unique_ptr<Form110> form110_;
    std::unique_ptr<Form111> form111_;
    std::unique_ptr<Form113> form113_;
    std::unique_ptr<Form114> form114_;
    std::unique_ptr<Form115> form115_;
    std::unique_ptr<Form116> form116_;
    std::unique_ptr<Form117> form117_;
    std::unique_ptr<Form120> form120_;
    std::unique_ptr<Form121> form121_;
    std::unique_ptr<Form122> form122_;
    std::unique_ptr<Form123> form123_;
    std::unique_ptr<Form126> form126_;
    std::unique_ptr<Form128> form128_;
    std::unique_ptr<Form150> form150_;
    std::unique_ptr<Messages> messages_;
};
