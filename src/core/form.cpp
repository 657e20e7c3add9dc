#include "core/form.h"

#include <stdexcept>

#include "core/datetime.h"
#include "core/event_loop.h"
#include "core/text.h"

Form::Form(FormHost& host, std::string name, std::string caption)
    : host_(host), name_(std::move(name)), caption_(std::move(caption)) {}

Form::~Form() = default;

void Form::setCaption(const std::string& c) {
    if (c == caption_) return;
    caption_ = c;
    host_.formChanged(*this);
}

void Form::Show() {
    if (!visible_) {
        visible_ = true;
        host_.formChanged(*this);
    }
    host_.formShown(*this);
}

void Form::Hide() {
    if (!visible_) return;
    visible_ = false;
    host_.formChanged(*this);
}

void Form::Move(int left, int top) {
    Left = left;
    Top = top;
    host_.formChanged(*this);
}

void Form::unload() {
    if (unloaded_) return;
    for (Timer* t : timers_) t->disable();
    echoLink_.reset();
    visible_ = false;
    unloaded_ = true;
    host_.formChanged(*this);
}

EchoLinkApp& Form::EchoLink() {
    if (!echoLink_) throw std::runtime_error(name_ + " has no EchoLink object");
    return *echoLink_;
}

void Form::createEchoLink() { echoLink_ = host_.newEchoLink(name_); }

EventLoop& Form::loop() const { return host_.loop(); }
Clock& Form::clock() const { return host_.loop().clock(); }
LocalMs Form::now() const { return clock().now(); }

void Form::postToWindow(std::function<void()> work) {
    std::weak_ptr<int> alive = life_;
    loop().post([this, alive, work = std::move(work)] {
        if (!alive.expired() && !unloaded_) work();
    });
}
std::string Form::timeNow() const { return timeText(now()); }

namespace {
// "Command1 (Play)": the control, and the caption the operator saw on it where it has one of its own.
std::string operatorSees(const Control& c) {
    std::string caption;
    if (c.kind() == ControlKind::CommandButton) caption = static_cast<const CommandButton&>(c).caption();
    if (c.kind() == ControlKind::CheckBox) caption = static_cast<const CheckBox&>(c).caption();
    if (c.kind() == ControlKind::OptionButton) caption = static_cast<const OptionButton&>(c).caption();
    caption = trim(caption);
    if (caption.empty() || caption == c.name()) return c.name();
    return c.name() + " (" + caption + ")";
}
}  // namespace

void Form::asOperator(const Control& control, const std::function<void()>& action) {
    EventLoop::NamedHandler named(loop(), name_ + "." + control.name());
    asOperator(operatorSees(control), action);
}

void Form::asOperator(const std::string& what, const std::function<void()>& action) {
    try {
        action();
    } catch (const CallFailed& e) {
        reportFailure(name_ + " " + what, e);
    }
}

void Form::reportFailure(const std::string& what, const std::exception& e) {
    LogError(what + " <-- " + e.what() + " ");
}

Control* Form::findControl(const std::string& name) const {
    for (Control* c : controls_)
        if (equalsNoCase(c->name(), name)) return c;
    return nullptr;
}

Timer* Form::findTimer(const std::string& name) const {
    for (Timer* t : timers_)
        if (equalsNoCase(t->name(), name)) return t;
    return nullptr;
}
