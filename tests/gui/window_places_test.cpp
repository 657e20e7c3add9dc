// Windows whose settings file keeps their place open there, and save the place the operator
// moved them to.
#include <gtest/gtest.h>

#include <QPushButton>

#include "core/settings.h"
#include "gui_support.h"

namespace {
struct Placed {
    std::string window, saveButton, file;
};

const Placed kPlaced[] = {
    {"Form23", "Command5", "marodtmfhelpMP3.ini"},  {"Form116", "Command12", "textmessage.ini"},
    {"Form126", "Command6", "messageforsysop.ini"}, {"Form114", "Command1", "abcweather.ini"},
    {"Form13", "Command5", "maronewsmp3d.ini"},     {"Form24", "Command5", "newsabc.ini"},
    {"Form117", "Command2", "netscheduler2.ini"},
};
}  // namespace

TEST(WindowPlaces, AWindowOpensWhereItsFileSaysAndSavesWhereTheOperatorPutsIt) {
    for (const Placed& p : kPlaced) {
        SCOPED_TRACE(p.window);
        ViewedStation v;
        // 40, 30 pixels: the tallest of them still has room below for its frame there.
        v.s.writeSettings(p.file, "[SETTINGS]\r\nLEFT=600\r\nTOP=450\r\n");
        Form& form = v.form(p.window);
        FormView* view = v.show(form);
        ASSERT_NE(view, nullptr);
        EXPECT_EQ(view->pos(), QPoint(40, 30));

        view->move(60, 40);
        v.settle();
        auto* save = qobject_cast<QPushButton*>(view->widgetFor(*form.findControl(p.saveButton)));
        ASSERT_NE(save, nullptr);
        save->click();
        v.settle();
        const SettingsFile saved(v.s.settingsFile(p.file));
        EXPECT_EQ(saved.read("LEFT", "(missing)"), "900");
        EXPECT_EQ(saved.read("TOP", "(missing)"), "600");
    }
}
