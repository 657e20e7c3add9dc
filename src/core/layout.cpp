#include "core/layout.h"

#include <stdexcept>

#include "core/controls.h"

LayoutItem labelFor(std::string text, Control& box) {
    LayoutItem item(text.c_str());
    item.names = &box;
    return item;
}

LayoutItem labelFor(Label& label, Control& box) {
    LayoutItem item(label);
    item.names = &box;
    return item;
}

LayoutItem tall(Control& control, int rows) {
    LayoutItem item(control);
    item.rowSpan = rows;
    return item;
}

void WindowLayout::rows(std::vector<std::vector<LayoutItem>> rows) {
    const Control* container = nullptr;
    bool found = false;
    for (const auto& row : rows)
        for (const auto& item : row)
            if (item.control && !found) {
                container = item.control->container();
                found = true;
            }
    if (!found) throw std::logic_error("a block of rows without a control says nothing of where it goes");
    add(container, std::move(rows));
}

WindowLayout::WindowLayout(Form& form) : form_(form) {}
WindowLayout::~WindowLayout() = default;

void WindowLayout::rowsIn(Control& container, std::vector<std::vector<LayoutItem>> rows) {
    for (const auto& row : rows)
        for (const auto& item : row)
            if (item.control) item.control->placeIn(&container);
    add(&container, std::move(rows));
}

TabStrip& WindowLayout::tabStrip(std::string name, Control* container) {
    auto strip = std::make_unique<TabStrip>(form_, std::move(name), container);
    TabStrip& ref = *strip;
    arrangement_.push_back(std::move(strip));
    return ref;
}

TabPage& WindowLayout::tabPage(TabStrip& strip, std::string name, std::string caption) {
    auto page = std::make_unique<TabPage>(strip, std::move(name), std::move(caption));
    TabPage& ref = *page;
    arrangement_.push_back(std::move(page));
    return ref;
}

Frame& WindowLayout::group(std::string name, std::string caption, Control* container) {
    auto frame = std::make_unique<Frame>(form_, std::move(name), std::move(caption), container);
    Frame& ref = *frame;
    arrangement_.push_back(std::move(frame));
    return ref;
}

// A control in two places, or beside controls of another container, is a mistake of the
// declaration: it shows at once, when the window is created.
void WindowLayout::add(const Control* container, std::vector<std::vector<LayoutItem>> rows) {
    for (const auto& row : rows)
        for (const auto& item : row) {
            if (!item.control) continue;
            if (item.control->container() != container)
                throw std::logic_error(item.control->name() + " is declared in a row of another container");
            if (!placed_.insert(item.control).second)
                throw std::logic_error(item.control->name() + " is declared in two rows");
        }
    blocks_.push_back({container, std::move(rows)});
}

void WindowLayout::outsideView(std::initializer_list<Control*> controls) {
    for (Control* c : controls) outside_.insert(c);
}

void WindowLayout::belowView(std::initializer_list<Control*> controls) {
    for (Control* c : controls) below_.insert(c);
}

bool WindowLayout::isOutsideView(const Control& c) const {
    for (const Control* k = &c; k; k = k->container())
        if (outside_.count(k)) return true;
    return false;
}

WindowLayout::Size WindowLayout::sizeTwips(const Control& c) const {
    auto it = sizes_.find(&c);
    return it == sizes_.end() ? Size{} : it->second;
}

int WindowLayout::widthInChars(const Control& c) const {
    auto it = widths_.find(&c);
    return it == widths_.end() ? 0 : it->second;
}

std::vector<WindowLayout::Caption> WindowLayout::captions() const {
    std::vector<Caption> out;
    for (const auto& block : blocks_)
        for (const auto& row : block.rows)
            for (const auto& item : row) {
                if (!item.names) continue;
                const auto* label = dynamic_cast<const Label*>(item.control);
                out.push_back({label ? label->caption() : item.text, item.control, item.names});
            }
    return out;
}
