// Captions show "&" as the windows have always drawn it, a doubled one standing for one, and make
// no shortcut key: Alt with a letter or a blank never jumps into a box and selects its text.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QGroupBox>
#include <QKeySequence>
#include <QLabel>
#include <QTabWidget>

#include "gui_support.h"

namespace {
// The words a widget that reads "&" as a shortcut mark puts on screen.
QString drawnWithMarks(const QString& text) {
    QString out;
    for (int i = 0; i < text.size(); ++i) {
        if (text[i] == QLatin1Char('&') && i + 1 < text.size()) ++i;   // "&&" shows "&", "&x" shows "x"
        out += text[i];
    }
    return out;
}

// Every text of the window that Qt reads for a shortcut mark, by the widget that shows it.
std::vector<std::pair<QString, QString>> markedTexts(const QWidget* window) {
    std::vector<std::pair<QString, QString>> out;
    for (auto* b : window->findChildren<QAbstractButton*>()) out.emplace_back(b->objectName(), b->text());
    for (auto* g : window->findChildren<QGroupBox*>()) out.emplace_back(g->objectName(), g->title());
    for (auto* l : window->findChildren<QLabel*>())
        if (l->buddy()) out.emplace_back(l->objectName(), l->text());
    for (auto* t : window->findChildren<QTabWidget*>())
        for (int i = 0; i < t->count(); ++i) out.emplace_back(t->objectName(), t->tabText(i));
    return out;
}
}  // namespace

TEST(GuiCaptions, NoCaptionMakesAShortcutKey) {
    ViewedStation v;
    v.s.app().act([&] { v.s.app().createStartupWindows(); });
    for (const std::string& name : allWindows()) {
        FormView* view = v.show(v.form(name));
        ASSERT_NE(view, nullptr) << name;
        for (const auto& [widget, text] : markedTexts(view))
            EXPECT_TRUE(QKeySequence::mnemonic(text).isEmpty())
                << name << "." << widget.toStdString() << " \"" << text.toStdString() << "\" makes a shortcut key";
    }
}

TEST(GuiCaptions, ADoubledAmpersandShowsAsOne) {
    const struct {
        const char* window;
        const char* widget;
        const char* shown;
    } rows[] = {
        {"Form3", "FrameStayConToggle", "DTMF Auto Connect Toggle 1 & 2"},
        {"Form4", "Command1", "Profiles & Beacons"},
        {"Form13", "FrameFiles12", "Files 1 & 2"},
        {"Form128", "Frame4", "Profiles & Beacons"},
    };
    ViewedStation v;
    for (const auto& r : rows) {
        SCOPED_TRACE(std::string(r.window) + "." + r.widget);
        FormView* view = v.show(v.form(r.window));
        ASSERT_NE(view, nullptr);
        QWidget* w = view->findChild<QWidget*>(r.widget);
        ASSERT_NE(w, nullptr);
        QString text;
        if (auto* g = qobject_cast<QGroupBox*>(w)) text = g->title();
        if (auto* b = qobject_cast<QAbstractButton*>(w)) text = b->text();
        EXPECT_EQ(drawnWithMarks(text).toStdString(), r.shown);
    }
}
