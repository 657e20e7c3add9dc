// Windows whose contents change while shown: a label that grows widens its window (no scroll
// bars over what it holds), and a frame of fixed rows stays as tall as its rows on a tall page.
#include <gtest/gtest.h>

#include <QGroupBox>
#include <QScrollArea>
#include <QScrollBar>
#include <QScreen>
#include <QTest>

#include "gui_support.h"
#include "layout_support.h"

namespace {
QScrollArea* scrollOf(QWidget* window) { return window->findChild<QScrollArea*>(); }
}  // namespace

// The net window's countdowns follow the minutes typed beside them: long figures widen the window
// as far as the screen allows, and nothing hides behind a scroll bar while it has room.
TEST(WindowGrowth, ACountdownThatGrowsWidensItsWindowInsteadOfScrolling) {
    ViewedStation v;
    FormView* view = v.show(v.form("Form117"));
    ASSERT_NE(view, nullptr);
    const int before = view->width();
    for (const char* minutes : {"DiscMins1", "DiscMins2", "DiscMins3", "DiscMins4"}) {
        auto* box = qobject_cast<QLineEdit*>(view->widgetFor(*v.form("Form117").findControl(minutes)));
        ASSERT_NE(box, nullptr);
        box->selectAll();
        QTest::keyClicks(box, "99999999");
    }
    v.settle();
    EXPECT_EQ(static_cast<Label*>(v.form("Form117").findControl("DiscPeriod1"))->caption(), "5999999940");
    EXPECT_GT(view->width(), before);
    EXPECT_FALSE(scrollOf(view)->horizontalScrollBar()->isVisible()) << "its right column is cut";
    EXPECT_TRUE(view->screen()->availableGeometry().contains(view->frameGeometry()));
}

// On the connect-control window's last page, the close-down frame holds one row: it is no
// taller than that row, and the re-start box stands right below it, not at the page's foot.
TEST(WindowGrowth, AFrameOfFixedRowsIsNoTallerThanItsRows) {
    ViewedStation v;
    FormView* view = v.show(v.form("Form4"));
    ASSERT_NE(view, nullptr);
    QWidget* restart = view->widgetFor(*v.form("Form4").findControl("ReStart"));
    layout_check::bringIntoView(restart);
    auto* frame = qobject_cast<QGroupBox*>(view->widgetFor(*v.form("Form4").findControl("FrameCloseDown")));
    ASSERT_NE(frame, nullptr);
    EXPECT_LE(frame->height(), frame->sizeHint().height());
    const int gap = layout_check::onWindow(restart, view).top() - layout_check::onWindow(frame, view).bottom();
    EXPECT_LT(gap, 40);
}
