#pragma once
// How a window looks to the operator, declared by the window beside its controls: rows of
// controls inside the window, its frames and its tab pages; the static texts that name the boxes
// beside them; the controls that hold shared state outside the visible area; the kind of frame
// and where the window opens. A view draws this and knows no window.
#include <initializer_list>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

class Control;
class Form;
class Frame;
class Label;
class TabPage;
class TabStrip;

// One item of a row: a control of the window, or a static text. A text or a label may name a box:
// it is that box's caption and stands beside it.
struct LayoutItem {
    LayoutItem(Control& c) : control(&c) {}   // NOLINT: rows read as lists of controls
    LayoutItem(const char* t) : text(t) {}    // NOLINT: a static text naming nothing
    Control* control = nullptr;
    std::string text;
    Control* names = nullptr;
    int rowSpan = 1;   // rows it stands across; the rows below it start beside it
};

// A static text that names the box beside it.
LayoutItem labelFor(std::string text, Control& box);
// A label control of the window that names the box beside it.
LayoutItem labelFor(Label& label, Control& box);
// A control that stands across this many rows of its block, the rows below going beside it.
LayoutItem tall(Control& control, int rows);

// Rows drawn together inside one container (the window, a frame or a tab page): the items of a
// row stand left to right, and the n-th items of all rows line up in one column.
struct LayoutBlock {
    const Control* container = nullptr;   // nullptr: the window itself
    std::vector<std::vector<LayoutItem>> rows;
};

// How the window's frame behaves.
enum class FrameStyle {
    Sizable,      // the operator may resize and maximise it
    Fixed,        // fixed size, no maximise button
    FixedTool,    // fixed size, neither minimise nor maximise button
};

// Where the window opens.
enum class Opening {
    Stored,          // at its Left / Top (the place its settings file keeps)
    Centred,         // centred on the screen
    SystemChooses,   // where the desktop puts new windows
};

class WindowLayout {
public:
    explicit WindowLayout(Form& form);
    ~WindowLayout();
    WindowLayout(const WindowLayout&) = delete;
    WindowLayout& operator=(const WindowLayout&) = delete;

    FrameStyle frame = FrameStyle::Sizable;
    Opening opening = Opening::Stored;

    // Rows that line up; all controls of a block sit in one container.
    void rows(std::vector<std::vector<LayoutItem>> rows);
    void row(std::vector<LayoutItem> items) { rows({std::move(items)}); }
    // Rows placed in a container of the layout's own (a tab page, a frame): their controls move there.
    void rowsIn(Control& container, std::vector<std::vector<LayoutItem>> rows);
    // Containers that only arrange the window: the behaviour never looks at them.
    TabStrip& tabStrip(std::string name, Control* container = nullptr);
    TabPage& tabPage(TabStrip& strip, std::string name, std::string caption);
    Frame& group(std::string name, std::string caption, Control* container = nullptr);
    // Controls that hold shared state: they work as any other but the operator never sees them.
    void outsideView(std::initializer_list<Control*> controls);
    // Controls placed below the window's visible area, as past the bottom of a fixed frame: out of
    // sight and out of the mouse's reach, but in the window's Tab order, so the Tab key reaches them.
    void belowView(std::initializer_list<Control*> controls);
    // A box about this many characters wide, in place of the whole width of its column.
    void widthInChars(Control& box, int chars) { widths_[&box] = chars; }
    // A caption drawn in bold.
    void bold(Control& c) { bold_.insert(&c); }
    // A control of this size in twips, however wide its column (a small square button whose
    // caption cannot show).
    void sizeTwips(Control& c, int width, int height) { sizes_[&c] = {width, height}; }

    const std::vector<LayoutBlock>& blocks() const { return blocks_; }
    bool isOutsideView(const Control& c) const;
    bool isBelowView(const Control& c) const { return below_.count(&c) != 0; }
    // Whether some block holds the control.
    bool placed(const Control& c) const { return placed_.count(&c) != 0; }
    int widthInChars(const Control& c) const;   // 0: the column's width
    bool isBold(const Control& c) const { return bold_.count(&c) != 0; }
    struct Size {
        int width = 0, height = 0;   // twips; 0 where the window gives none
    };
    Size sizeTwips(const Control& c) const;

    // Every text that names a box, with the label control that shows it (nullptr for a static text).
    struct Caption {
        std::string text;
        const Control* label;
        const Control* box;
    };
    std::vector<Caption> captions() const;

private:
    Form& form_;
    std::vector<std::unique_ptr<Control>> arrangement_;
    void add(const Control* container, std::vector<std::vector<LayoutItem>> rows);
    std::vector<LayoutBlock> blocks_;
    std::set<const Control*> placed_;
    std::set<const Control*> outside_;
    std::set<const Control*> below_;
    std::set<const Control*> bold_;
    std::map<const Control*, int> widths_;
    std::map<const Control*, Size> sizes_;
};
