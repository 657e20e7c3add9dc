// What the operator sees: every caption stands beside the box it names, what is typed beside a
// caption is saved under that box's key, and every window fits a 1280 by 800 screen with nothing
// cut off. A picture of each window lands in the build folder to look at.
#include <gtest/gtest.h>

#include <QDir>
#include <QPixmap>
#include <QScreen>
#include <QTest>

#include "core/settings.h"
#include "gui_support.h"
#include "layout_support.h"

using namespace layout_check;

namespace {

struct Named {
    std::string window, text, box;
};

// Caption text -> the control it names, window by window.
std::vector<Named> namedBoxes() {
    std::vector<Named> t = {
        {"Form1", "Time Left :", "Text1"},       {"Form1", "Time Used :", "Text2"},
        {"Form1", "Length :", "Text3"},          {"Form1", "Every", "BeaconPeriod8"},
        {"Form1", "Mins    For ", "Text6"},      {"Form1", "Milliseconds", "Text6"},
        {"Form3", "ID Every", "BeaconPeriod6"},
        {"Form3", "Turn ID Off After", "VoicePeriod"},
        {"Form3", " CW Callsign Long ID", "CWCallsignLong"},
        {"Form3", "Send Long ID every              Idents", "LongID"},
        {"Form3", "ID Every               Minutes", "BeaconPeriod7"},
        {"Form3", "Plus           Seconds", "PlusSeconds"},
        {"Form3", "Delay Increments 0 to 9", "TTSPeriod"},
        {"Form3", "Toggle Stay Con 1", "EnableAutoConnect"},
        {"Form3", "Toggle Stay Con 2", "DisableAutoConnect"},
        {"Form22", "Parrot Enabled Message", "ParrotEnabled"},
        {"Form22", "RF CW ID", "CourtesyID"},
        {"Form22", "Internet CW ID", "IPCourtesy"},
        {"Form22", "Anti-Kerchunker", "KerchunkWait"},
        {"Form22", "HangTime Before ID ", "HangTime"},
        {"Form22", "RF Audio ID", "RFTone"},
        {"Form22", "Internet Audio ID", "InetTone"},
        {"Form22", "No Station Connected TTS", "NoStationCon"},
        {"Form4", "Node                                Con", "Text1x"},
        {"Form4", "On for            Mins     Dis Con", "DelayPeriod"},
        {"Form4", "Disable All DTMF     Re-Enable after           Mins", "BeaconPeriod"},
    };
    for (int k = 1; k <= 4; ++k)
        t.push_back({"Form3", "Call", "ConnectStation" + std::to_string(k)});
    for (int k = 1; k <= 8; ++k) {
        t.push_back({"Form4", "Call " + std::to_string(k), "Call" + std::to_string(k)});
        t.push_back({"Form4", "DTMF " + std::to_string(k), "DTMF" + std::to_string(k)});
    }
    for (const char* d : {"DiscMins1", "DiscMins2", "DiscMins3", "DiscMins4"})
        t.push_back({"Form4", "Disconnect Net / Callsign after", d});
    t.insert(t.end(), {
        {"Form23", "Set Web URL data collection delay before play to", "Text2"},
        {"Form23", "Volume", "V1"},
        {"Form126", "Node Call", "Text2"},
        {"Form126", "Message", "Text3"},
        {"Form10", "From 1 to", "MaxRand"},
        {"Form10", "Set Delay Seconds", "BeaconPeriodDelay"},
        {"Form10", "\"Call - Name\"", "TextTXMessage9"},
        {"Form114", "File Location", "WhereIsFile"},
        {"Form114", "Start of Current Conditions", "StartMessage"},
        {"Form114", "End of Current Conditions", "EndMessage"},
        {"Form114", "Conditions", "DTMFCon"},
        {"Form114", "Temp", "PlayTemp"},
        {"Form114", "File Location", "WhereIsFile2"},
        {"Form114", "Start of Weather  Forecast", "StartMessage2"},
        {"Form114", "End of Weather Forecast", "EndMessage2"},
        {"Form114", "File Location", "WhereIsFile3"},
        {"Form114", "Start of Weather Warning", "StartMessage3"},
        {"Form114", "End of Weather Warning", "EndMessage3"},
        {"Form114", "Text Info", "Text9"},
        {"Form114", "Check every", "BeaconPeriod4"},
        {"Form24", "Time Left", "Label2"},
        {"Form24", "Time Used", "Label3"},
        {"Form24", "Length", "Label4"},
        {"Form24", "Volume", "V1"},
        {"Form117", "Disconnect Net Callsign After", "DiscMins2"},
        {"Form117", "Enter Date", "Text3"},
    });
    for (const char* parser : {"Form115", "Form121", "Form113", "Form122"}) {
        t.push_back({parser, "File Location", "WhereIsFile2"});
        t.push_back({parser, "Delimiter", "editDelimit"});
        t.push_back({parser, "Quotes", "editQuote"});
    }
    for (int k = 1; k <= 8; ++k)
        t.push_back({"Form10", "Hello \"Name\"", k == 1 ? "TextTXMessage" : "TextTXMessage" + std::to_string(k)});
    for (int k = 1; k <= 5; ++k) {
        t.push_back({"Form117", "Connect Net Call", "NetCall" + std::to_string(k)});
        if (k != 2) t.push_back({"Form117", "Disconnect Net Callsign after", "DiscMins" + std::to_string(k)});
    }
    for (const char* set : {"Form111", "Form110"}) {
        // A slot's number ends its row, after the option that picks the slot for the static beacon.
        for (int k = 1; k <= 20; ++k) t.push_back({set, std::to_string(k), "Option" + std::to_string(k)});
        t.push_back({set, "From No,", "Text22"});
        t.push_back({set, "To No.", "Text23"});
    }
    return t;
}

// The operator types beside a caption and presses the window's save button.
struct TypedAndSaved {
    std::string window, text, typed, saveButton, file, key;
};

const TypedAndSaved kTypedAndSaved[] = {
    {"Form111", "From No,", "3", "Command1", "beaconabc.ini", "TEXT22"},
    {"Form110", "To No.", "7", "Command1", "beaconabc2.ini", "TEXT23"},
    {"Form1", "Every", "9", "Command11", "MP3_PlayerABC.ini", "BEACONPERIOD8"},
    {"Form1", "Mins    For ", "250", "Command11", "MP3_PlayerABC.ini", "TEXT6"},
    {"Form3", "Turn ID Off After", "12", "Command6", "identabc.ini", "VOICEPERIOD"},
    {"Form3", "Delay Increments 0 to 9", "3", "SaveDataNow", "identabc.ini", "TTSPERIOD"},
    {"Form22", "Anti-Kerchunker", "4000", "Command13", "mvcourtesy.ini", "KERCHUNKWAIT"},
    {"Form22", "HangTime Before ID ", "700", "Command13", "mvcourtesy.ini", "HANGTIME"},
    {"Form4", "Node                                Con", "W1ABC", "Command14", "dtmfctrl.ini", "TEXT1X"},
    {"Form4", "DTMF 3", "33", "Command14", "dtmfctrl.ini", "DTMF3"},
    {"Form23", "Set Web URL data collection delay before play to", "7", "Command5", "marodtmfhelpMP3.ini", "TEXT2"},
    {"Form10", "Set Delay Seconds", "5", "Command2", "marogreeting.ini", "BEACONPERIODDELAY"},
    {"Form10", "\"Call - Name\"", "Hi there", "Command2", "marogreeting.ini", "TEXTTXMESSAGE9"},
    {"Form114", "Text Info", "Quiet tonight", "Command1", "abcweather.ini", "TEXT9"},
    {"Form114", "Check every", "7", "Command1", "abcweather.ini", "BEACONPERIOD4"},
    {"Form117", "Disconnect Net Callsign After", "45", "Command2", "netscheduler2.ini", "DISCMINS2"},
    {"Form117", "Enter Date", "25/12/2026", "Command2", "netscheduler2.ini", "TEXT3"},
};

// The window keeps the control out of view for now (the control or an area holding it is hidden):
// its captions are checked where the window shows that area (areas_on_demand_test.cpp).
bool hiddenForNow(const Control& c) {
    for (const Control* k = &c; k; k = k->container())
        if (!k->visible()) return true;
    return false;
}

QWidget* widgetOf(FormView& view, Form& form, const std::string& control) {
    Control* c = form.findControl(control);
    return c ? view.widgetFor(*c) : nullptr;
}

}  // namespace

