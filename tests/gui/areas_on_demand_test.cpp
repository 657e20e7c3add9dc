// Areas a window keeps out of view until the operator asks for them: the button shows the area,
// and pressing it again hides it, on the screen and not only in the model.
#include <gtest/gtest.h>

#include <QDir>
#include <QPushButton>

#include "gui_support.h"
#include "layout_support.h"

namespace {
struct Caption {
    std::string text, box;
};

struct OnDemand {
    std::string window, button, area;
    std::vector<Caption> captions;   // the area's captions, each beside its box once it shows
};

const OnDemand kAreas[] = {
    {"Messages", "Command3", "Frame3",   // Show / Hide Private Message
     {{"Enter Callsign To Send Message  To.", "Text1"}, {"Enter Message", "Text2"}}},
    {"Messages", "Command39", "ExtraArea",   // Show / Hide Extra: the column at the right ...
     {{"Extra Message Call for Private Message", "ExtraCall"}}},
    {"Messages", "Command39", "Frame5", {}},       // ... and the picture buttons along the bottom
    {"Form23", "Command2", "Frame4", {}},          // Text Changer of the DTMF player
    {"Form114", "Command17", "ChangerPane", {}},   // Text Changer of the weather window
};

QWidget* widgetOf(FormView& view, Form& form, const std::string& name) {
    Control* c = form.findControl(name);
    return c ? view.widgetFor(*c) : nullptr;
}
}  // namespace

TEST(AreasOnDemand, TheButtonShowsTheAreaAndPressedAgainHidesIt) {
    for (const OnDemand& a : kAreas) {
        SCOPED_TRACE(a.window + ": " + a.button + " -> " + a.area);
        ViewedStation v;
        Form& form = v.form(a.window);
        FormView* view = v.show(form);
        ASSERT_NE(view, nullptr);
        QWidget* area = widgetOf(*view, form, a.area);
        auto* button = qobject_cast<QPushButton*>(widgetOf(*view, form, a.button));
        ASSERT_NE(area, nullptr);
        ASSERT_NE(button, nullptr);
        EXPECT_FALSE(area->isVisibleTo(view)) << "shown before it was asked for";
        button->click();
        v.settle();
        EXPECT_TRUE(area->isVisibleTo(view)) << "the button did not show it";
        EXPECT_TRUE(view->rect().contains(layout_check::onWindow(area, view))) << "the window does not make room for it";
        for (const Caption& c : a.captions) {
            SCOPED_TRACE("\"" + c.text + "\" -> " + c.box);
            QWidget* box = widgetOf(*view, form, c.box);
            ASSERT_NE(box, nullptr);
            const QLabel* label = layout_check::captionOf(view, c.text, box);
            ASSERT_NE(label, nullptr) << "no shown caption names the box";
            EXPECT_EQ(layout_check::sideBySide(view, label, box), "");
        }
        QDir().mkpath(MVSMALL_GUI_PICTURES);
        view->grab().save(QString::fromStdString(MVSMALL_GUI_PICTURES "/" + a.window + "-" + a.button + ".png"));
        button->click();
        v.settle();
        EXPECT_FALSE(area->isVisibleTo(view)) << "pressed again, it stays";
    }
}
