#pragma once
// The base of every tool window: its controls, timers, EchoLink object and settings.
#include <exception>
#include <functional>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "core/clock.h"
#include "core/controls.h"
#include "core/layout.h"
#include "core/second_timer.h"
#include "core/step.h"
#include "core/timer.h"

class App;
class EchoLinkApp;
class EventLoop;
class Form;

// What a window needs of the program around it; the application object provides it.
class FormHost {
public:
    virtual ~FormHost() = default;
    virtual EventLoop& loop() = 0;
    // `window` names the window the object serves.
    virtual std::shared_ptr<EchoLinkApp> newEchoLink(const std::string& window = "") = 0;
    virtual std::string settingsPath(const std::string& fileName) const = 0;
    // A stored or default path as this machine names it (the old install and weather folders).
    virtual std::string mapPath(const std::string& stored) const = 0;
    virtual void LogError(const std::string& message) = 0;
    virtual void controlChanged(Control& control) = 0;
    virtual void formChanged(Form& form) = 0;
    // Each settings save reports whether it succeeded.
    virtual void settingsSaved(bool /*ok*/) {}
    // Show() was called: the window comes to the front, also when it was up already.
    virtual void formShown(Form& form) {}
};

class Form {
public:
    Form(FormHost& host, std::string name, std::string caption = "");
    virtual ~Form();
    Form(const Form&) = delete;
    Form& operator=(const Form&) = delete;

    const std::string& name() const { return name_; }
    const std::string& caption() const { return caption_; }
    void setCaption(const std::string& c);

    bool visible() const { return visible_; }
    void Show();
    void Hide();
    // Position in twips, as stored in the settings files.
    int Left = 300;
    int Top = 300;
    int Width = 0;
    int Height = 0;
    void Move(int left, int top);

    // The window's creation steps (run once, right after construction, by the application).
    virtual void load() {}
    // Writes the window's settings file in full; windows without settings do nothing.
    virtual void SaveData() {}
    // What the window must do when EchoLink closes (release what it drives, save where it saves).
    // The application runs these for every window in start-up order, then ends once.
    virtual void closingDuties() {}
    // The operator closes the window's frame. By default the window is unloaded.
    virtual void closeRequest() { unload(); }
    // Drops the window: timers stop, its EchoLink object goes; the application creates it
    // afresh (settings re-read) when it is next used.
    void unload();
    bool unloaded() const { return unloaded_; }

    // Each window has its own EchoLink automation object, created in its creation steps.
    EchoLinkApp& EchoLink();
    void createEchoLink();
    bool hasEchoLink() const { return echoLink_ != nullptr; }

    App& app() const;
    FormHost& host() const { return host_; }
    EventLoop& loop() const;
    Clock& clock() const;
    LocalMs now() const;
    std::string timeNow() const;   // "hh:mm:ss"
    void LogError(const std::string& message) { host_.LogError(message); }
    // A failure ends the work at that step and goes to the error log as "what <-- why"; the
    // result says whether the work got through.
    template <class F>
    bool endsOnFailure(const std::string& what, F&& f);
    // The same for work a timer repeats until it gets through: a failure that repeats every tick
    // is logged once, until the work succeeds again, so an EchoLink that stopped answering does
    // not flood the log.
    template <class F>
    bool tickEndsOnFailure(const std::string& what, F&& f);
    // The operator's own action on one of the window's controls (pressed, ticked, typed into), or
    // on the window itself (`what`: its frame closed or moved). A call to an outside program that
    // does not get through ends the action there, as the windows' handlers may, and the error log
    // names the window, the control and what failed. Any other failure is a fault of this program
    // and goes on to the loop's report of internal errors.
    void asOperator(const Control& control, const std::function<void()>& action);
    void asOperator(const std::string& what, const std::function<void()>& action);
    // Runs `work` on a later turn of the loop, unless the window has been unloaded or destroyed by
    // then. Any thread may call it: results of work done off the loop come back this way.
    void postToWindow(std::function<void()> work);

    // How the operator sees the window: rows, captions, hidden shared state, frame and opening place.
    WindowLayout& layout() { return layout_; }
    const WindowLayout& layout() const { return layout_; }

    const std::vector<Control*>& controls() const { return controls_; }
    Control* findControl(const std::string& name) const;   // without regard to case
    const std::vector<Timer*>& timers() const { return timers_; }
    Timer* findTimer(const std::string& name) const;

    // Called by controls and timers as they are constructed.
    void registerControl(Control& c) { controls_.push_back(&c); }
    void registerTimer(Timer& t) { timers_.push_back(&t); }
    void controlChanged(Control& c) { host_.controlChanged(c); }

private:
    void reportFailure(const std::string& what, const std::exception& e);

    FormHost& host_;
    std::string name_;
    std::string caption_;
    bool visible_ = false;
    bool unloaded_ = false;
    std::shared_ptr<EchoLinkApp> echoLink_;
    std::vector<Control*> controls_;
    std::vector<Timer*> timers_;
    WindowLayout layout_{*this};
    std::shared_ptr<int> life_ = std::make_shared<int>(0);   // gone with the window
    std::set<std::string> failingTicks_;                     // repeated work whose failure is logged
};

template <class F>
bool Form::endsOnFailure(const std::string& what, F&& f) {
    try {
        f();
        return true;
    } catch (const ProgramEnded&) {
        throw;
    } catch (const std::exception& e) {
        reportFailure(what, e);
        return false;
    }
}

template <class F>
bool Form::tickEndsOnFailure(const std::string& what, F&& f) {
    try {
        f();
        failingTicks_.erase(what);
        return true;
    } catch (const ProgramEnded&) {
        throw;
    } catch (const std::exception& e) {
        if (failingTicks_.insert(what).second) reportFailure(what, e);
        return false;
    }
}
