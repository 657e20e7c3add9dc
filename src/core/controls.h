#pragma once
// Models of the window controls. Other windows read and write them directly, as the
// behaviour is defined in terms of captions and boxes. A change handler runs when a value
// really changes, whether the operator or the code changed it; `load` (the window's creation
// putting in a stored value) runs it once whether the value changed or not, so the state the
// handler derives always matches the loaded value.
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

class Form;

enum class ControlKind { Label, TextBox, CheckBox, OptionButton, CommandButton, ListBox, ComboBox, Slider,
                         ProgressBar, Frame, TabStrip, TabPage };

class Control {
public:
    Control(Form& owner, std::string name, ControlKind kind, Control* container = nullptr);
    virtual ~Control() = default;
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;

    Form& owner() const { return owner_; }
    const std::string& name() const { return name_; }
    ControlKind kind() const { return kind_; }
    Control* container() const { return container_; }
    // Where the window's layout puts the control (a tab page or a frame of its own arranging).
    void placeIn(Control* container) { container_ = container; }

    bool visible() const { return visible_; }
    void setVisible(bool v);
    bool enabled() const { return enabled_; }
    void setEnabled(bool e);
    const std::string& toolTip() const { return toolTip_; }
    void setToolTip(std::string t) { toolTip_ = std::move(t); }
    // Geometry in twips where a window gives it; 0 means "lay out by order".
    struct Rect { int left = 0, top = 0, width = 0, height = 0; };
    Rect geometry;

    // The value as the operator sees it, and as the operator would enter it (headless `get`/`set`).
    virtual std::string valueText() const = 0;
    virtual void operatorSet(const std::string& value) = 0;
    // The operator presses or picks the control (`click`); false where that means nothing.
    virtual bool operatorClick() { return false; }

protected:
    void changed();  // tell the view to repaint this control
private:
    Form& owner_;
    std::string name_;
    ControlKind kind_;
    Control* container_;
    bool visible_ = true;
    bool enabled_ = true;
    std::string toolTip_;
};

// The number a control last showed through showNumber, so showing it again costs no text.
// Any other write of the control's text forgets it.
class ShownNumber {
public:
    bool is(double v) const { return valid_ && v == number_; }
    void remember(double v) {
        valid_ = true;
        number_ = v;
    }
    void forget() { valid_ = false; }
private:
    bool valid_ = false;
    double number_ = 0;
};

class Label : public Control {
public:
    Label(Form& owner, std::string name, std::string caption = "", Control* container = nullptr);
    const std::string& caption() const { return caption_; }
    void setCaption(std::string_view c);
    // Shows a number: its text is made only when the number differs from the one last shown so,
    // or the caption was written otherwise since. A tick that shows an unchanged number costs a
    // compare of two numbers.
    template <class Format>
    void showNumber(double v, const Format& format) {
        if (shown_.is(v)) return;
        setCaption(format(v));
        shown_.remember(v);
    }
    // Colours as the settings files store them: &HBBGGRR. -1 is the system default.
    std::int64_t backColor() const { return backColor_; }
    std::int64_t foreColor() const { return foreColor_; }
    void setBackColor(std::int64_t c);
    void setForeColor(std::int64_t c);
    std::string valueText() const override { return caption_; }
    void operatorSet(const std::string& value) override { setCaption(value); }
private:
    std::string caption_;
    std::int64_t backColor_ = -1, foreColor_ = -1;
    ShownNumber shown_;
};

class TextBox : public Control {
public:
    TextBox(Form& owner, std::string name, std::string text = "", Control* container = nullptr);
    const std::string& text() const { return text_; }
    void setText(std::string_view t);        // runs the change handler when the text changes
    // As Label::showNumber; the change handler runs when the text changes.
    template <class Format>
    void showNumber(double v, const Format& format) {
        if (shown_.is(v)) return;
        setText(format(v));
        shown_.remember(v);
    }
    void load(const std::string& t);         // puts the text in and runs the change handler, changed or not
    void onChange(std::function<void()> h) { onChange_ = std::move(h); }
    // Edit styles that filter the operator's typing.
    bool numberOnly = false;
    bool upperCase = false;
    bool multiLine = false;
    bool horizontalScrollBar = false;         // a multi-line box whose lines run on, never wrapped
    bool locked = false;
    int maxLength = 0;                        // 0: no limit
    std::int64_t foreColor = -1, backColor = -1;
    // The operator typed this text: styles and the length limit apply.
    void operatorType(const std::string& t);
    // A key pressed in the box, before it is typed (Enter is 13). The handler may cancel the key
    // by setting it to 0. Returns whether the key still stands.
    void onKeyPress(std::function<void(int& keyAscii)> h) { onKeyPress_ = std::move(h); }
    bool hasKeyPress() const { return static_cast<bool>(onKeyPress_); }
    bool operatorKey(int keyAscii);
    std::string valueText() const override { return text_; }
    void operatorSet(const std::string& value) override { operatorType(value); }
private:
    std::string text_;
    ShownNumber shown_;
    std::function<void()> onChange_;
    std::function<void(int&)> onKeyPress_;
};

