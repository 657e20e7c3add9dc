#pragma once
// The station on screen: its windows drawn, its loop driven by Qt, the launcher (or, while the
// launcher draws nothing, the list of windows) and the simulator panel.
#include <functional>
#include <memory>

#include "gui/gui_view.h"
#include "gui/loop_driver.h"

class SimulatorPanel;
class WindowList;

class GuiSession {
public:
    // Creates the start-up windows and shows what the operator starts with; `ended` runs when the program ends.
    GuiSession(App& app, std::function<void()> ended);
    ~GuiSession();
    GuiView& view() { return view_; }
    SimulatorPanel& panel() { return *panel_; }
    WindowList* windowList() { return windowList_.get(); }

private:
    App& app_;
    GuiView view_;
    LoopDriver driver_;
    std::unique_ptr<WindowList> windowList_;
    std::unique_ptr<SimulatorPanel> panel_;
};
