#include "gui/loop_driver.h"

#include <QCoreApplication>
#include <QMetaObject>
#include <algorithm>
#include <climits>

#include "app/app.h"

LoopDriver::LoopDriver(App& app, std::function<void()> ended) : app_(app), ended_(std::move(ended)) {
    timer_.setSingleShot(true);
    timer_.setTimerType(Qt::PreciseTimer);
    connect(&timer_, &QTimer::timeout, this, [this] { tick(); });
    // Work may be posted from other threads (audio and transfer callbacks): wake on Qt's thread.
    app_.loop().setWakeup([this] { QMetaObject::invokeMethod(this, [this] { schedule(); }, Qt::QueuedConnection); });
    app_.loop().setDoEventsHook([this] {
        // What the handler changed so far is drawn by the events that run now.
        if (afterWork_) afterWork_();
        inDoEvents_ = true;
        QCoreApplication::processEvents(QEventLoop::AllEvents);
        inDoEvents_ = false;
        schedule();
    });
    schedule();
}

LoopDriver::~LoopDriver() {
    app_.loop().setWakeup(nullptr);
    app_.loop().setDoEventsHook(nullptr);
}

void LoopDriver::schedule() {
    if (app_.ended() || app_.loop().quitRequested()) {
        timer_.stop();
        if (!endReported_) {
            endReported_ = true;
            if (ended_) ended_();
        }
        return;
    }
    const std::int64_t ms = app_.loop().msUntilNextWork();
    if (ms < 0) {
        timer_.stop();
        return;
    }
    const int wait = static_cast<int>(std::min<std::int64_t>(ms, INT_MAX));
    if (timer_.isActive() && timer_.remainingTime() <= wait) return;
    timer_.start(wait);
}

void LoopDriver::tick() {
    // Within doEvents the loop runs its own due work; a nested run here would only go deeper.
    if (inDoEvents_) return;
    app_.act([this] { app_.loop().processDue(); });
    if (afterWork_) afterWork_();
    schedule();
}
