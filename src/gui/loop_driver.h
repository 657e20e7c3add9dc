#pragma once
// Runs the core loop on Qt's thread: a timer wakes when the next piece of work is due, work
// posted from anywhere wakes it at once, and doEvents() lets Qt's pending events run as well.
#include <QObject>
#include <QTimer>
#include <functional>

class App;

class LoopDriver : public QObject {
public:
    // `ended` runs once the program has ended.
    LoopDriver(App& app, std::function<void()> ended);
    ~LoopDriver() override;
    // Look again at when the next work is due.
    void schedule();

private:
    void tick();
    App& app_;
    std::function<void()> ended_;
    QTimer timer_;
    bool inDoEvents_ = false;
    bool endReported_ = false;
};
