#pragma once
// Steps that an outside test asks the running program to take as the operator would, through
// the real widgets: `MVSMALL_GUI_STEPS="press Form5.Command14; close Form22"`. Steps:
//   press FORM.CONTROL   a mouse click on the control's widget
//   close FORM           the window's close request, as its frame's close box sends it
//   press-panel CAPTION  a mouse click on the simulator panel's button of that caption
//   type-panel NAME TEXT the text typed into the simulator panel's box of that object name
//   close-panel          the simulator panel's close request
// Each step waits until its widget is on screen; one that never comes is reported on standard error.
#include <QObject>
#include <QTimer>
#include <string>
#include <vector>

class GuiSession;
class QWidget;

class OperatorScript : public QObject {
public:
    OperatorScript(GuiSession& session, const std::string& steps);
    // The steps from the environment, or nothing to do.
    static std::string fromEnvironment();

private:
    void next();
    // True when the step was taken; false while its widget is not there yet.
    bool take(const std::string& step);
    QWidget* formWidget(const std::string& formControl) const;
    QWidget* panelButton(const std::string& caption) const;

    GuiSession& session_;
    std::vector<std::string> steps_;
    size_t at_ = 0;
    int waited_ = 0;
    QTimer timer_;
};
