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
    // Runs once the loop's due work has run, and as a handler lets Qt's events run part-way.
    void afterWork(std::function<void()> done) { afterWork_ = std::move(done); }

private:
    void tick();
    App& app_;
    std::function<void()> ended_;
    std::function<void()> afterWork_;
    QTimer timer_;
    bool inDoEvents_ = false;
    bool endReported_ = false;
};
