// The program's start on screen and the simulator panel driving the simulated node.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QDeadlineTimer>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QTest>

#include <functional>
#include <memory>

#include "echolink/echolink_app.h"
#include "gui/form_view.h"
#include "gui/gui_session.h"
#include "gui/simulator_panel.h"
#include "linkcontrol/connect_control_window.h"
#include "shell/launcher_window.h"
#include "speech/idents_window.h"
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
    Session() = default;
    explicit Session(StationOptions options) : s(std::move(options)) {}
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
    for (Form* f : g.s.app().existingForms()) {
        if (f->visible()) {
            EXPECT_NE(g.gui.view().viewOf(*f), nullptr) << f->name();
        }
    }
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
    QTest::mouseClick(tick(panel, "EchoLink activity"), Qt::LeftButton);
    g.settle();
    EXPECT_TRUE(g.s.node().isConnected("W1ABC"));
    EXPECT_TRUE(g.s.node().internetAudio());
    EXPECT_TRUE(g.s.node().carrier());
    EXPECT_TRUE(g.s.node().activity());
    QTest::mouseClick(tick(panel, "EchoLink not answering"), Qt::LeftButton);
    g.settle();
    EXPECT_TRUE(g.s.node().unreachable());
    QTest::mouseClick(tick(panel, "EchoLink not answering"), Qt::LeftButton);
    g.settle();
    EXPECT_FALSE(g.s.node().unreachable());
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

TEST(GuiSession, ThePanelShowsTheAirNewestAtTheBottom) {
    Session g;
    g.settle();
    SimulatorPanel& panel = g.gui.panel();
    QTest::keyClicks(panel.findChild<QLineEdit*>("callsign"), "W1ABC");
    QTest::mouseClick(button(panel, "Connect"), Qt::LeftButton);
    g.settle();
    g.s.advance(3);
    g.settle();
    const QString log = panel.airLog()->toPlainText();
    EXPECT_TRUE(log.contains(R"(SPEAK "W 1 A B C  , Connected")")) << log.toStdString();
    EXPECT_TRUE(log.endsWith(QString::fromStdString(g.s.transcript().stamped().back())));

    // A long run keeps only the newest lines.
    for (int i = 0; i < SimulatorPanel::kAirLogLines + 10; ++i) g.s.transcript().record("LOG \"line " + std::to_string(i) + "\"");
    EXPECT_EQ(panel.airLog()->blockCount(), SimulatorPanel::kAirLogLines);
    EXPECT_TRUE(panel.airLog()->toPlainText().endsWith(
        QString::fromStdString("LOG \"line " + std::to_string(SimulatorPanel::kAirLogLines + 9) + "\"")));
}

// Tool windows kept at the screen's right: the panel opens on the left, clear of their title bars.
TEST(GuiSession, ThePanelOpensClearOfThePlacesWhereTheToolWindowsOpen) {
    StationOptions o;
    for (const char* file : {"MP3_PlayerABC.ini", "identabc.ini", "dtmfctrl.ini", "marogreeting.ini", "newsabc.ini",
                             "mvcourtesy.ini", "marodtmfhelpMP3.ini", "maronewsmp3d.ini", "beaconabc2.ini",
                             "beaconabc.ini", "abcweather.ini", "textmessage.ini", "profiles.ini", "messagebox.ini"})
        o.settingsFiles.emplace_back(file, "[SETTINGS]\r\nLEFT=13500\r\nTOP=450\r\n");   // 900, 30 pixels
    Session g(o);
    g.settle();
    const QRect panel = g.gui.panel().frameGeometry();
    EXPECT_TRUE(g.gui.panel().screen()->availableGeometry().contains(panel));
    EXPECT_FALSE(panel.contains(QPoint(900, 30))) << panel.x() << "," << panel.y() << " " << panel.width();

    // The log's incoming lines: what came in, marked apart from what the station did.
    g.s.node().receiveDtmf("999");
    g.s.node().receiveChat("W1ABC>hello");
    g.settle();
    const QString log = g.gui.panel().airLog()->toPlainText();
    EXPECT_TRUE(log.contains(R"(<< DTMF "999")")) << log.toStdString();
    EXPECT_TRUE(log.contains(R"(<< CHAT "W1ABC>hello")")) << log.toStdString();
    for (const auto& line : g.s.transcript().stamped()) EXPECT_EQ(line.find("<<"), std::string::npos) << line;
}

