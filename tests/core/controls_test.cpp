#include <gtest/gtest.h>

#include "core/text.h"
#include "support/station_fixture.h"

namespace {
class Probe : public Form {
public:
    explicit Probe(FormHost& host) : Form(host, "Probe") {
        Text1.onChange([this] { ++textChanges; });
        Check1.onClick([this] { ++checkClicks; });
        Option1.onClick([this] { ++option1Clicks; });
        Option2.onClick([this] { ++option2Clicks; });
        Slider1.onChange([this] { ++sliderChanges; });
    }
    TextBox Text1{*this, "Text1"};
    Label Label1{*this, "Label1"};
    CheckBox Check1{*this, "Check1"};
    OptionButton Option1{*this, "Option1", "g", "", true};
    OptionButton Option2{*this, "Option2", "g"};
    OptionButton Other{*this, "Other", "h", "", true};
    Slider Slider1{*this, "Slider1", -3000, 0, 0};
    int textChanges = 0, checkClicks = 0, option1Clicks = 0, option2Clicks = 0, sliderChanges = 0;
};
}  // namespace

TEST(Controls, HandlersRunOncePerRealChangeWhoeverMakesIt) {
    Station s;
    Probe p(s.app());
    p.Text1.setText("A");
    p.Text1.setText("A");
    p.Text1.operatorType("A");
    p.Text1.operatorType("B");
    EXPECT_EQ(p.textChanges, 2);
    p.Check1.setValue(1);
    p.Check1.setValue(1);
    p.Check1.operatorClick();
    EXPECT_EQ(p.checkClicks, 2);
    EXPECT_EQ(p.Check1.value(), 0);
    p.Slider1.setValue(-100);
    p.Slider1.setValue(-100);
    p.Slider1.setValue(-5000);   // clamped to the minimum
    EXPECT_EQ(p.sliderChanges, 2);
    EXPECT_EQ(p.Slider1.value(), -3000);
}

// A number shown every tick is turned into text only when it changes, yet whatever else writes
// the control is never left standing over the number shown after it.
TEST(Controls, ShownNumbersAreFormattedOnlyWhenTheyChange) {
    Station s;
    Probe p(s.app());
    int formats = 0;
    const auto format = [&](double v) {
        ++formats;
        return numberText(v);
    };
    p.Label1.showNumber(5, format);
    p.Label1.showNumber(5, format);
    EXPECT_EQ(formats, 1);
    p.Label1.setCaption("by hand");
    p.Label1.showNumber(5, format);
    EXPECT_EQ(p.Label1.caption(), "5");
    p.Label1.showNumber(6.5, format);
    EXPECT_EQ(p.Label1.caption(), "6.5");
    EXPECT_EQ(formats, 3);

    p.Text1.showNumber(7, format);
    p.Text1.showNumber(7, format);
    p.Text1.operatorType("8");
    p.Text1.showNumber(7, format);
    EXPECT_EQ(p.Text1.text(), "7");
    EXPECT_EQ(p.textChanges, 3);   // "7", "8", "7": the change handler sees every change of text
    EXPECT_EQ(formats, 5);
}

TEST(Controls, OptionButtonsExcludeOthersOfTheirGroupOnly) {
    Station s;
    Probe p(s.app());
    p.Option2.setValue(true);
    EXPECT_FALSE(p.Option1.value());
    EXPECT_TRUE(p.Other.value());
    EXPECT_EQ(p.option2Clicks, 1);
    EXPECT_EQ(p.option1Clicks, 0);
    p.Option2.setValue(true);
    EXPECT_EQ(p.option2Clicks, 1);
}

TEST(Controls, OperatorTypingHonoursTheEditStyles) {
    Station s;
    Probe p(s.app());
    struct Case {
        bool numberOnly, upperCase;
        int maxLength;
        const char* typed;
        const char* result;
    } cases[] = {
        {true, false, 0, "12a3", "123"},
        {false, true, 0, "w1abc-l", "W1ABC-L"},
        {false, false, 4, "abcdef", "abcd"},
        {false, false, 0, "  two  blanks  ", "  two  blanks  "},
    };
    for (const auto& c : cases) {
        p.Text1.numberOnly = c.numberOnly;
        p.Text1.upperCase = c.upperCase;
        p.Text1.maxLength = c.maxLength;
        p.Text1.operatorType(c.typed);
        EXPECT_EQ(p.Text1.text(), c.result) << c.typed;
    }
    // Code is not filtered: other windows write what they write.
    p.Text1.numberOnly = true;
    p.Text1.setText("x");
    EXPECT_EQ(p.Text1.text(), "x");
}
