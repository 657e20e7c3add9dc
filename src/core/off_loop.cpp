#include "core/off_loop.h"

#include "core/clock.h"
#include "core/form.h"

#include <system_error>

OffLoopWork::OffLoopWork(Form& owner) : owner_(owner) {}

OffLoopWork::~OffLoopWork() {
    stopping_ = true;
    for (Job& job : jobs_)
        if (job.thread.joinable()) job.thread.join();
}

void OffLoopWork::joinFinished() {
    for (auto it = jobs_.begin(); it != jobs_.end();) {
        if (*it->finished) {
            it->thread.join();
            it = jobs_.erase(it);
        } else {
            ++it;
        }
    }
}

void OffLoopWork::start(Work work, std::function<void()> done, NotRun notRun) {
    ++running_;
    auto handBack = std::make_shared<std::function<void()>>([this, done = std::move(done)] {
        --running_;
        if (done) done();
    });
    if (owner_.clock().isVirtual()) {
        // Station time stands still while the work runs, so its result is there at once.
        work(stopping_);
        (*handBack)();
        return;
    }
    joinFinished();
    auto finished = std::make_shared<std::atomic<bool>>(false);
    try {
        // The thread never touches the window: it posts, and the loop checks the window is still there.
        std::thread thread([this, work = std::move(work), handBack, finished]() mutable {
            work(stopping_);
            owner_.postToWindow([handBack] { (*handBack)(); });
            *finished = true;
        });
        jobs_.push_back({std::move(thread), std::move(finished)});
    } catch (const std::system_error& e) {
        if (notRun) notRun(std::string("no thread could be started for it: ") + e.what());
        owner_.postToWindow([handBack] { (*handBack)(); });
    }
}
