// Qt's dialogs, the tray and the loop on Qt's thread.
#include <gtest/gtest.h>

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QSystemTrayIcon>
#include <QTimer>

#include "gui/loop_driver.h"
#include "gui/qt_dialogs.h"
#include "gui_support.h"

TEST(GuiDialogs, FileFiltersInQtsForm) {
    const struct {
        const char* given;
        const char* qt;
    } cases[] = {
        {"Audio (*.wav;*.mp3)|*.wav;*.mp3", "Audio (*.wav *.mp3)"},
        {"Wave (*.wav)|*.wav|All Files (*.*)|*.*", "Wave (*.wav);;All Files (*)"},
        {"Text|*.txt", "Text (*.txt)"},
        {"", ""},
    };
    for (const auto& c : cases) EXPECT_EQ(qtFileFilter(c.given).toStdString(), c.qt) << c.given;
}

TEST(GuiDialogs, AMessageBoxShowsTitleTextAndButtonsAndReturnsTheAnswer) {
    QtDialogs dialogs;
    QString seenTitle, seenText;
    int buttons = 0;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        seenTitle = box->windowTitle();
        seenText = box->text();
        buttons = static_cast<int>(box->buttons().size());
        box->button(QMessageBox::No)->click();
    });
    EXPECT_EQ(dialogs.messageBox("Player", "Stop the file?", MsgButtons::YesNoCancel, MsgIcon::Question),
              MsgAnswer::No);
    EXPECT_EQ(seenTitle, "Player");
    EXPECT_EQ(seenText, "Stop the file?");
    EXPECT_EQ(buttons, 3);
}

TEST(GuiTray, OnlyADoubleClickOrTheRightButtonRestores) {
    const struct {
        QSystemTrayIcon::ActivationReason reason;
        bool restores;
    } cases[] = {
        {QSystemTrayIcon::Trigger, false},     {QSystemTrayIcon::DoubleClick, true},
        {QSystemTrayIcon::Context, true},      {QSystemTrayIcon::MiddleClick, false},
        {QSystemTrayIcon::Unknown, false},
    };
    for (const auto& c : cases) EXPECT_EQ(trayActivationRestores(c.reason), c.restores) << c.reason;
}

TEST(GuiTray, TheIconShowsItsTipAndPassesItsClick) {
    QtTray tray;
    if (!QSystemTrayIcon::isSystemTrayAvailable()) {
        EXPECT_FALSE(tray.available());
        EXPECT_FALSE(tray.add("MVSmall"));
        EXPECT_FALSE(tray.shown());
        GTEST_SKIP() << "this desktop has no system tray (the offscreen platform never has one)";
    }
    int clicks = 0;
    tray.onClick([&] { ++clicks; });
    ASSERT_TRUE(tray.add("MVSmall"));
    EXPECT_TRUE(tray.shown());
    EXPECT_EQ(tray.icon()->toolTip(), "MVSmall");
    emit tray.icon()->activated(QSystemTrayIcon::Trigger);
    EXPECT_EQ(clicks, 0);
    emit tray.icon()->activated(QSystemTrayIcon::DoubleClick);
    EXPECT_EQ(clicks, 1);
    tray.remove();
    EXPECT_FALSE(tray.shown());
}

TEST(GuiLoop, WorkPostedToTheLoopRunsFromQtsEventLoop) {
    ViewedStation v;
    LoopDriver driver(v.s.app(), {});
    bool ran = false;
    v.s.loop().post([&] { ran = true; });
    for (int i = 0; i < 10 && !ran; ++i) QApplication::processEvents();
    EXPECT_TRUE(ran);
}

TEST(GuiLoop, DoEventsLetsQtsPendingEventsRun) {
    ViewedStation v;
    LoopDriver driver(v.s.app(), {});
    bool qtRan = false, seenInHandler = false;
    QMetaObject::invokeMethod(qApp, [&] { qtRan = true; }, Qt::QueuedConnection);
    v.s.loop().post([&] {
        v.s.loop().doEvents();
        seenInHandler = qtRan;
    });
    v.s.app().act([&] { v.s.loop().processDue(); });
    EXPECT_TRUE(seenInHandler);
}

TEST(GuiLoop, TheEndOfTheProgramIsReported) {
    ViewedStation v;
    bool ended = false;
    LoopDriver driver(v.s.app(), [&] { ended = true; });
    v.s.loop().post([&] { v.s.app().endProgram(); });
    for (int i = 0; i < 10 && !ended; ++i) QApplication::processEvents();
    EXPECT_TRUE(ended);
}
