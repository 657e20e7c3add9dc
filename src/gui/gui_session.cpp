#include "gui/gui_session.h"

#include <QAbstractEventDispatcher>
#include <QShortcut>

#include "core/layout.h"
#include "gui/colors.h"
#include "gui/form_view.h"
#include "gui/screen_fit.h"
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
    panel_->placeClearOf({});
    panel_->show();
    // Once the tool windows exist, out of the way of the places where they open.
    app_.loop().post([this] { panel_->placeClearOf(toolWindowPlaces()); });
    driver_.schedule();
}

// Where each tool window's frame opens: its stored place, or the free area's middle for one that
// opens centred (a window the desktop places has no place of its own). The title bar's first part
// stands for the window: what must stay clear for the operator to see and grab it.
std::vector<QRect> GuiSession::toolWindowPlaces() const {
    constexpr int kTitleStartWidth = 200, kTitleHeight = 40;
    const QRect area = screen_fit::freeArea(*panel_);
    std::vector<QRect> places;
    for (Form* f : app_.existingForms()) {
        if (f->name() == "Form5") continue;
        QPoint at(twipsToPixels(f->Left), twipsToPixels(f->Top));
        if (f->layout().opening == Opening::SystemChooses) continue;
        if (f->layout().opening == Opening::Centred) at = area.center();
        places.emplace_back(at, QSize(kTitleStartWidth, kTitleHeight));
    }
    return places;
}

GuiSession::~GuiSession() = default;

void GuiSession::showPanel() {
    panel_->show();
    panel_->raise();
    panel_->activateWindow();
}

void GuiSession::end(int status) {
    App& a = app_;
    app_.loop().post([&a, status] {
        if (status != 0) a.setExitStatus(status);
        a.endProgram();
    });
}
