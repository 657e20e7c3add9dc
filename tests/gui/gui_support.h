#pragma once
// A station with its view attached, and a way to let the view and the loop catch up.
#include <QApplication>

#include "gui/form_view.h"
#include "gui/gui_view.h"
#include "support/station_fixture.h"

struct ViewedStation {
    Station s;
    GuiView view{s.app()};

    // Qt's pending events (the operator's actions), then the loop's work that is due now.
    void settle() {
        for (int i = 0; i < 3; ++i) {
            QApplication::processEvents();
            s.app().act([&] { s.loop().processDue(); });
        }
    }
    FormView* show(Form& form) {
        s.app().act([&] { form.Show(); });
        settle();
        return view.viewOf(form);
    }
};
