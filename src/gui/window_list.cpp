#include "gui/window_list.h"

#include <QCloseEvent>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/app.h"

const std::vector<std::string>& WindowList::allWindowNames() {
    static const std::vector<std::string> names = [] {
        std::vector<std::string> all = App::startupOrder();
        for (const char* other : {"Form5", "Form117", "Form120", "Form122", "Form126", "Form128", "Form150"})
            all.emplace_back(other);
        return all;
    }();
    return names;
}

WindowList::WindowList(App& app) : app_(app) {
    setObjectName("WindowList");
    setWindowTitle(QString::fromStdString(app.windowCaption()));
    auto* column = new QVBoxLayout(this);
    auto* list = new QListWidget;
    for (const auto& name : allWindowNames()) list->addItem(QString::fromStdString(name));
    auto* open = new QPushButton("Open");
    column->addWidget(list);
    column->addWidget(open);
    auto openChosen = [this, list] {
        if (!list->currentItem()) return;
        const std::string name = list->currentItem()->text().toStdString();
        App& a = app_;
        a.loop().post([&a, name] {
            if (Form* f = a.formByName(name)) f->Show();
        });
    };
    connect(open, &QPushButton::clicked, this, openChosen);
    connect(list, &QListWidget::itemDoubleClicked, this, openChosen);
    resize(260, 420);
}

void WindowList::closeEvent(QCloseEvent* event) {
    event->ignore();
    App& a = app_;
    a.loop().post([&a] { a.endProgram(); });
}
