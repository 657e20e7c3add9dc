#pragma once
// The view of the whole station: a window on screen for each window the model shows, kept in
// step as the models change. A model may write a control many times in one piece of work (labels
// each tick, mostly with the same value): the view notes which changed and draws each once, when
// the loop's due work has run (repaintChanged); a window out of view is drawn when it shows again.
#include <functional>
#include <map>
#include <vector>

#include "app/app.h"

class FormView;

class GuiView final : public ViewListener {
public:
    explicit GuiView(App& app);
    ~GuiView() override;
    GuiView(const GuiView&) = delete;
    GuiView& operator=(const GuiView&) = delete;

    void controlChanged(Control& control) override;
    void formChanged(Form& form) override;
    void formShown(Form& form) override;

    // Draws the controls changed since the last time, each once.
    void repaintChanged();

    // The window's view, or nullptr where the window is not on screen.
    FormView* viewOf(const Form& form) const;
    // Draws every window the model shows now (those shown before the view was attached).
    void showVisibleWindows();
    // Runs as each window first comes on screen, to add what the program needs around it.
    void onDrawn(std::function<void(Form&, FormView&)> drawn) { drawn_ = std::move(drawn); }

private:
    FormView* make(Form& form);
    App& app_;
    std::map<const Form*, FormView*> views_;
    std::vector<FormView*> changed_;   // views with controls waiting to be drawn
    std::function<void(Form&, FormView&)> drawn_;
};