TEST(WindowLayout, EachCaptionInTheTableNamesTheBoxBesideIt) {
    ViewedStation v;
    for (const Named& n : namedBoxes()) {
        SCOPED_TRACE(n.window + ": \"" + n.text + "\" -> " + n.box);
        Form& form = v.form(n.window);
        FormView* view = v.show(form);
        ASSERT_NE(view, nullptr);
        QWidget* box = widgetOf(*view, form, n.box);
        ASSERT_NE(box, nullptr);
        const QLabel* label = captionOf(view, n.text, box);
        ASSERT_NE(label, nullptr) << "no shown caption names the box";
        EXPECT_EQ(sideBySide(view, label, box), "");
    }
}

TEST(WindowLayout, EveryDeclaredCaptionStandsBesideTheBoxItNames) {
    ViewedStation v;
    v.s.app().act([&] { v.s.app().createStartupWindows(); });
    for (const std::string& name : allWindows()) {
        Form& form = v.form(name);
        FormView* view = v.show(form);
        ASSERT_NE(view, nullptr);
        for (const WindowLayout::Caption& c : form.layout().captions()) {
            SCOPED_TRACE(name + ": \"" + c.text + "\" -> " + c.box->name());
            EXPECT_FALSE(form.layout().isOutsideView(*c.box));
            if (hiddenForNow(*c.box)) continue;
            QWidget* box = view->widgetFor(*c.box);
            const QLabel* label = captionOf(view, c.text, box);
            ASSERT_NE(label, nullptr);
            EXPECT_EQ(sideBySide(view, label, box), "");
        }
    }
}

