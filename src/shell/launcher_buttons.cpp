// The launcher's buttons and its tray icon.
#include "app/app.h"
#include "core/step.h"
#include "core/text.h"
#include "shell/launcher_window.h"

void Form5::showWindow(const std::string& name) {
    if (Form* f = app().formByName(name)) f->Show();
}

// Hiding never creates a window: one that does not exist has nothing to hide.
void Form5::hideWindows(const std::vector<std::string>& names, const std::string& except) {
    for (const std::string& name : names)
        if (name != except && app().exists(name)) app().formByName(name)->Hide();
}

void Form5::PutInSystemTray() {
    hideWindows(hideOrder(), "Form22");   // the courtesy window stays as it was
    SaveData();
    AddToTray();
}

bool Form5::AddToTray() {
    TrayService& tray = app().tray();
    if (!tray.available()) {
        LogError("This desktop has no system tray: the launcher stays on the screen");
        Show();
        return false;
    }
    // The tip field holds 63 characters and its terminator.
    if (!tray.add(left(caption(), 63))) {
        LogError("The tray icon could not be added: the launcher stays on the screen");
        Show();
        return false;
    }
    inTray_ = true;
    tray.onClick([this] {
        // A double-click or right-click on the icon: back on the loop, like any other event.
        loop().post([this] { RestoreFromTray(); });
    });
    Hide();
    return true;
}

void Form5::RemoveFromTray() {
    if (!inTray_) return;
    inTray_ = false;
    app().tray().remove();
}

void Form5::RestoreFromTray() {
    RemoveFromTray();
    Show();
}
