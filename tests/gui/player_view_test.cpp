// The player's position slider on screen: it spans the loaded file, follows playback, and a drag
// seeks.
#include <gtest/gtest.h>

#include <QSlider>

#include "gui_support.h"
#include "player/player_test_support.h"

TEST(GuiPlayer, ThePositionSliderSpansEachFileFollowsItAndSeeksWhenDragged) {
    ViewedStation v;
    Form1& p = v.s.app().form1();
    FormView* view = v.show(p);
    ASSERT_NE(view, nullptr);
    auto* slider = qobject_cast<QSlider*>(view->widgetFor(p.H1));
    ASSERT_NE(slider, nullptr);
    const struct {
        const char* file;
        double seconds;
        int dragTo;
    } files[] = {{"long.wav", 100, 60}, {"short.wav", 30, 25}, {"long.wav", 100, 90}};
    for (const auto& f : files) {
        SCOPED_TRACE(f.file);
        transmit(v.s, audioFile(v.s, f.file, f.seconds));
        v.s.advance(10);
        v.settle();
        EXPECT_EQ(slider->maximum(), static_cast<int>(f.seconds));
        EXPECT_NEAR(slider->value(), 10, 1);
        slider->setValue(f.dragTo);   // the operator drags the thumb
        v.settle();
        EXPECT_NEAR(p.graph().position(), f.dragTo, 0.5);
    }
}
