#pragma once
// Form5: the launcher. Its creation is the program's start (sysop-mode check, one copy only,
// every tool window created hidden); it holds the buttons that show the tools, the tray icon,
// "Save / Exit", and answers the version query and sysop messages in the chat.
#include <memory>
#include <string>
#include <vector>

#include "core/form.h"

class InstanceLock;

class Form5 : public Form {
public:
    explicit Form5(FormHost& host);
    ~Form5() override;

    Frame Frame1{*this, "Frame1"};
    CommandButton Command1{*this, "Command1", "Idents / Settings", &Frame1};
    CommandButton Command14{*this, "Command14", "Courtesy Tones", &Frame1};
    CommandButton Command8{*this, "Command8", "News / WX  Player", &Frame1};
    CommandButton Command11{*this, "Command11", "Text Box Chat", &Frame1};
    CommandButton Command21{*this, "Command21", "Text Beacons", &Frame1};
    CommandButton Command15{*this, "Command15", "Text Box Greetings", &Frame1};
    CommandButton Command13{*this, "Command13", "DTMF / Connect Control", &Frame1};
    CommandButton Command3{*this, "Command3", "DTMF File / Text Player", &Frame1};
    CommandButton Command22{*this, "Command22", "Weather", &Frame1};
    CommandButton Command4{*this, "Command4", "Player Utils", &Frame1};
    CommandButton Command7{*this, "Command7", "Hide All Programs", &Frame1};
    CommandButton Command12{*this, "Command12", "Help", &Frame1};
    CommandButton Command6{*this, "Command6", "About / Updates", &Frame1};
    CommandButton Command5{*this, "Command5", "Save / Exit", &Frame1};
    Frame Frame2{*this, "Frame2"};
    CheckBox Check1{*this, "Check1", "Start Program  In System Tray", 0, &Frame2};
    CommandButton Command9{*this, "Command9", "Put in System Tray", &Frame2};
    CommandButton Command25{*this, "Command25", "Command25"};   // below the visible area

    void load() override;
    void SaveData() override;
    void closeRequest() override;
    void closingDuties() override;

    // Tray icon: the launcher's caption as tip; the launcher hides while the icon shows.
    // False, with a line in the error log, where the desktop has no tray (the launcher stays).
    bool AddToTray();
    void RemoveFromTray();
    void RestoreFromTray();
    bool inTray() const { return inTray_; }

    bool holdsInstanceLock() const { return instanceLock_ != nullptr; }

    // The tool windows "Save / Exit" saves first, in its order (the chat window and the
    // launcher follow after the tray icon is gone).
    static const std::vector<std::string>& saveOrder();
    // The windows "Hide All Programs" hides; "Put in System Tray" hides the same but the
    // courtesy window.
    static const std::vector<std::string>& hideOrder();

    // The chat line handler: version query, greeting request, message for the sysop.
    void EchoLink_ChatTextReceived(const std::string& sText);

private:
    void declareLayout();
    void SysopModeCheck();
    bool singleInstance();
    void createToolWindows();
    void SaveExit();
    void PutInSystemTray();
    void showWindow(const std::string& name);
    void hideWindows(const std::vector<std::string>& names, const std::string& except = "");
    void EchoLink_Closing();
    // Runs one part of a handler; a failure goes to the error log and the handler goes on.
    void attempt(const std::string& what, const std::function<void()>& part);

    std::unique_ptr<InstanceLock> instanceLock_;
    bool inTray_ = false;
};
