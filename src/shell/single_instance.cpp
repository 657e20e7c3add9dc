#include "shell/single_instance.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "app/app.h"
#include "shell/launcher_window.h"

std::string InstanceLock::lockPath(const Folders& folders) { return joinPath(folders.config, ".mvsmall.lock"); }

std::unique_ptr<InstanceLock> InstanceLock::acquire(const std::string& path, bool& heldElsewhere,
                                                    std::string& problem) {
    heldElsewhere = false;
    // The holder removes the file as it lets go; a lock taken on a file already removed is
    // worthless, so check that the path still names the locked file, and try again if not.
    for (int attempt = 0; attempt < 5; ++attempt) {
        const int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK, 0600);
        if (fd < 0) {
            problem = std::strerror(errno);
            return nullptr;
        }
        struct stat held {}, named {};
        if (::fstat(fd, &held) != 0 || !S_ISREG(held.st_mode) || held.st_uid != ::geteuid()) {
            problem = "it is not a file of this user";
            ::close(fd);
            return nullptr;
        }
        if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
            heldElsewhere = errno == EWOULDBLOCK;
            if (!heldElsewhere) problem = std::strerror(errno);
            ::close(fd);
            return nullptr;
        }
        if (::lstat(path.c_str(), &named) == 0 && held.st_ino == named.st_ino && held.st_dev == named.st_dev)
            return std::unique_ptr<InstanceLock>(new InstanceLock(fd, path));
        ::close(fd);
    }
    problem = "it keeps being replaced";
    return nullptr;
}

InstanceLock::~InstanceLock() {
    ::unlink(path_.c_str());
    ::close(fd_);
}

bool anotherCopyRunning(App& app) {
    if (app.exists("Form5") && app.form5().holdsInstanceLock()) return false;
    bool heldElsewhere = false;
    std::string problem;
    InstanceLock::acquire(InstanceLock::lockPath(app.folders()), heldElsewhere, problem);
    return heldElsewhere;
}
