#pragma once
// The station on screen: its windows drawn, its loop driven by Qt, and the simulator panel.
// The program starts as the console's does: the launcher's creation, on the loop.
#include <QRect>
#include <functional>
#include <memory>
#include <vector>

#include "gui/gui_view.h"
#include "gui/loop_driver.h"

class SimulatorPanel;

class GuiSession {
public:
    // Queues the program's start; `ended` runs when the program ends.
    GuiSession(App& app, std::function<void()> ended);
    ~GuiSession();
    // Ends the program as every window's own end does (transmitter released, lines lowered),
    // on the loop: the one way in for paths outside the windows (a signal, a script). The process
    // then returns `status` (1: the program failed at what it was asked).
    void end(int status = 0);
    // Brings the simulator panel back on screen (it only hides when closed).
    void showPanel();
    App& app() { return app_; }
    GuiView& view() { return view_; }
    SimulatorPanel& panel() { return *panel_; }

private:
    std::vector<QRect> toolWindowPlaces() const;
    App& app_;
    GuiView view_;
    LoopDriver driver_;
    std::unique_ptr<SimulatorPanel> panel_;
};
