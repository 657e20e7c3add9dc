#pragma once
// Steps that an outside test asks the running program to take as the operator would, through
// the real widgets: `MVSMALL_GUI_STEPS="press Form5.Command14; close Form22"`. Steps:
//   press FORM.CONTROL   a mouse click at the control's centre, on whatever part of it lies there
//                        (the page a list or a multi-line box draws on), its tab page brought to
//                        the front and the window scrolled to it first, as the operator would
//   tab FORM.CONTROL     the Tab key pressed in the window until the control has the keyboard
//                        focus, then the space bar: the way to a control with no place on screen
//   close FORM           the window's close request, as its frame's close box sends it
//   press-panel CAPTION  a mouse click on the simulator panel's button or tick box of that caption
//   type-panel NAME TEXT the text typed into the simulator panel's box of that object name
//   close-panel          the simulator panel's close request
//   expect-window FORM   waits until the window is on screen
//   expect-panel TEXT    waits until a line of the panel's on-air log holds the text
//   expect-whole FORM    waits until the window (or `panel`) is on screen in the desktop's frame
//                        and lies whole, frame and all, in the screen's free area
// Each step waits until its control can be reached. One that cannot be reached (its window never
// shows, its control stays hidden, disabled or out of the mouse's reach, the name is unknown)
// fails the run: `ERROR step not taken: STEP: WHY` on standard error, no later step, and the
// program ends with status 1.
#include <QObject>
#include <QTimer>
#include <string>
#include <vector>

class Form;
class FormView;
class GuiSession;
class QWidget;

class OperatorScript : public QObject {
public:
    OperatorScript(GuiSession& session, const std::string& steps);
    // The steps from the environment, or nothing to do.
    static std::string fromEnvironment();

private:
    enum class Outcome { Taken, Waiting, Failed };
    struct Target {
        FormView* view = nullptr;
        QWidget* widget = nullptr;   // the window itself where no control is named
    };
    void next();
    void fail(const std::string& step);
    Outcome take(const std::string& step);
    Outcome press(const std::string& formControl);
    Outcome tabTo(const std::string& formControl);
    Outcome expectWhole(const std::string& form);
    Outcome panelStep(const std::string& verb, const std::string& rest);
    // The window's view and the control's widget, or why they cannot be had (yet).
    Outcome find(const std::string& formControl, Target& target);
    QWidget* panelButton(const std::string& caption) const;

    GuiSession& session_;
    std::vector<std::string> steps_;
    size_t at_ = 0;
    int waited_ = 0;
    std::string why_;   // what keeps the current step from being taken
    QTimer timer_;
};
