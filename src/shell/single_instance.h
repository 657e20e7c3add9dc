#pragma once
// One copy of the program per settings folder: a lock file in the settings folder itself, held
// for the life of the program, so every copy that would share the settings sees it whatever its
// environment. The operating system drops the lock when the process dies, so a crash leaves
// nothing to clean up.
#include <memory>
#include <string>

#include "core/paths.h"

class App;

class InstanceLock {
public:
    ~InstanceLock();
    InstanceLock(const InstanceLock&) = delete;
    InstanceLock& operator=(const InstanceLock&) = delete;

    // ".mvsmall.lock" in the settings folder.
    static std::string lockPath(const Folders& folders);
    // Takes the lock. Nothing when another copy holds it (`heldElsewhere` true) or when the
    // file cannot be made or is not ours (`heldElsewhere` false, the reason in `problem`): a
    // file owned by another user, or a link, is never trusted.
    static std::unique_ptr<InstanceLock> acquire(const std::string& path, bool& heldElsewhere,
                                                 std::string& problem);

private:
    InstanceLock(int fd, std::string path) : fd_(fd), path_(std::move(path)) {}
    int fd_;
    std::string path_;
};

// True when another copy of the program is running. The lock this program holds (taken by the
// launcher at start-up) does not count, so a window may repeat the check at its own creation.
bool anotherCopyRunning(App& app);