TEST(WindowLayout, WhatIsTypedBesideACaptionIsSavedUnderThatBoxsKey) {
    for (const TypedAndSaved& t : kTypedAndSaved) {
        SCOPED_TRACE(t.window + ": beside \"" + t.text + "\" -> " + t.key);
        ViewedStation v;
        Form& form = v.form(t.window);
        FormView* view = v.show(form);
        ASSERT_NE(view, nullptr);
        auto* box = qobject_cast<QLineEdit*>(boxBeside(view, t.text));
        ASSERT_NE(box, nullptr) << "no one box beside the caption";
        box->selectAll();
        QTest::keyClicks(box, QString::fromStdString(t.typed));
        v.settle();
        auto* save = qobject_cast<QPushButton*>(widgetOf(*view, form, t.saveButton));
        ASSERT_NE(save, nullptr);
        save->click();
        v.settle();
        EXPECT_EQ(SettingsFile(v.s.settingsFile(t.file)).read(t.key, "(missing)"), t.typed);
    }
}

// A window that declares its layout declares all of it: nothing is left to flow below its rows.
TEST(WindowLayout, AWindowWithDeclaredRowsPlacesEveryControl) {
    ViewedStation v;
    v.s.app().act([&] { v.s.app().createStartupWindows(); });
    for (const std::string& name : allWindows()) {
        Form& form = v.form(name);
        const WindowLayout& l = form.layout();
        if (l.blocks().empty()) continue;
        for (Control* c : form.controls()) {
            if (c->kind() == ControlKind::TabPage || l.placed(*c) || l.isOutsideView(*c) || l.isBelowView(*c)) continue;
            ADD_FAILURE() << name << "." << c->name() << " has no place in the window's rows";
        }
    }
}

