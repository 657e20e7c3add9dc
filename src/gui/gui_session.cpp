#include "gui/gui_session.h"

#include <QGuiApplication>
#include <QScreen>


#include "gui/simulator_panel.h"
#include "gui/window_list.h"
#include "shell/launcher_window.h"

GuiSession::GuiSession(App& app, std::function<void()> ended)
    : app_(app), view_(app), driver_(app, std::move(ended)) {
    app_.act([&] {
        app_.createStartupWindows();
        Form5& launcher = app_.form5();
        if (!launcher.controls().empty()) launcher.Show();
    });
    view_.showVisibleWindows();
    if (!app_.ended() && app_.form5().controls().empty()) {
        windowList_ = std::make_unique<WindowList>(app_);
        windowList_->show();
    }
    panel_ = std::make_unique<SimulatorPanel>(app_);
    // Out of the way of the tool windows, which open at the places they keep (top left by default).
    panel_->adjustSize();
    if (QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect free = screen->availableGeometry();
        panel_->move(free.right() - panel_->width() - 8, free.top() + 8);
    }
    panel_->show();
    driver_.schedule();
}

GuiSession::~GuiSession() = default;
