#include "shell/single_instance.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstdlib>
#include <filesystem>

#include "app/app.h"
#include "shell/launcher_window.h"

namespace {
std::string runtimeFolder() {
    if (const char* d = std::getenv("MVSMALL_RUNTIME_DIR"); d && *d) return d;
    if (const char* d = std::getenv("XDG_RUNTIME_DIR"); d && *d) return joinPath(d, "mvsmall");
    return "/tmp/mvsmall-" + std::to_string(getuid());
}

// A stable short name for a folder (FNV-1a of its absolute path).
std::string folderKey(const std::string& folder) {
    std::error_code ec;
    auto abs = std::filesystem::weakly_canonical(std::filesystem::absolute(folder, ec), ec).string();
    if (abs.empty()) abs = folder;
    std::uint64_t h = 1469598103934665603ull;
    for (unsigned char c : abs) {
        h ^= c;
        h *= 1099511628211ull;
    }
    static const char* digits = "0123456789abcdef";
    std::string key;
    for (int i = 0; i < 16; ++i) key += digits[(h >> (60 - 4 * i)) & 0xF];
    return key;
}
}  // namespace

std::string InstanceLock::lockPath(const Folders& folders) {
    return joinPath(runtimeFolder(), "instance-" + folderKey(folders.config) + ".lock");
}

std::unique_ptr<InstanceLock> InstanceLock::acquire(const std::string& path, bool& heldElsewhere) {
    heldElsewhere = false;
    std::error_code ec;
    std::filesystem::create_directories(std::filesystem::path(path).parent_path(), ec);
    // The holder removes the file as it lets go; a lock taken on a file already removed is
    // worthless, so check that the path still names the locked file, and try again if not.
    for (int attempt = 0; attempt < 5; ++attempt) {
        const int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
        if (fd < 0) return nullptr;
        if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
            heldElsewhere = errno == EWOULDBLOCK;
            ::close(fd);
            return nullptr;
        }
        struct stat held {}, named {};
        if (::fstat(fd, &held) == 0 && ::stat(path.c_str(), &named) == 0 && held.st_ino == named.st_ino &&
            held.st_dev == named.st_dev)
            return std::unique_ptr<InstanceLock>(new InstanceLock(fd, path));
        ::close(fd);
    }
    return nullptr;
}

InstanceLock::~InstanceLock() {
    ::unlink(path_.c_str());
    ::close(fd_);
}

bool anotherCopyRunning(App& app) {
    if (app.exists("Form5") && app.form5().holdsInstanceLock()) return false;
    bool heldElsewhere = false;
    InstanceLock::acquire(InstanceLock::lockPath(app.folders()), heldElsewhere);
    return heldElsewhere;
}
