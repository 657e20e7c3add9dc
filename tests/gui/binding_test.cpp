// The widgets and the models in step both ways: what the operator does through a widget reaches
// the model and runs its handler on the loop; what the model changes shows, one control at a time.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPaintEvent>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QTabWidget>
#include <QTest>

#include "gui_support.h"

namespace {
// A window with one of each control, its handler recording what it saw.
struct TestWindow : Form {
    explicit TestWindow(FormHost& host) : Form(host, "TestWindow", "Test window") {
        Text1.numberOnly = true;
        Text2.upperCase = true;
        Text2.maxLength = 4;
        Notes.multiLine = true;
        Command1.onClick([this] { pressedWith = Text1.text() + "/" + Text2.text(); });
        List1.setItems({"one", "two", "three"});
        Combo1.setItems({"red", "green"});
    }
    Label Label1{*this, "Label1", "Frequency"};
    TextBox Text1{*this, "Text1"};
    TextBox Text2{*this, "Text2"};
    TextBox Notes{*this, "Notes"};
    CheckBox Check1{*this, "Check1", "Greyed", 2};
    OptionButton Option1{*this, "Option1", "g", "First", true};
    OptionButton Option2{*this, "Option2", "g", "Second"};
    CommandButton Command1{*this, "Command1", "Go"};
    ListBox List1{*this, "List1"};
    ComboBox Combo1{*this, "Combo1"};
    Slider Slider1{*this, "Slider1", 0, 10, 3};
    ProgressBar Progress1{*this, "Progress1"};
    TabStrip Tabs{*this, "Tabs"};
    TabPage Page1{Tabs, "Page1", "General"};
    TabPage Page2{Tabs, "Page2", "More"};
    Frame Frame1{*this, "Frame1", "Group", &Page2};
    Label Label2{*this, "Label2", "Inside", &Frame1};
    std::string pressedWith;
};

template <class W>
W* widget(FormView* view, const Control& c) {
    auto* w = qobject_cast<W*>(view->widgetFor(c));
    EXPECT_NE(w, nullptr) << c.name();
    return w;
}
}  // namespace

class GuiBinding : public ::testing::Test {
protected:
    ViewedStation v;
    TestWindow w{v.s.app()};
    FormView* view = nullptr;
    void SetUp() override {
        view = v.show(w);
        ASSERT_NE(view, nullptr);
    }
    void TearDown() override { v.s.app().act([&] { w.unload(); }); }
};

TEST_F(GuiBinding, TypingAndPressingRunTheHandlerWithTheBoxesFiltered) {
    QTest::keyClicks(widget<QLineEdit>(view, w.Text1), "14a5");
    v.settle();
    QTest::keyClicks(widget<QLineEdit>(view, w.Text2), "ab-cdef");
    v.settle();
    QTest::mouseClick(widget<QPushButton>(view, w.Command1), Qt::LeftButton);
    EXPECT_EQ(w.pressedWith, "") << "the handler runs on the loop, not inside the widget's event";
    v.settle();
    EXPECT_EQ(w.pressedWith, "145/AB-C");
    EXPECT_EQ(widget<QLineEdit>(view, w.Text2)->text(), "AB-C");
}

TEST_F(GuiBinding, TicksOptionsListsSlidersAndTabsReachTheModel) {
    auto* check = widget<QCheckBox>(view, w.Check1);
    EXPECT_EQ(check->checkState(), Qt::PartiallyChecked);
    QTest::mouseClick(check, Qt::LeftButton);
    v.settle();
    EXPECT_EQ(w.Check1.value(), 1);
    EXPECT_EQ(check->checkState(), Qt::Checked);

    QTest::mouseClick(widget<QRadioButton>(view, w.Option2), Qt::LeftButton);
    v.settle();
    EXPECT_TRUE(w.Option2.value());
    EXPECT_FALSE(w.Option1.value());
    EXPECT_FALSE(widget<QRadioButton>(view, w.Option1)->isChecked());
    EXPECT_TRUE(widget<QRadioButton>(view, w.Option2)->isChecked());

    widget<QListWidget>(view, w.List1)->setCurrentRow(2);
    widget<QSlider>(view, w.Slider1)->setValue(7);
    widget<QTabWidget>(view, w.Tabs)->setCurrentIndex(1);
    auto* combo = widget<QComboBox>(view, w.Combo1);
    QTest::keyClicks(combo->lineEdit(), "blue");
    v.settle();
    EXPECT_EQ(w.List1.listIndex(), 2);
    EXPECT_EQ(w.Slider1.value(), 7);
    EXPECT_EQ(w.Tabs.currentTab(), 1);
    EXPECT_EQ(w.Combo1.text(), "blue");
}

