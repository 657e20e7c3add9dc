// The program's start on screen and the simulator panel driving the simulated node.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

#include "echolink/echolink_app.h"
#include "gui/form_view.h"
#include "gui/gui_session.h"
#include "gui/simulator_panel.h"
#include "shell/launcher_window.h"
#include "support/station_fixture.h"

namespace {
QPushButton* button(QWidget& parent, const QString& text) {
    for (auto* b : parent.findChildren<QPushButton*>())
        if (b->text() == text) return b;
    ADD_FAILURE() << "no button " << text.toStdString();
    return nullptr;
}
QCheckBox* tick(QWidget& parent, const QString& text) {
    for (auto* b : parent.findChildren<QCheckBox*>())
        if (b->text() == text) return b;
    ADD_FAILURE() << "no tick box " << text.toStdString();
    return nullptr;
}

struct Session {
    Station s;
    bool ended = false;
    GuiSession gui{s.app(), [this] { ended = true; }};
    void settle() {
        for (int i = 0; i < 3; ++i) {
            QApplication::processEvents();
            s.app().act([&] { s.loop().processDue(); });
        }
        gui.panel().refresh();
    }
};
}  // namespace

TEST(GuiSession, StartsAsTheLauncherIsCreatedAndShowsWhatTheModelShows) {
    Session g;
    g.settle();
    ASSERT_TRUE(g.s.app().exists("Form5"));
    for (const auto& name : App::startupOrder()) EXPECT_TRUE(g.s.app().exists(name)) << name;
    EXPECT_TRUE(g.gui.panel().isVisible());
    FormView* launcher = g.gui.view().viewOf(g.s.app().form5());
    ASSERT_NE(launcher, nullptr);
    EXPECT_TRUE(launcher->isVisible());
    for (Form* f : g.s.app().existingForms())
        if (f->visible()) EXPECT_NE(g.gui.view().viewOf(*f), nullptr) << f->name();
}

TEST(GuiSession, ThePanelDrivesTheNodeAndShowsItsState) {
    Session g;
    SimulatorPanel& panel = g.gui.panel();
    auto* call = panel.findChildren<QLineEdit*>().value(0);
    ASSERT_NE(call, nullptr);
    QTest::keyClicks(call, "W1ABC");
    QTest::mouseClick(button(panel, "Connect"), Qt::LeftButton);
    QTest::mouseClick(tick(panel, "Internet audio"), Qt::LeftButton);
    QTest::mouseClick(tick(panel, "Carrier"), Qt::LeftButton);
    g.settle();
    EXPECT_TRUE(g.s.node().isConnected("W1ABC"));
    EXPECT_TRUE(g.s.node().internetAudio());
    EXPECT_TRUE(g.s.node().carrier());
    auto* stations = panel.findChildren<QListWidget*>().value(0);
    ASSERT_NE(stations, nullptr);
    ASSERT_EQ(stations->count(), 1);
    EXPECT_EQ(stations->item(0)->text(), "W1ABC");

    auto echoLink = g.s.app().newEchoLink();
    std::string digits;
    echoLink->DTMFString = [&](const std::string& d) { digits = d; };
    g.s.app().act([&] { echoLink->KeyTransmitter(true); });
    panel.refresh();
    EXPECT_EQ(panel.stateLabel("Transmitter keyed")->text(), "ON");

    QTest::keyClicks(panel.dtmfBox(), "123");
    QTest::keyClick(panel.dtmfBox(), Qt::Key_Return);
    EXPECT_EQ(panel.dtmfBox()->text(), "");
    g.settle();
    EXPECT_EQ(digits, "123");

    QTest::mouseClick(button(panel, "Close EchoLink"), Qt::LeftButton);
    g.settle();
    EXPECT_TRUE(g.s.node().closed());
    for (int i = 0; i < 10 && !g.ended; ++i) QApplication::processEvents();
    EXPECT_TRUE(g.s.app().ended()) << "EchoLink closing ends the program";
    EXPECT_TRUE(g.ended);
}
