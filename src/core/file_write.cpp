#include "core/file_write.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace {
constexpr int kNewFileFlags = O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC;

std::string failure(const std::string& path, int err) { return "cannot write " + path + ": " + std::strerror(err); }

// Writes everything and makes it durable; errno tells why when it could not.
bool writeAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t n = ::write(fd, bytes.data(), bytes.size());
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            if (n == 0) errno = EIO;
            return false;
        }
        bytes.remove_prefix(static_cast<size_t>(n));
    }
    return ::fsync(fd) == 0;
}

// Writes and closes `fd`, which was made as `path`: 0, or why it failed (an errno), in which case
// the file is removed again.
int fill(int fd, const std::string& path, std::string_view bytes, const std::optional<KeptAccess>& keep) {
    int err = 0;
    // The group first: changing it may clear the set-group bit the mode then restores. A group
    // this user is not in stays the user's own, which is never looser.
    if (keep && ::fchown(fd, static_cast<uid_t>(-1), keep->group) != 0 && errno != EPERM) err = errno;
    if (!err && keep && ::fchmod(fd, keep->mode) != 0) err = errno;
    if (!err && !writeAll(fd, bytes)) err = errno;
    if (::close(fd) != 0 && !err) err = errno;
    if (err) ::unlink(path.c_str());
    return err;
}
}  // namespace

std::optional<KeptAccess> accessOf(const std::string& path) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return std::nullopt;
    return KeptAccess{static_cast<mode_t>(st.st_mode & 07777), st.st_gid};
}

std::string createNewFile(const std::string& path, std::string_view bytes) {
    const int fd = ::open(path.c_str(), kNewFileFlags, 0666);
    if (fd < 0) {
        if (errno == EEXIST) return "cannot make " + path + ": the name is taken (by a link or a folder), which is left as it is";
        return failure(path, errno);
    }
    if (const int err = fill(fd, path, bytes, std::nullopt)) return failure(path, err);
    return "";
}

std::string replaceFile(const std::string& path, std::string_view bytes, const std::optional<KeptAccess>& keep) {
    const std::string temp = path + ".tmp";
    // Private until it holds the kept mode, so nobody can open it meanwhile.
    const mode_t startMode = keep ? 0600 : 0666;
    int fd = ::open(temp.c_str(), kNewFileFlags, startMode);
    if (fd < 0 && errno == EEXIST && ::unlink(temp.c_str()) == 0) fd = ::open(temp.c_str(), kNewFileFlags, startMode);
    if (fd < 0) return failure(path, errno);
    if (const int err = fill(fd, temp, bytes, keep)) return failure(path, err);
    if (::rename(temp.c_str(), path.c_str()) != 0) {
        const int err = errno;
        ::unlink(temp.c_str());
        return "cannot replace " + path + ": " + std::strerror(err);
    }
    return "";
}
