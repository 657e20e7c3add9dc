#include "gui/operator_script.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QAbstractButton>
#include <QScrollArea>
#include <QTabWidget>
#include <cstdlib>
#include <iostream>
#include <sstream>

#include "core/text.h"
#include "gui/form_view.h"
#include "gui/gui_session.h"
#include "gui/screen_fit.h"
#include "gui/simulator_panel.h"

namespace {
constexpr int kStepMs = 100;
constexpr int kGiveUpAfterTries = 100;   // ten seconds for a widget to become reachable

QPointF centreOf(const QWidget* w) { return QPointF(w->width() / 2.0, w->height() / 2.0); }

void click(QWidget* w, QPointF at) {
    const QPointF global = w->mapToGlobal(at);
    QMouseEvent press(QEvent::MouseButtonPress, at, global, Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(w, &press);
    QMouseEvent release(QEvent::MouseButtonRelease, at, global, Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(w, &release);
}

void click(QWidget* w) { click(w, centreOf(w)); }

void key(QWidget* w, Qt::Key k) {
    QKeyEvent press(QEvent::KeyPress, k, Qt::NoModifier);
    QApplication::sendEvent(w, &press);
    QKeyEvent release(QEvent::KeyRelease, k, Qt::NoModifier);
    QApplication::sendEvent(w, &release);
}

// The tab strip of which `page` is a page, or nullptr.
QTabWidget* tabsShowing(QWidget* page) {
    QWidget* stack = page->parentWidget();
    auto* tabs = qobject_cast<QTabWidget*>(stack ? stack->parentWidget() : nullptr);
    return tabs && tabs->indexOf(page) >= 0 ? tabs : nullptr;
}

// Brings the tab pages that hold the widget to the front and scrolls the window to it, as the
// operator would before a click. False when a page that holds it has no tab to click.
bool bringIntoView(QWidget* w) {
    for (QWidget* p = w; p && !p->isWindow(); p = p->parentWidget()) {
        QTabWidget* tabs = tabsShowing(p);
        if (!tabs) continue;
        const int i = tabs->indexOf(p);
        if (!tabs->isTabVisible(i) || !tabs->isTabEnabled(i)) return false;
        if (tabs->currentIndex() != i) tabs->setCurrentIndex(i);
    }
    for (QWidget* p = w->parentWidget(); p; p = p->parentWidget())
        if (auto* scroll = qobject_cast<QScrollArea*>(p)) {
            scroll->ensureWidgetVisible(w);
            break;
        }
    return true;
}

// What a mouse click at the widget's centre lands on: the widget or a part of it (the page a list
// or a multi-line box draws on), or nullptr where it is hidden or cut away by the areas it sits in.
QWidget* underTheMouse(QWidget* w) {
    if (!w->isVisible() || !w->rect().contains(centreOf(w).toPoint())) return nullptr;
    QWidget* window = w->window();
    QWidget* hit = window->childAt(w->mapTo(window, centreOf(w).toPoint()));
    return hit && (hit == w || w->isAncestorOf(hit)) ? hit : nullptr;
}

std::string rectText(const QRect& r) {
    return std::to_string(r.width()) + "x" + std::to_string(r.height()) + "+" + std::to_string(r.x()) + "+" +
           std::to_string(r.y());
}

std::vector<std::string> splitSteps(const std::string& steps) {
    std::vector<std::string> out;
    std::istringstream in(steps);
    for (std::string s; std::getline(in, s, ';');)
        if (!trim(s).empty()) out.push_back(trim(s));
    return out;
}

std::pair<std::string, std::string> wordAndRest(const std::string& s) {
    const auto blank = s.find(' ');
    if (blank == std::string::npos) return {s, ""};
    return {s.substr(0, blank), trim(s.substr(blank + 1))};
}
}  // namespace

OperatorScript::OperatorScript(GuiSession& session, const std::string& steps)
    : session_(session), steps_(splitSteps(steps)) {
    connect(&timer_, &QTimer::timeout, this, [this] { next(); });
    if (!steps_.empty()) timer_.start(kStepMs);
}

std::string OperatorScript::fromEnvironment() {
    const char* steps = std::getenv("MVSMALL_GUI_STEPS");
    return steps ? steps : "";
}

void OperatorScript::next() {
    if (at_ >= steps_.size()) {
        timer_.stop();
        return;
    }
    why_.clear();
    const Outcome outcome = take(steps_[at_]);
    if (outcome == Outcome::Taken) {
        ++at_;
        waited_ = 0;
    } else if (outcome == Outcome::Failed || ++waited_ >= kGiveUpAfterTries) {
        fail(steps_[at_]);
    }
}

// A test that goes on after a step it could not take would pass on what never happened.
void OperatorScript::fail(const std::string& step) {
    timer_.stop();
    at_ = steps_.size();
    std::cerr << "ERROR step not taken: " << step << ": " << why_ << '\n' << std::flush;
    session_.end(1);
}

OperatorScript::Outcome OperatorScript::find(const std::string& formControl, Target& target) {
    const auto dot = formControl.find('.');
    const std::string formName = formControl.substr(0, dot);
    for (Form* f : session_.app().existingForms()) {
        if (!equalsNoCase(f->name(), formName)) continue;
        target.view = session_.view().viewOf(*f);
        if (!target.view || !target.view->isVisible()) break;
        if (dot == std::string::npos) {
            target.widget = target.view;
            return Outcome::Taken;
        }
        const std::string name = formControl.substr(dot + 1);
        Control* c = f->findControl(name);
        target.widget = c ? target.view->widgetFor(*c) : nullptr;
        if (target.widget) return Outcome::Taken;
        why_ = formName + " has no control " + name;
        return Outcome::Failed;
    }
    why_ = "the window " + formName + " is not on screen";
    return Outcome::Waiting;
}

OperatorScript::Outcome OperatorScript::press(const std::string& formControl) {
    Target t;
    if (const Outcome found = find(formControl, t); found != Outcome::Taken) return found;
    if (!bringIntoView(t.widget)) {
        why_ = "its tab page has no tab to click";
        return Outcome::Waiting;
    }
    if (!t.widget->isEnabled()) {
        why_ = "it is disabled";
        return Outcome::Waiting;
    }
    QWidget* hit = underTheMouse(t.widget);
    if (!hit) {
        why_ = "it is not where the mouse reaches it (hidden, or outside the window's visible area)";
        return Outcome::Waiting;
    }
    click(hit, hit->mapFrom(t.widget, centreOf(t.widget).toPoint()));
    return Outcome::Taken;
}

OperatorScript::Outcome OperatorScript::tabTo(const std::string& formControl) {
    Target t;
    if (const Outcome found = find(formControl, t); found != Outcome::Taken) return found;
    if (!t.widget->isVisible() || !t.widget->isEnabled()) {
        why_ = "it is hidden or disabled";
        return Outcome::Waiting;
    }
    // Once round every control the window's Tab order holds, from where the focus is now.
    const int stops = static_cast<int>(t.view->findChildren<QWidget*>().size()) + 1;
    for (int i = 0; i < stops && t.view->focusWidget() != t.widget; ++i) {
        QWidget* at = t.view->focusWidget() ? t.view->focusWidget() : t.view;
        key(at, Qt::Key_Tab);
    }
    if (t.view->focusWidget() != t.widget) {
        why_ = "the Tab key never reaches it";
        return Outcome::Failed;
    }
    key(t.widget, Qt::Key_Space);
    return Outcome::Taken;
}

QWidget* OperatorScript::panelButton(const std::string& caption) const {
    for (auto* b : session_.panel().findChildren<QAbstractButton*>())
        if (b->text().toStdString() == caption && b->isVisible()) return b;
    return nullptr;
}

OperatorScript::Outcome OperatorScript::panelStep(const std::string& verb, const std::string& rest) {
    SimulatorPanel& panel = session_.panel();
    why_ = "the simulator panel is not on screen";
    if (!panel.isVisible()) return Outcome::Waiting;
    if (verb == "close-panel") {
        panel.close();
        return Outcome::Taken;
    }
    if (verb == "press-panel") {
        QWidget* button = panelButton(rest);
        if (!button) {
            why_ = "the panel has no button \"" + rest + "\"";
            return Outcome::Failed;
        }
        click(button);
        return Outcome::Taken;
    }
    if (verb == "type-panel") {
        const auto [name, text] = wordAndRest(rest);
        auto* box = panel.findChild<QLineEdit*>(QString::fromStdString(name));
        if (!box) {
            why_ = "the panel has no box " + name;
            return Outcome::Failed;
        }
        box->setText(QString::fromStdString(text));
        return Outcome::Taken;
    }
    // expect-panel
    why_ = "the on-air log shows no line with \"" + rest + "\"";
    return panel.airLog()->toPlainText().contains(QString::fromStdString(rest)) ? Outcome::Taken : Outcome::Waiting;
}

// The window shown, framed by the desktop, and whole in the screen's free area, frame and all.
OperatorScript::Outcome OperatorScript::expectWhole(const std::string& form) {
    QWidget* window = &session_.panel();
    if (form != "panel") {
        Target t;
        if (const Outcome found = find(form, t); found != Outcome::Taken) return found;
        window = t.view;
    }
    const QRect frame = window->frameGeometry(), area = screen_fit::freeArea(*window);
    if (!window->isVisible() || frame == window->geometry()) {
        why_ = "it is not on screen in a frame of the desktop";
        return Outcome::Waiting;
    }
    if (!area.contains(frame)) {
        why_ = "its frame " + rectText(frame) + " is not whole in the free area " + rectText(area);
        return Outcome::Waiting;
    }
    return Outcome::Taken;
}

OperatorScript::Outcome OperatorScript::take(const std::string& step) {
    const auto [verb, rest] = wordAndRest(step);
    if (verb == "expect-whole") return expectWhole(rest);
    if (verb == "press") return press(rest);
    if (verb == "tab") return tabTo(rest);
    if (verb == "close" || verb == "expect-window") {
        Target t;
        const Outcome found = find(rest, t);
        if (found == Outcome::Taken && verb == "close") t.view->close();
        return found;
    }
    if (verb == "press-panel" || verb == "type-panel" || verb == "close-panel" || verb == "expect-panel")
        return panelStep(verb, rest);
    why_ = "unknown step";
    return Outcome::Failed;
}
