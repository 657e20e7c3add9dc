#pragma once
// What the operator sees of a drawn window: the caption label that names a box, whether the two
// stand side by side, and whether anything lies where the window cannot show it.
#include <QAbstractScrollArea>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QTabWidget>
#include <string>
#include <vector>

#include "gui/form_view.h"

namespace layout_check {

inline QString unescaped(QString text) { return text.replace(QStringLiteral("&&"), QStringLiteral("&")); }

inline QRect onWindow(const QWidget* w, const QWidget* window) { return QRect(w->mapTo(window, QPoint(0, 0)), w->size()); }

// A widget the operator types into, ticks or presses.
inline bool isInput(const QWidget* w) {
    return qobject_cast<const QLineEdit*>(w) || qobject_cast<const QPlainTextEdit*>(w) ||
           qobject_cast<const QComboBox*>(w) || qobject_cast<const QSlider*>(w) ||
           qobject_cast<const QCheckBox*>(w) || qobject_cast<const QRadioButton*>(w) ||
           qobject_cast<const QPushButton*>(w);
}

// Brings the tab pages that hold the widget to the front, as the operator would.
inline void bringIntoView(QWidget* w) {
    for (QWidget* p = w; p && !p->isWindow(); p = p->parentWidget())
        if (auto* tabs = qobject_cast<QTabWidget*>(p->parentWidget() ? p->parentWidget()->parentWidget() : nullptr))
            if (tabs->indexOf(p) >= 0) tabs->setCurrentWidget(p);
    QApplication::processEvents();
}

// A label the window means to show (it may stand on a tab page behind another).
inline bool meantToShow(const QWidget* w, const QWidget* window) {
    for (const QWidget* p = w; p && p != window; p = p->parentWidget()) {
        const bool page = qobject_cast<const QTabWidget*>(p->parentWidget() ? p->parentWidget()->parentWidget() : nullptr);
        if (p->isHidden() && !page) return false;
    }
    return true;
}

inline std::vector<QLabel*> captionsWith(const QWidget* window, const std::string& text) {
    std::vector<QLabel*> out;
    for (QLabel* l : window->findChildren<QLabel*>())
        if (l->buddy() && meantToShow(l, window) && unescaped(l->text()) == QString::fromStdString(text)) out.push_back(l);
    return out;
}

// The caption with these words whose buddy is the box, brought into view; or nullptr.
inline QLabel* captionOf(const QWidget* window, const std::string& text, const QWidget* box) {
    for (QLabel* l : captionsWith(window, text))
        if (l->buddy() == box) {
            bringIntoView(l);
            return l->isVisibleTo(window) ? l : nullptr;
        }
    return nullptr;
}

// The box a caption with these words names, where exactly one caption has them; brought into view.
inline QWidget* boxBeside(const QWidget* window, const std::string& text) {
    const std::vector<QLabel*> found = captionsWith(window, text);
    if (found.size() != 1) return nullptr;
    bringIntoView(found.front());
    return found.front()->buddy();
}

// The label and the box share a line and nothing the operator uses stands between them.
inline std::string sideBySide(const QWidget* window, const QLabel* label, const QWidget* box) {
    const QRect a = onWindow(label, window), b = onWindow(box, window);
    const int middle = a.center().y();
    if (middle < b.top() || middle > b.bottom()) return "not on the box's line";
    const int from = std::min(a.right(), b.right()), to = std::max(a.left(), b.left());
    for (QWidget* w : window->findChildren<QWidget*>()) {
        if (w == box || !isInput(w) || !w->isVisibleTo(window) || box->isAncestorOf(w)) continue;
        const QRect r = onWindow(w, window);
        if (r.top() <= middle && r.bottom() >= middle && r.left() >= from && r.right() <= to)
            return "'" + w->objectName().toStdString() + "' stands between them";
    }
    return "";
}

// Shown widgets that stick out of the widget they sit in (cut off), by name.
inline std::vector<std::string> cutOff(const QWidget* window) {
    std::vector<std::string> out;
    for (QWidget* w : window->findChildren<QWidget*>()) {
        QWidget* parent = w->parentWidget();
        if (!w->isVisibleTo(window) || !parent || w->isWindow()) continue;
        if (w->property(kBelowViewProperty).toBool()) continue;   // placed out of sight on purpose
        // What a scroll area holds may be larger than its view: the operator scrolls to it.
        if (qobject_cast<QAbstractScrollArea*>(parent->parentWidget())) continue;
        if (!parent->rect().contains(w->geometry()))
            out.push_back(w->objectName().toStdString() + " in " + parent->objectName().toStdString());
    }
    return out;
}

}  // namespace layout_check
