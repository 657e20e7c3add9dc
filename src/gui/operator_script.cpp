#include "gui/operator_script.h"

#include <QApplication>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <cstdlib>
#include <iostream>
#include <sstream>

#include "core/text.h"
#include "gui/form_view.h"
#include "gui/gui_session.h"
#include "gui/simulator_panel.h"

namespace {
constexpr int kStepMs = 100;
constexpr int kGiveUpAfterTries = 100;   // ten seconds for a widget to appear

void click(QWidget* w) {
    const QPointF centre(w->width() / 2.0, w->height() / 2.0);
    const QPointF global = w->mapToGlobal(centre);
    QMouseEvent press(QEvent::MouseButtonPress, centre, global, Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(w, &press);
    QMouseEvent release(QEvent::MouseButtonRelease, centre, global, Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(w, &release);
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
    if (take(steps_[at_])) {
        ++at_;
        waited_ = 0;
    } else if (++waited_ >= kGiveUpAfterTries) {
        std::cerr << "ERROR step not taken: " << steps_[at_] << '\n' << std::flush;
        ++at_;
        waited_ = 0;
    }
}

QWidget* OperatorScript::formWidget(const std::string& formControl) const {
    const auto dot = formControl.find('.');
    const std::string formName = formControl.substr(0, dot);
    for (Form* f : session_.app().existingForms()) {
        if (!equalsNoCase(f->name(), formName)) continue;
        FormView* view = session_.view().viewOf(*f);
        if (!view || !view->isVisible()) return nullptr;
        if (dot == std::string::npos) return view;
        Control* c = f->findControl(formControl.substr(dot + 1));
        return c ? view->widgetFor(*c) : nullptr;
    }
    return nullptr;
}

QWidget* OperatorScript::panelButton(const std::string& caption) const {
    for (auto* b : session_.panel().findChildren<QPushButton*>())
        if (b->text().toStdString() == caption && b->isVisible()) return b;
    return nullptr;
}

bool OperatorScript::take(const std::string& step) {
    const auto [verb, rest] = wordAndRest(step);
    QWidget* target = nullptr;
    if (verb == "press") {
        target = formWidget(rest);
        if (target && target->isVisible()) click(target);
    } else if (verb == "close") {
        target = formWidget(rest);
        if (target) target->close();
    } else if (verb == "press-panel") {
        target = panelButton(rest);
        if (target) click(target);
    } else if (verb == "type-panel") {
        const auto [name, text] = wordAndRest(rest);
        auto* box = session_.panel().findChild<QLineEdit*>(QString::fromStdString(name));
        if (box && box->isVisible()) {
            box->setText(QString::fromStdString(text));
            target = box;
        }
    } else if (verb == "close-panel") {
        target = session_.panel().isVisible() ? &session_.panel() : nullptr;
        if (target) target->close();
    } else {
        std::cerr << "ERROR unknown step: " << step << '\n' << std::flush;
        return true;
    }
    return target != nullptr;
}
