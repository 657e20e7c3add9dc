// Every window the program has, drawn offscreen: each control has its widget.
#include <gtest/gtest.h>

#include "player/player_window.h"
#include "gui_support.h"

TEST(GuiWindows, EveryWindowIsDrawnWithAWidgetForEachControl) {
    ViewedStation v;
    v.s.app().act([&] { v.s.app().createStartupWindows(); });
    for (const std::string& name : allWindows()) {
        SCOPED_TRACE(name);
        Form* form = nullptr;
        v.s.app().act([&] { form = v.s.app().formByName(name); });
        ASSERT_NE(form, nullptr);
        FormView* view = v.show(*form);
        ASSERT_NE(view, nullptr);
        for (Control* c : form->controls()) EXPECT_NE(view->widgetFor(*c), nullptr) << c->name();
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