TEST_F(GuiBinding, AModelChangeRepaintsThatControlOnlyOnceATurn) {
    auto* label = widget<QLabel>(view, w.Label1);
    auto before = view->repaints();
    v.s.app().act([&] {
        w.Label1.setCaption("Frequency 145.000");
        w.Label1.setCaption("Frequency 145.500");
    });
    EXPECT_EQ(label->text(), "Frequency") << "drawn once the turn's work has run";
    EXPECT_EQ(view->repaints(), before);
    v.view.repaintChanged();
    EXPECT_EQ(label->text(), "Frequency 145.500");
    EXPECT_EQ(view->repaints(), before + 1);
    v.view.repaintChanged();
    EXPECT_EQ(view->repaints(), before + 1) << "nothing changed since";

    v.act([&] { w.Label1.setBackColor(0xFF); });   // &HBBGGRR: red
    EXPECT_EQ(label->palette().color(QPalette::Window), QColor(255, 0, 0));
    EXPECT_TRUE(label->autoFillBackground());
    v.act([&] {
        w.Label1.setBackColor(-1);
        w.Label1.setForeColor(0xFF0000);   // blue
    });
    EXPECT_FALSE(label->autoFillBackground());
    EXPECT_EQ(label->palette().color(QPalette::Window), QApplication::palette(label).color(QPalette::Window));
    EXPECT_EQ(label->palette().color(QPalette::WindowText), QColor(0, 0, 255));

    v.act([&] {
        w.Text1.setText("42");
        w.Check1.setValue(0);
        w.List1.addItem("four");
        w.Progress1.setValue(50);
        w.Command1.setVisible(false);
        w.Option1.setEnabled(false);
        w.setCaption("Renamed");
    });
    EXPECT_EQ(widget<QLineEdit>(view, w.Text1)->text(), "42");
    EXPECT_EQ(widget<QCheckBox>(view, w.Check1)->checkState(), Qt::Unchecked);
    EXPECT_EQ(widget<QListWidget>(view, w.List1)->count(), 4);
    EXPECT_EQ(widget<QProgressBar>(view, w.Progress1)->value(), 500);
    EXPECT_TRUE(widget<QPushButton>(view, w.Command1)->isHidden());
    EXPECT_FALSE(widget<QRadioButton>(view, w.Option1)->isEnabled());
    EXPECT_EQ(view->windowTitle(), "Renamed");
    EXPECT_EQ(w.pressedWith, "") << "a change made by code presses nothing";
}

TEST_F(GuiBinding, AWindowOutOfViewIsDrawnWholeWhenItShowsAgain) {
    v.act([&] { w.Hide(); });
    ASSERT_TRUE(view->isHidden());
    const auto before = view->repaints();
    v.act([&] {
        w.Label1.setCaption("Changed while hidden");
        w.Text1.setText("7");
        w.List1.addItem("four");
    });
    EXPECT_EQ(view->repaints(), before) << "nothing is drawn for a window out of view";
    EXPECT_EQ(widget<QLabel>(view, w.Label1)->text(), "Frequency");

    EXPECT_EQ(v.show(w), view);
    EXPECT_FALSE(view->isHidden());
    EXPECT_EQ(widget<QLabel>(view, w.Label1)->text(), "Changed while hidden");
    EXPECT_EQ(widget<QLineEdit>(view, w.Text1)->text(), "7");
    EXPECT_EQ(widget<QListWidget>(view, w.List1)->count(), 4);

    // Hidden and shown within one turn: what changed meanwhile shows all the same.
    v.act([&] {
        w.Hide();
        w.Label1.setCaption("Within one turn");
        w.Show();
    });
    EXPECT_EQ(widget<QLabel>(view, w.Label1)->text(), "Within one turn");
}

namespace {
// Where a widget is painted, united.
struct PaintedArea : QObject {
    explicit PaintedArea(QWidget* w) { w->installEventFilter(this); }
    bool eventFilter(QObject*, QEvent* e) override {
        if (e->type() == QEvent::Paint) area |= static_cast<QPaintEvent*>(e)->rect();
        return false;
    }
    QRect area;
};
}  // namespace

TEST_F(GuiBinding, ALabelChangingOnATabPageRepaintsItsOwnPlaceAndAGrowingPageStillGetsItsRoom) {
    auto* tabs = widget<QTabWidget>(view, w.Tabs);
    auto* label = widget<QLabel>(view, w.Label2);
    v.act([&] {
        w.Tabs.setCurrentTab(1);
        w.Label2.setCaption("12:00:00");
    });
    v.settle();
    const PaintedArea painted(tabs);
    v.act([&] { w.Label2.setCaption("12:00:01"); });
    v.settle();
    EXPECT_EQ(label->text(), "12:00:01");
    EXPECT_FALSE(painted.area.contains(tabs->rect())) << "the whole tab widget was repainted for one label";
    EXPECT_TRUE(painted.area.intersects(QRect(label->mapTo(tabs, QPoint()), label->size())))
        << "the label's own place was not repainted";

    const QString words = QString("a caption long enough to need more lines than one ").repeated(6);
    v.act([&] { w.Label2.setCaption(words.toStdString()); });
    v.settle();
    EXPECT_GE(label->height(), label->heightForWidth(label->width())) << "the label was not given its room";
}

TEST_F(GuiBinding, ClosingTheFrameAsksTheWindowWhichUnloadsByDefault) {
    view->close();
    EXPECT_FALSE(w.unloaded()) << "the window decides, on the loop";
    v.settle();
    EXPECT_TRUE(w.unloaded());
    EXPECT_EQ(v.view.viewOf(w), nullptr);
}

TEST_F(GuiBinding, AMultiLineBoxKeepsItsLinesWithCarriageReturns) {
    auto* notes = widget<QPlainTextEdit>(view, w.Notes);
    QTest::keyClicks(notes, "a");
    QTest::keyClick(notes, Qt::Key_Return);
    QTest::keyClicks(notes, "b");
    v.settle();
    EXPECT_EQ(w.Notes.text(), "a\r\nb");
    v.act([&] { w.Notes.setText("one\r\ntwo"); });
    EXPECT_EQ(notes->toPlainText(), "one\ntwo");
}
