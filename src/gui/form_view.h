#pragma once
// One window drawn from its model. The widgets mirror the controls; what the operator does goes
// back to the model as a piece of work on the core loop, so every handler runs there, in order.
// The view holds no behaviour of its own.
#include <QMargins>
#include <QPalette>
#include <QWidget>
#include <cstdint>
#include <functional>
#include <memory>
#include <set>
#include <string>
#include <unordered_map>
#include <vector>

class Control;
class EventLoop;
class Form;
class QGridLayout;
class QLabel;
class QVBoxLayout;
struct LayoutBlock;

// A caption's words as the window shows them: a doubled "&" stands for one, a lone one for itself.
QString shownCaption(const std::string& caption);
// Those words for a widget that reads "&" as a shortcut mark (a button, a frame, a tab, a label
// naming a box): they show as they stand and make no shortcut key.
QString withoutShortcut(const QString& shown);

// The property that marks a widget the window placed below its visible area on purpose.
inline constexpr const char* kBelowViewProperty = "belowView";

class FormView : public QWidget {
public:
    FormView(Form& form, EventLoop& loop);
    ~FormView() override;

    Form* form() const { return form_; }
    // The model is going away: the view no longer reads it nor sends anything to it.
    void detach();

    QWidget* widgetFor(const Control& control) const;
    // Repaint one control at once.
    void refreshControl(Control& control);
    // The window's caption, size, place and visibility, with the controls' pending changes drawn
    // first (a size is measured from what they show); a window coming back on screen is drawn whole.
    void refreshForm();
    // A change the model made, drawn at the next repaintPending() while the window is on screen.
    // A window out of view draws nothing until it shows again. True when it newly waits here.
    bool markChanged(const Control& control);
    // Draws each control marked since the last time, once.
    void repaintPending();
    // How many control repaints the view has done (a repaint touches one control only).
    std::uint64_t repaints() const { return repaints_; }

protected:
    void closeEvent(QCloseEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Bound;
    void build();
    QWidget* makeWidget(Control& control);
    void applyFrameStyle();
    void layOut(Control* container, QWidget* area);
    void placeBelowView(QWidget* w);
    QGridLayout* gridOf(const LayoutBlock& block, QVBoxLayout* column);
    void flow(const std::vector<Control*>& children, QVBoxLayout* column);
    QLabel* staticText(const std::string& text);
    void name(QLabel* label, const Control& box);
    bool widens(const Control& c) const;
    bool growsDownwards(const Control& c) const;
    bool shown(const Control& c) const;
    QSize contentSize();
    QSize fittedSize(QSize wanted) const;
    void applySize(QSize size);
    void applyPlace();
    void moveFrameTo(QPoint at);
    void fitToFrame();
    void growToContents();
    void paint(Bound& b);
    void paintAll();
    void paintLabel(Bound& b);
    void paintColours(Bound& b, std::int64_t back, std::int64_t fore, QPalette::ColorRole backRole,
                      QPalette::ColorRole foreRole);
    void applyCommon(Bound& b);
    // Queue the operator's action on `control` (none: on the window itself) on the core loop; it
    // is dropped if the model has gone by then.
    void operatorAction(std::function<void()> work, const Control* control = nullptr);

    Form* form_;
    EventLoop& loop_;
    std::shared_ptr<bool> alive_;
    std::unordered_map<const Control*, std::unique_ptr<Bound>> bound_;
    std::unordered_map<const Control*, QWidget*> areas_;   // a frame or tab page: where its children go
    std::set<const Control*> growingAreas_;                 // frames and pages holding a box that grows
    QWidget* root_ = nullptr;
    bool applyingPlace_ = false;
    std::set<const QLabel*> buddyLabels_;
    bool placedOnce_ = false, sizedOnce_ = false;
    int placedLeft_ = -1, placedTop_ = -1;
    int sizedWidth_ = -1, sizedHeight_ = -1;
    QSize wanted_;                       // what the contents or the window ask for, the screen aside
    QMargins fittedFrame_;               // the desktop's frame the size was fitted to
    bool awaitingDesktopPlace_ = false;  // shown where the desktop chooses, not yet placed there
    std::uint64_t repaints_ = 0;
    std::vector<Bound*> pending_;        // marked changed, each once, while on screen
    bool staleWhileHidden_ = false;      // changed while out of view: drawn whole when shown
};
