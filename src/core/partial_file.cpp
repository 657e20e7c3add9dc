#include "core/partial_file.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>

namespace {
constexpr const char* kPart = ".part";
constexpr std::size_t kUniqueChars = 6;   // what mkstemp puts in place of XXXXXX

std::string folderOf(const std::string& path) {
    const auto slash = path.rfind('/');
    return slash == std::string::npos ? "." : slash == 0 ? "/" : path.substr(0, slash);
}

std::string nameOf(const std::string& path) {
    const auto slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

bool sameFile(int fd, const std::string& path) {
    struct stat open {}, named {};
    return ::fstat(fd, &open) == 0 && ::lstat(path.c_str(), &named) == 0 && open.st_dev == named.st_dev &&
           open.st_ino == named.st_ino;
}

// Whether `name` is one of the names a partial file of `targetName` gets.
bool partialName(const std::string& name, const std::string& targetName) {
    const std::string head = targetName + kPart;
    if (name.size() != head.size() + kUniqueChars || name.compare(0, head.size(), head) != 0) return false;
    for (std::size_t i = head.size(); i < name.size(); ++i) {
        const char c = name[i];
        if (!((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9'))) return false;
    }
    return true;
}
}  // namespace

PartialFile::PartialFile(const std::string& target) : target_(target) {
    // A start beside this one may sweep the new name before it is locked; then it is made again.
    for (int attempt = 0; attempt < 3 && lock_ < 0; ++attempt) {
        std::string path = target + kPart + "XXXXXX";
        const int fd = ::mkostemp(path.data(), O_CLOEXEC);
        if (fd < 0) return;
        if (::flock(fd, LOCK_EX | LOCK_NB) == 0 && sameFile(fd, path)) {
            lock_ = fd;
            path_ = path;
        } else {
            ::close(fd);
        }
    }
    if (lock_ < 0) return;
    const int fd = ::fcntl(lock_, F_DUPFD_CLOEXEC, 0);
    file_ = fd < 0 ? nullptr : ::fdopen(fd, "wb");
    if (!file_ && fd >= 0) ::close(fd);
}

PartialFile::~PartialFile() {
    if (file_) std::fclose(file_);
    if (!path_.empty()) ::unlink(path_.c_str());
    if (lock_ >= 0) ::close(lock_);
}

bool PartialFile::keep() {
    if (!file_) return false;
    ::fchmod(lock_, 0644);   // a temporary file is private; the finished download is not
    const bool written = std::fflush(file_) == 0 && ::fsync(fileno(file_)) == 0;
    const bool closed = std::fclose(file_) == 0;
    file_ = nullptr;
    if (!written || !closed || std::rename(path_.c_str(), target_.c_str()) != 0) return false;
    path_.clear();
    return true;
}

void removeLeftoverPartialFiles(const std::string& target) {
    const std::string folder = folderOf(target), targetName = nameOf(target);
    DIR* dir = ::opendir(folder.c_str());
    if (!dir) return;
    while (const dirent* entry = ::readdir(dir)) {
        if (!partialName(entry->d_name, targetName)) continue;
        const std::string path = folder + "/" + entry->d_name;
        const int fd = ::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
        if (fd < 0) continue;
        struct stat st {};
        // Only this account's own files, and only those no download holds.
        if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && st.st_uid == ::geteuid() &&
            ::flock(fd, LOCK_EX | LOCK_NB) == 0 && sameFile(fd, path))
            ::unlink(path.c_str());
        ::close(fd);
    }
    ::closedir(dir);
}
