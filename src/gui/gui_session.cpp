#include "gui/gui_session.h"

#include <QAbstractEventDispatcher>
#include <QGuiApplication>
#include <QScreen>
#include <QShortcut>

#include "gui/form_view.h"
#include "gui/simulator_panel.h"
#include "shell/launcher_window.h"

GuiSession::GuiSession(App& app, std::function<void()> ended)
    : app_(app), view_(app), driver_(app, std::move(ended)) {
    // A closed panel only hides; the launcher's keys bring it back.
    view_.onDrawn([this](Form& form, FormView& window) {
        if (form.name() != "Form5") return;
        auto* keys = new QShortcut(QKeySequence(SimulatorPanel::kShowAgainKeys), &window);
        QObject::connect(keys, &QShortcut::activated, &window, [this] { showPanel(); });
    });
    view_.showVisibleWindows();
    // Changes are drawn once the loop's work has run, and before Qt waits in any event loop (a
    // message box a handler opens): nothing changed stays undrawn while the program waits.
    driver_.afterWork([this] { view_.repaintChanged(); });
    if (auto* events = QAbstractEventDispatcher::instance())
        QObject::connect(events, &QAbstractEventDispatcher::aboutToBlock, &driver_, [this] { view_.repaintChanged(); });
    // The launcher's creation checks, creates every tool window and shows itself (or goes to the tray).
    App& a = app_;
    app_.loop().post([&a] { a.form5(); });
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

void GuiSession::showPanel() {
    panel_->show();
    panel_->raise();
    panel_->activateWindow();
}

void GuiSession::end() {
    App& a = app_;
    app_.loop().post([&a] { a.endProgram(); });
}
