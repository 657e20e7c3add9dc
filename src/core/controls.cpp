#include "core/controls.h"

#include <algorithm>
#include <cctype>

#include "core/form.h"
#include "core/text.h"

Control::Control(Form& owner, std::string name, ControlKind kind, Control* container)
    : owner_(owner), name_(std::move(name)), kind_(kind), container_(container) {
    owner_.registerControl(*this);
}

void Control::changed() { owner_.controlChanged(*this); }

void Control::setVisible(bool v) {
    if (v == visible_) return;
    visible_ = v;
    changed();
}

void Control::setEnabled(bool e) {
    if (e == enabled_) return;
    enabled_ = e;
    changed();
}

// ---- Label
Label::Label(Form& owner, std::string name, std::string caption, Control* container)
    : Control(owner, std::move(name), ControlKind::Label, container), caption_(std::move(caption)) {}

void Label::setCaption(std::string_view c) {
    if (c == caption_) return;
    caption_.assign(c);
    shown_.forget();
    changed();
}

void Label::setBackColor(std::int64_t c) {
    if (c == backColor_) return;
    backColor_ = c;
    changed();
}

void Label::setForeColor(std::int64_t c) {
    if (c == foreColor_) return;
    foreColor_ = c;
    changed();
}

// ---- TextBox
TextBox::TextBox(Form& owner, std::string name, std::string text, Control* container)
    : Control(owner, std::move(name), ControlKind::TextBox, container), text_(std::move(text)) {}

void TextBox::setText(std::string_view t) {
    if (t == text_) return;
    text_.assign(t);
    shown_.forget();
    changed();
    if (onChange_) onChange_();
}

void TextBox::load(const std::string& t) {
    if (t != text_) {
        text_ = t;
        shown_.forget();
        changed();
    }
    if (onChange_) onChange_();
}

void TextBox::operatorType(const std::string& t) {
    if (locked) return;
    std::string typed;
    for (char c : t) {
        if (numberOnly && !std::isdigit(static_cast<unsigned char>(c))) continue;
        typed += upperCase ? static_cast<char>(std::toupper(static_cast<unsigned char>(c))) : c;
    }
    if (maxLength > 0 && typed.size() > static_cast<size_t>(maxLength)) typed.resize(static_cast<size_t>(maxLength));
    setText(typed);
}

bool TextBox::operatorKey(int keyAscii) {
    if (onKeyPress_) onKeyPress_(keyAscii);
    return keyAscii != 0;
}

// ---- CheckBox
CheckBox::CheckBox(Form& owner, std::string name, std::string caption, int value, Control* container)
    : Control(owner, std::move(name), ControlKind::CheckBox, container), caption_(std::move(caption)), value_(value) {}

void CheckBox::setValue(int v) {
    if (v < 0 || v > 2) v = 0;
    if (v == value_) return;
    value_ = v;
    changed();
    if (onClick_) onClick_();
}

void CheckBox::load(int v) {
    if (v < 0 || v > 2) v = 0;
    if (v != value_) {
        value_ = v;
        changed();
    }
    if (onClick_) onClick_();
}

void CheckBox::setCaption(const std::string& c) {
    if (c == caption_) return;
    caption_ = c;
    changed();
}

std::string CheckBox::valueText() const { return std::to_string(value_); }

void CheckBox::operatorSet(const std::string& value) {
    if (auto b = toBool(value); b && !isNumeric(value)) {
        setValue(*b ? 1 : 0);
        return;
    }
    setValue(clampToInt(val(value)));
}

bool CheckBox::operatorClick() {
    if (!enabled()) return false;
    setValue(value_ == 1 ? 0 : 1);
    return true;
}

// ---- OptionButton
OptionButton::OptionButton(Form& owner, std::string name, std::string group, std::string caption, bool value,
                           Control* container)
    : Control(owner, std::move(name), ControlKind::OptionButton, container),
      group_(std::move(group)),
      caption_(std::move(caption)),
      value_(value) {}

void OptionButton::setValue(bool v) {
    if (v == value_) return;
    load(v);
}

void OptionButton::load(bool v) {
    if (v != value_) {
        value_ = v;
        changed();
    }
    if (!v) return;
    for (Control* c : owner().controls()) {
        if (c == this || c->kind() != ControlKind::OptionButton) continue;
        auto* other = static_cast<OptionButton*>(c);
        if (other->group_ == group_ && other->value_) {
            other->value_ = false;
            other->changed();
        }
    }
    if (onClick_) onClick_();
}

void OptionButton::operatorSet(const std::string& value) {
    if (toBool(value).value_or(false)) setValue(true);
}

bool OptionButton::operatorClick() {
    if (!enabled()) return false;
    setValue(true);
    return true;
}

