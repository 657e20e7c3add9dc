#pragma once
// Work that would hold the loop's thread (a network transfer) runs on a thread of its own, and its
// result comes back to the loop as a posted event, so timers, DTMF and the transmitter go on
// meanwhile. On a virtual clock the work and its result run in line instead, so a run in station
// time stays deterministic. Each window that sends work off the loop owns one of these.
#include <atomic>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

class Form;

class OffLoopWork {
public:
    // `stopping` turns true when the owner goes away; work with a progress callback checks it.
    using Work = std::function<void(const std::atomic<bool>& stopping)>;

    explicit OffLoopWork(Form& owner);
    // Asks running work to stop and waits for it: a transfer stops at its next progress report,
    // anything else within its own time-out.
    ~OffLoopWork();
    OffLoopWork(const OffLoopWork&) = delete;
    OffLoopWork& operator=(const OffLoopWork&) = delete;

    // Why the work could not run, handed to the window on its own thread before `done`.
    using NotRun = std::function<void(const std::string& why)>;

    // Runs `work` off the loop's thread; then `done` runs on the loop, unless the window has been
    // unloaded or destroyed by then. The work must not touch the window. When no thread can be
    // had (a machine at its limit), `notRun` says why in place of the work, and `done` follows as
    // after any failed work: the window goes on as it would after a failed transfer.
    void start(Work work, std::function<void()> done, NotRun notRun);
    // Work started and not yet handed back.
    int running() const { return running_; }

private:
    struct Job {
        std::thread thread;
        std::shared_ptr<std::atomic<bool>> finished;
    };
    void joinFinished();
    Form& owner_;
    std::atomic<bool> stopping_{false};
    std::vector<Job> jobs_;   // touched on the loop's thread only
    int running_ = 0;
};