// Each window as the operator first sees it on a 1280 by 800 screen: whole on the screen, every
// control inside the window (what is taller than the screen scrolls), and a picture to look at.
TEST(WindowLayout, EveryWindowFitsTheScreenWithNothingCutOff) {
    ViewedStation v;
    v.s.app().act([&] { v.s.app().createStartupWindows(); });
    QDir().mkpath(MVSMALL_GUI_PICTURES);
    for (const std::string& name : allWindows()) {
        SCOPED_TRACE(name);
        FormView* view = v.show(v.form(name));
        ASSERT_NE(view, nullptr);
        const QRect screen = view->screen()->geometry();
        ASSERT_EQ(screen.size(), QSize(1280, 800));
        EXPECT_TRUE(screen.contains(view->frameGeometry()))
            << view->frameGeometry().x() << "," << view->frameGeometry().y() << " "
            << view->frameGeometry().width() << "x" << view->frameGeometry().height();
        // Every page of every tab strip, each in turn.
        std::vector<std::pair<QTabWidget*, int>> pages = {{nullptr, 0}};
        for (QTabWidget* tabs : view->findChildren<QTabWidget*>())
            for (int i = 0; i < tabs->count(); ++i) pages.emplace_back(tabs, i);
        for (const auto& [tabs, i] : pages) {
            QString picture = QString::fromStdString(name);
            if (tabs) {
                tabs->setCurrentIndex(i);
                QApplication::processEvents();
                picture += QStringLiteral("-%1-%2").arg(tabs->objectName()).arg(i + 1);
            }
            for (const std::string& cut : cutOff(view)) ADD_FAILURE() << picture.toStdString() << " cut off: " << cut;
            const QPixmap shot = view->grab();
            ASSERT_FALSE(shot.isNull());
            const QString file = QStringLiteral(MVSMALL_GUI_PICTURES "/%1.png").arg(picture);
            EXPECT_TRUE(shot.save(file)) << file.toStdString();
        }
    }
}

// The connect-control window's toggles and its timed connection's start and stop are small
// squares at the ends of their rows, too small for a caption; the error log runs its lines on
// under a horizontal scroll bar.
TEST(WindowLayout, SmallSquareButtonsAndTheErrorLogsScrollBar) {
    ViewedStation v;
    Form& form4 = v.form("Form4");
    FormView* view = v.show(form4);
    ASSERT_NE(view, nullptr);
    const struct {
        const char* button;
        const char* before;   // the box the square follows on its row
    } squares[] = {{"Command23", "Text2x"}, {"Command24", "Text3x"}, {"Command7", "DTMF1"}, {"Command15", "DTMF8"}};
    for (const auto& sq : squares) {
        SCOPED_TRACE(sq.button);
        QWidget* button = view->widgetFor(*form4.findControl(sq.button));
        QWidget* before = view->widgetFor(*form4.findControl(sq.before));
        bringIntoView(button);
        EXPECT_EQ(button->size(), QSize(9, 9));   // 135 twips a side
        const QRect b = onWindow(button, view), box = onWindow(before, view);
        EXPECT_GT(b.left(), box.right());
        EXPECT_TRUE(b.center().y() >= box.top() && b.center().y() <= box.bottom()) << "not on the box's row";
        EXPECT_FALSE(button->toolTip().isEmpty());
        EXPECT_EQ(qobject_cast<QPushButton*>(button)->text(), "") << "a clipped caption";
    }
    Form& log = v.form("Form120");
    FormView* logView = v.show(log);
    ASSERT_NE(logView, nullptr);
    auto* text = qobject_cast<QPlainTextEdit*>(logView->widgetFor(*log.findControl("Text1")));
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(text->lineWrapMode(), QPlainTextEdit::NoWrap);
    EXPECT_EQ(text->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
}