// ---- CommandButton
CommandButton::CommandButton(Form& owner, std::string name, std::string caption, Control* container)
    : Control(owner, std::move(name), ControlKind::CommandButton, container), caption_(std::move(caption)) {}

void CommandButton::setCaption(const std::string& c) {
    if (c == caption_) return;
    caption_ = c;
    changed();
}

void CommandButton::click() {
    if (onClick_) onClick_();
}

bool CommandButton::operatorClick() {
    if (!enabled() || !visible()) return false;
    click();
    return true;
}

// ---- ListBox
ListBox::ListBox(Form& owner, std::string name, Control* container, ControlKind kind)
    : Control(owner, std::move(name), kind, container) {}

std::string ListBox::item(int i) const {
    if (i < 0 || i >= listCount()) return {};
    return items_[static_cast<size_t>(i)];
}

void ListBox::addItem(const std::string& s) {
    items_.push_back(s);
    changed();
}

void ListBox::removeItem(int i) {
    if (i < 0 || i >= listCount()) return;
    items_.erase(items_.begin() + i);
    if (listIndex_ >= listCount()) listIndex_ = listCount() - 1;
    changed();
}

void ListBox::clear() {
    items_.clear();
    listIndex_ = -1;
    changed();
}

void ListBox::setItems(std::vector<std::string> items) {
    items_ = std::move(items);
    listIndex_ = -1;
    changed();
}

void ListBox::setListIndex(int i) {
    if (i < -1 || i >= listCount()) i = -1;
    if (i == listIndex_) return;
    listIndex_ = i;
    changed();
    if (onClick_) onClick_();
}

std::string ListBox::valueText() const { return item(listIndex_); }

void ListBox::operatorSet(const std::string& value) {
    auto it = std::find(items_.begin(), items_.end(), value);
    if (it != items_.end()) setListIndex(static_cast<int>(it - items_.begin()));
}

// ---- ComboBox
ComboBox::ComboBox(Form& owner, std::string name, std::string text, Control* container)
    : ListBox(owner, std::move(name), container, ControlKind::ComboBox), text_(std::move(text)) {}

void ComboBox::setText(const std::string& t) {
    if (t == text_) return;
    text_ = t;
    changed();
    if (onChange_) onChange_();
}

void ComboBox::setListIndex(int i) {
    ListBox::setListIndex(i);
    if (listIndex() >= 0) setText(item(listIndex()));
}

void ComboBox::operatorSet(const std::string& value) {
    auto it = std::find(items_.begin(), items_.end(), value);
    if (it != items_.end())
        setListIndex(static_cast<int>(it - items_.begin()));
    else
        setText(value);
}

// ---- Slider
Slider::Slider(Form& owner, std::string name, int min, int max, int value, Control* container)
    : Control(owner, std::move(name), ControlKind::Slider, container), min_(min), max_(max), value_(value) {}

void Slider::setValue(int v) {
    v = std::clamp(v, std::min(min_, max_), std::max(min_, max_));
    if (v == value_) return;
    value_ = v;
    changed();
    if (onChange_) onChange_();
}

void Slider::load(int v) {
    v = std::clamp(v, std::min(min_, max_), std::max(min_, max_));
    if (v != value_) {
        value_ = v;
        changed();
    }
    if (onChange_) onChange_();
}

void Slider::setMax(int max) {
    if (max == max_) return;
    max_ = max;
    value_ = std::clamp(value_, std::min(min_, max_), std::max(min_, max_));
    changed();
}

void Slider::operatorSet(const std::string& value) { setValue(clampToInt(val(value))); }

// ---- ProgressBar
ProgressBar::ProgressBar(Form& owner, std::string name, Control* container)
    : Control(owner, std::move(name), ControlKind::ProgressBar, container) {}

void ProgressBar::setValue(double v) {
    if (v == value_) return;
    value_ = v;
    changed();
}

std::string ProgressBar::valueText() const { return numberText(value_); }

// ---- Layout
Frame::Frame(Form& owner, std::string name, std::string caption, Control* container)
    : Control(owner, std::move(name), ControlKind::Frame, container), caption_(std::move(caption)) {}

void Frame::setCaption(const std::string& c) {
    if (c == caption_) return;
    caption_ = c;
    changed();
}

TabStrip::TabStrip(Form& owner, std::string name, Control* container)
    : Control(owner, std::move(name), ControlKind::TabStrip, container) {}

void TabStrip::setCurrentTab(int i) {
    if (i == current_) return;
    current_ = i;
    changed();
}

void TabStrip::operatorSet(const std::string& value) { setCurrentTab(clampToInt(val(value))); }

TabPage::TabPage(TabStrip& strip, std::string name, std::string caption)
    : Control(strip.owner(), std::move(name), ControlKind::TabPage, &strip), caption_(std::move(caption)) {}
