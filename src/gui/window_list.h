#pragma once
// Every tool window by name, to open one; stands in as the launcher while the launcher window
// draws nothing of its own.
#include <QWidget>
#include <string>
#include <vector>

class App;

class WindowList : public QWidget {
public:
    explicit WindowList(App& app);
    // Every window the program has, in start-up order and then the others.
    static const std::vector<std::string>& allWindowNames();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    App& app_;
};
