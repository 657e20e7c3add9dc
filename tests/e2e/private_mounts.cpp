#include "e2e/private_mounts.h"

#include <fcntl.h>
#include <pwd.h>
#include <sched.h>
#include <sys/mount.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {
bool writeProcFile(const char* path, const std::string& text) {
    const int fd = open(path, O_WRONLY | O_CLOEXEC);
    if (fd < 0) return false;
    const bool ok = write(fd, text.data(), text.size()) == static_cast<ssize_t>(text.size());
    close(fd);
    return ok;
}

// A user namespace (where this user may make one) maps the user onto itself, so files keep
// their owner and the password database still knows the account.
bool ownMountNamespace() {
    if (geteuid() == 0) return unshare(CLONE_NEWNS) == 0;
    const std::string uid = std::to_string(geteuid()), gid = std::to_string(getegid());
    if (unshare(CLONE_NEWUSER | CLONE_NEWNS) != 0) return false;
    return writeProcFile("/proc/self/setgroups", "deny") && writeProcFile("/proc/self/uid_map", uid + " " + uid + " 1") &&
           writeProcFile("/proc/self/gid_map", gid + " " + gid + " 1");
}
}  // namespace

bool enterPrivateMounts(const std::vector<PrivateMount>& mounts) {
    if (!ownMountNamespace()) return false;
    // Nothing mounted here may show in the machine's namespace.
    if (mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0) return false;
    for (const auto& m : mounts) {
        const int r = m.source.empty() ? mount("tmpfs", m.target.c_str(), "tmpfs", 0, m.options.c_str())
                                       : mount(m.source.c_str(), m.target.c_str(), nullptr, MS_BIND, nullptr);
        if (r != 0) return false;
    }
    return true;
}

bool privateMountsAvailable() {
    static const bool available = [] {
        const pid_t pid = fork();
        if (pid == 0) _exit(enterPrivateMounts({}) ? 0 : 1);
        int status = 0;
        return pid > 0 && waitpid(pid, &status, 0) == pid && WIFEXITED(status) && WEXITSTATUS(status) == 0;
    }();
    return available;
}

std::string accountHomeFolder() {
    const passwd* entry = getpwuid(getuid());
    return entry && entry->pw_dir ? entry->pw_dir : "";
}