class CheckBox : public Control {
public:
    CheckBox(Form& owner, std::string name, std::string caption = "", int value = 0, Control* container = nullptr);
    int value() const { return value_; }      // 0 unticked, 1 ticked, 2 greyed
    bool ticked() const { return value_ == 1; }
    void setValue(int v);                     // runs the click handler when the value changes
    void load(int v);                         // sets the value and runs the click handler, changed or not
    void onClick(std::function<void()> h) { onClick_ = std::move(h); }
    const std::string& caption() const { return caption_; }
    void setCaption(const std::string& c);
    std::string valueText() const override;
    void operatorSet(const std::string& value) override;
    bool operatorClick() override;            // toggles between ticked and unticked
private:
    std::string caption_;
    int value_;
    std::function<void()> onClick_;
};

class OptionButton : public Control {
public:
    // Options with the same group name on one window exclude each other.
    OptionButton(Form& owner, std::string name, std::string group, std::string caption = "", bool value = false,
                 Control* container = nullptr);
    bool value() const { return value_; }
    void setValue(bool v);                    // true clears the others of the group; Click runs on a change to true
    void load(bool v);                        // as setValue, but Click runs for true even when already set
    void onClick(std::function<void()> h) { onClick_ = std::move(h); }
    const std::string& group() const { return group_; }
    const std::string& caption() const { return caption_; }
    std::string valueText() const override { return value_ ? "True" : "False"; }
    void operatorSet(const std::string& value) override;
    bool operatorClick() override;
private:
    std::string group_;
    std::string caption_;
    bool value_;
    std::function<void()> onClick_;
};

class CommandButton : public Control {
public:
    CommandButton(Form& owner, std::string name, std::string caption = "", Control* container = nullptr);
    const std::string& caption() const { return caption_; }
    void setCaption(const std::string& c);
    void onClick(std::function<void()> h) { onClick_ = std::move(h); }
    void click();                             // runs the handler (code may press a disabled button)
    std::string valueText() const override { return caption_; }
    void operatorSet(const std::string&) override {}
    bool operatorClick() override;
private:
    std::string caption_;
    std::function<void()> onClick_;
};

class ListBox : public Control {
public:
    ListBox(Form& owner, std::string name, Control* container = nullptr, ControlKind kind = ControlKind::ListBox);
    const std::vector<std::string>& items() const { return items_; }
    int listCount() const { return static_cast<int>(items_.size()); }
    std::string item(int i) const;
    void addItem(const std::string& s);
    void removeItem(int i);
    void clear();
    void setItems(std::vector<std::string> items);
    int listIndex() const { return listIndex_; }  // -1: nothing chosen
    void setListIndex(int i);                     // runs the click handler on a change
    void onClick(std::function<void()> h) { onClick_ = std::move(h); }
    std::string valueText() const override;
    void operatorSet(const std::string& value) override;  // picks the item with that text
protected:
    std::vector<std::string> items_;
    int listIndex_ = -1;
    std::function<void()> onClick_;
};

class ComboBox : public ListBox {
public:
    ComboBox(Form& owner, std::string name, std::string text = "", Control* container = nullptr);
    const std::string& text() const { return text_; }
    void setText(const std::string& t);       // runs the change handler on a change
    void onChange(std::function<void()> h) { onChange_ = std::move(h); }
    void setListIndex(int i);                 // also sets the text
    std::string valueText() const override { return text_; }
    void operatorSet(const std::string& value) override;
private:
    std::string text_;
    std::function<void()> onChange_;
};

class Slider : public Control {
public:
    Slider(Form& owner, std::string name, int min, int max, int value = 0, Control* container = nullptr);
    int value() const { return value_; }
    void setValue(int v);                     // clamped; runs the change handler on a change
    void load(int v);                         // clamped; runs the change handler, changed or not
    int min() const { return min_; }
    int max() const { return max_; }
    // A new maximum; a value beyond it is brought back to it without the change handler, as
    // nobody moved the slider.
    void setMax(int max);
    void onChange(std::function<void()> h) { onChange_ = std::move(h); }
    std::string valueText() const override { return std::to_string(value_); }
    void operatorSet(const std::string& value) override;
private:
    int min_, max_, value_;
    std::function<void()> onChange_;
};

class ProgressBar : public Control {
public:
    ProgressBar(Form& owner, std::string name, Control* container = nullptr);
    double value() const { return value_; }
    void setValue(double v);
    double min = 0, max = 100;
    std::string valueText() const override;
    void operatorSet(const std::string&) override {}
private:
    double value_ = 0;
};

// Layout only: a captioned group, a tab strip and its pages.
class Frame : public Control {
public:
    Frame(Form& owner, std::string name, std::string caption = "", Control* container = nullptr);
    const std::string& caption() const { return caption_; }
    void setCaption(const std::string& c);
    std::string valueText() const override { return caption_; }
    void operatorSet(const std::string&) override {}
private:
    std::string caption_;
};

class TabStrip : public Control {
public:
    TabStrip(Form& owner, std::string name, Control* container = nullptr);
    int currentTab() const { return current_; }
    void setCurrentTab(int i);
    std::string valueText() const override { return std::to_string(current_); }
    void operatorSet(const std::string& value) override;
private:
    int current_ = 0;
};

class TabPage : public Control {
public:
    TabPage(TabStrip& strip, std::string name, std::string caption);
    const std::string& caption() const { return caption_; }
    std::string valueText() const override { return caption_; }
    void operatorSet(const std::string&) override {}
private:
    std::string caption_;
};
