#pragma once
// A station with its view attached, and a way to let the view and the loop catch up.
#include <QApplication>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "gui/form_view.h"
#include "gui/gui_view.h"
#include "support/station_fixture.h"

// Every window the program has: the start-up set, then the ones opened on demand.
inline std::vector<std::string> allWindows() {
    std::vector<std::string> all = App::startupOrder();
    for (const char* other : {"Form5", "Form117", "Form120", "Form122", "Form126", "Form128", "Form150"})
        all.emplace_back(other);
    return all;
}

struct ViewedStation {
    ViewedStation() = default;
    explicit ViewedStation(StationOptions options) : s(std::move(options)) {}
    Station s;
    GuiView view{s.app()};

    // Qt's pending events (the operator's actions), then the loop's work that is due now and
    // what it changed drawn, as the program's loop driver does.
    void settle() {
        for (int i = 0; i < 3; ++i) {
            QApplication::processEvents();
            s.app().act([&] { s.loop().processDue(); });
            view.repaintChanged();
        }
    }
    // One piece of the model's work, then what it changed drawn, as after a turn of the loop.
    template <class Work>
    void act(Work&& work) {
        s.app().act(std::forward<Work>(work));
        view.repaintChanged();
    }
    Form& form(const std::string& name) {
        Form* f = nullptr;
        s.app().act([&] { f = s.app().formByName(name); });
        if (!f) throw std::runtime_error("no window " + name);
        return *f;
    }
    FormView* show(Form& form) {
        s.app().act([&] { form.Show(); });
        settle();
        return view.viewOf(form);
    }
};
