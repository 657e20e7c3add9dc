// Every window the program has, drawn offscreen: each control has its widget, and a picture of
// the window lands in the build folder to look at.
#include <gtest/gtest.h>

#include <QDir>
#include <QPixmap>

#include "player/player_window.h"
#include "gui_support.h"

namespace {
// Every window the program has: the start-up set, then the ones opened on demand.
std::vector<std::string> allWindows() {
    std::vector<std::string> all = App::startupOrder();
    for (const char* other : {"Form5", "Form117", "Form120", "Form122", "Form126", "Form128", "Form150"})
        all.emplace_back(other);
    return all;
}
}  // namespace

TEST(GuiWindows, EveryWindowIsDrawnWithAWidgetForEachControl) {
    ViewedStation v;
    v.s.app().act([&] { v.s.app().createStartupWindows(); });
    QDir().mkpath(MVSMALL_GUI_PICTURES);
    for (const std::string& name : allWindows()) {
        SCOPED_TRACE(name);
        Form* form = nullptr;
        v.s.app().act([&] { form = v.s.app().formByName(name); });
        ASSERT_NE(form, nullptr);
        FormView* view = v.show(*form);
        ASSERT_NE(view, nullptr);
        for (Control* c : form->controls()) EXPECT_NE(view->widgetFor(*c), nullptr) << c->name();
        const QPixmap picture = view->grab();
        ASSERT_FALSE(picture.isNull());
        const QString file = QStringLiteral(MVSMALL_GUI_PICTURES "/%1.png").arg(QString::fromStdString(name));
        EXPECT_TRUE(picture.save(file)) << file.toStdString();
    }
}

TEST(GuiWindows, AnUnloadedWindowLeavesTheScreenAndComesBackFresh) {
    ViewedStation v;
    Form& player = v.s.app().form1();
    ASSERT_NE(v.show(player), nullptr);
    v.s.app().act([&] { player.unload(); });
    EXPECT_EQ(v.view.viewOf(player), nullptr);
    Form& again = v.s.app().form1();
    EXPECT_NE(v.show(again), nullptr);
}