TEST(GuiSession, AClosedPanelHidesAndTheLaunchersKeysBringItBack) {
    Session g;
    g.settle();
    SimulatorPanel& panel = g.gui.panel();
    panel.close();
    g.settle();
    EXPECT_FALSE(panel.isVisible());
    EXPECT_FALSE(g.s.app().ended());
    FormView* launcher = g.gui.view().viewOf(g.s.app().form5());
    ASSERT_NE(launcher, nullptr);
    launcher->activateWindow();
    QTest::keySequence(launcher, QKeySequence(SimulatorPanel::kShowAgainKeys));
    g.settle();
    EXPECT_TRUE(panel.isVisible());
}

TEST(GuiSession, AWindowShownFromTheLauncherComesToTheFront) {
    Session g;
    g.settle();
    Form5& launcher = g.s.app().form5();
    g.s.app().act([&] {
        g.s.app().form3().Show();
        g.s.app().form4().Show();
    });
    g.settle();
    FormView* idents = g.gui.view().viewOf(g.s.app().form3());
    ASSERT_NE(idents, nullptr);
    EXPECT_NE(QApplication::activeWindow(), idents);
    QTest::mouseClick(button(*g.gui.view().viewOf(launcher), "Idents / Settings"), Qt::LeftButton);
    g.settle();
    EXPECT_EQ(QApplication::activeWindow(), idents) << "the idents window is already up: it must still come forward";
}

// Through the program's own loop driver, run by Qt's event loop: a change is drawn once the
// loop's work has run; a window out of view draws nothing and shows the current values again.
// Each step waits for what it looks for (Qt's events run meanwhile), never for a fixed time.
TEST(GuiSession, AWindowHiddenAndShownAgainShowsWhatChangedMeanwhile) {
    Session g;
    g.settle();
    FormView* launcher = g.gui.view().viewOf(g.s.app().form5());
    ASSERT_NE(launcher, nullptr);
    Form3& idents = g.s.app().form3();
    const auto until = [](const std::function<bool()>& done) {
        QDeadlineTimer bound(30000);   // a guard against a hang, not a measure
        while (!done() && !bound.hasExpired()) QTest::qWait(5);
        return done();
    };
    // Work for the loop, done once the driver has run it; the driver draws before Qt's events go on.
    auto onLoop = [&](const char* caption) {
        auto ran = std::make_shared<bool>(false);
        g.s.loop().post([&idents, caption, ran] {
            idents.ShowTime.setCaption(caption);
            *ran = true;
        });
        return until([ran] { return *ran; });
    };

    QTest::mouseClick(button(*launcher, "Idents / Settings"), Qt::LeftButton);
    FormView* view = nullptr;
    ASSERT_TRUE(until([&] { return (view = g.gui.view().viewOf(idents)) && view->isVisible(); }));
    auto* time = qobject_cast<QLabel*>(view->widgetFor(idents.ShowTime));
    ASSERT_NE(time, nullptr);
    ASSERT_TRUE(onLoop("12:34:56"));
    EXPECT_EQ(time->text(), "12:34:56");

    QTest::mouseClick(button(*launcher, "Hide All Programs"), Qt::LeftButton);
    ASSERT_TRUE(until([&] { return view->isHidden(); }));
    const auto repaints = view->repaints();
    ASSERT_TRUE(onLoop("23:45:01"));
    EXPECT_EQ(view->repaints(), repaints);
    EXPECT_EQ(time->text(), "12:34:56");

    QTest::mouseClick(button(*launcher, "Idents / Settings"), Qt::LeftButton);
    ASSERT_TRUE(until([&] { return view->isVisible(); }));
    EXPECT_EQ(time->text(), "23:45:01");
}
