#include "gui/gui_view.h"

#include <algorithm>

#include "gui/form_view.h"

GuiView::GuiView(App& app) : app_(app) { app_.setView(this); }

GuiView::~GuiView() {
    app_.setView(nullptr);
    for (auto& [form, view] : views_) {
        view->detach();
        delete view;
    }
}

FormView* GuiView::viewOf(const Form& form) const {
    auto it = views_.find(&form);
    return it == views_.end() ? nullptr : it->second;
}

FormView* GuiView::make(Form& form) {
    auto* view = new FormView(form, app_.loop());
    views_[&form] = view;
    if (drawn_) drawn_(form, *view);
    return view;
}

void GuiView::controlChanged(Control& control) {
    FormView* view = viewOf(control.owner());
    if (view && view->markChanged(control)) changed_.push_back(view);
}

void GuiView::repaintChanged() {
    std::vector<FormView*> views;
    views.swap(changed_);
    for (FormView* view : views) view->repaintPending();
}

void GuiView::formChanged(Form& form) {
    FormView* view = viewOf(form);
    if (form.unloaded()) {
        // The model goes soon after: the view lets go of it at once and leaves the screen.
        if (!view) return;
        views_.erase(&form);
        changed_.erase(std::remove(changed_.begin(), changed_.end(), view), changed_.end());
        view->detach();
        view->hide();
        view->deleteLater();
        return;
    }
    if (!view) {
        if (!form.visible()) return;
        view = make(form);
    }
    view->refreshForm();
}

void GuiView::formShown(Form& form) {
    FormView* view = viewOf(form);
    if (!view || !form.visible()) return;
    view->raise();
    view->activateWindow();
}

void GuiView::showVisibleWindows() {
    for (Form* f : app_.existingForms())
        if (f->visible()) formChanged(*f);
}
