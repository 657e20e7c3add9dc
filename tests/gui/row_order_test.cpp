// Rows stand in the order the windows have always shown them, and each row's parts share its line:
// the greeting rows 1 to 10, the preset rows with their Send buttons, the DTMF player's slots with
// a code box beside each location box, the beacon slots ending in their option and number.
#include <gtest/gtest.h>

#include "gui_support.h"
#include "layout_support.h"

namespace {
struct Row {
    std::string first, beside;   // two controls of one row
};

struct RowOrder {
    std::string window;
    std::vector<Row> rows;   // top to bottom
};

std::vector<RowOrder> rowOrders() {
    RowOrder greetings{"Form10", {}};
    for (int k = 1; k <= 9; ++k)
        greetings.rows.push_back({"Option" + std::to_string(k), k == 1 ? "TextTXMessage" : "TextTXMessage" + std::to_string(k)});
    greetings.rows.push_back({"Option10", "Label10"});

    // Preset, Send button: frame 1 shows preset 4 above 3; frame 2 runs from 20 down to 11, 17 above 18.
    const int presets[20][2] = {{1, 1},   {2, 2},   {4, 4},   {3, 3},   {5, 5},   {6, 6},   {7, 7},
                                {8, 8},   {9, 9},   {10, 10}, {20, 22}, {19, 21}, {17, 20}, {18, 19},
                                {16, 18}, {15, 17}, {14, 16}, {13, 15}, {12, 14}, {11, 13}};
    RowOrder preset{"Form116", {}};
    for (const auto& p : presets)
        preset.rows.push_back({"Text" + std::to_string(p[0]), "Command" + std::to_string(p[1])});

    RowOrder playerSlots{"Form23", {}};
    for (int k = 1; k <= 20; ++k)
        playerSlots.rows.push_back({"Text" + std::to_string(k <= 3 ? 44 - k : k), "Text" + std::to_string(20 + k)});
    // A beacon slot's row: its box, its File picker, its test button, its option, then its number.
    std::vector<RowOrder> out = {greetings, preset, playerSlots};
    for (const char* set : {"Form111", "Form110"}) {
        RowOrder beacons{set, {}}, numbers{set, {}};
        for (int k = 1; k <= 20; ++k) {
            beacons.rows.push_back({"Text" + std::to_string(k), "Command" + std::to_string(29 + k)});
            numbers.rows.push_back({"Option" + std::to_string(k), "SlotNumber" + std::to_string(k)});
        }
        out.push_back(beacons);
        out.push_back(numbers);
    }
    return out;
}

QWidget* widgetOf(FormView& view, Form& form, const std::string& name) {
    Control* c = form.findControl(name);
    return c ? view.widgetFor(*c) : nullptr;
}

bool onOneLine(const QWidget* a, const QWidget* b, const QWidget* window) {
    const QRect ra = layout_check::onWindow(a, window), rb = layout_check::onWindow(b, window);
    return ra.center().y() >= rb.top() && ra.center().y() <= rb.bottom() && ra.right() < rb.left();
}
}  // namespace

TEST(RowOrder, RowsStandTopToBottomWithTheirPartsOnOneLine) {
    for (const RowOrder& o : rowOrders()) {
        ViewedStation v;
        Form& form = v.form(o.window);
        FormView* view = v.show(form);
        ASSERT_NE(view, nullptr);
        int above = -1;
        for (const Row& r : o.rows) {
            SCOPED_TRACE(o.window + ": " + r.first + " beside " + r.beside);
            QWidget* first = widgetOf(*view, form, r.first);
            QWidget* beside = widgetOf(*view, form, r.beside);
            ASSERT_NE(first, nullptr);
            ASSERT_NE(beside, nullptr);
            const int top = layout_check::onWindow(first, view).top();
            EXPECT_GT(top, above) << "not under the row before";
            EXPECT_TRUE(onOneLine(first, beside, view));
            above = top;
        }
    }
}
