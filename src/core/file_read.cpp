#include "core/file_read.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace {
// An open regular file, closed when it goes. Opening never waits: a FIFO without a writer would
// hold a plain open for ever, so the file is opened non-blocking and judged by what was opened,
// not by a look at the path beforehand that a swap could outrun.
class RegularFile {
public:
    RegularFile(const std::string& path, FileRead& result) {
        if (path.empty()) {
            result.why = "no such file";
            return;
        }
        fd_ = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
        if (fd_ < 0) {
            result.existed = errno != ENOENT && errno != ENOTDIR;
            result.why = result.existed ? std::string("cannot be read: ") + std::strerror(errno) : "no such file";
            return;
        }
        result.existed = true;
        struct stat st {};
        if (::fstat(fd_, &st) != 0 || !S_ISREG(st.st_mode)) {
            result.why = "is not a regular file";
            ::close(fd_);
            fd_ = -1;
            return;
        }
        size_ = st.st_size;
    }
    ~RegularFile() {
        if (fd_ >= 0) ::close(fd_);
    }
    RegularFile(const RegularFile&) = delete;
    RegularFile& operator=(const RegularFile&) = delete;

    bool open() const { return fd_ >= 0; }
    off_t size() const { return size_; }

    // Appends up to `count` bytes from `offset` on; false (and why) when a read fails. `atEnd`
    // tells whether the file ended before `count` bytes.
    bool readAt(off_t offset, std::size_t count, std::string& out, bool& atEnd, std::string& why) const {
        char buf[65536];
        atEnd = false;
        while (count > 0) {
            const ssize_t n = ::pread(fd_, buf, std::min(count, sizeof buf), offset);
            if (n < 0 && errno == EINTR) continue;
            if (n < 0) {
                why = std::string("cannot be read: ") + std::strerror(errno);
                return false;
            }
            if (n == 0) {
                atEnd = true;
                return true;
            }
            out.append(buf, static_cast<std::size_t>(n));
            offset += n;
            count -= static_cast<std::size_t>(n);
        }
        return true;
    }

private:
    int fd_ = -1;
    off_t size_ = 0;
};

// Reads `count` bytes from `offset`; the read is the whole file when it started at the head and
// nothing follows it.
void readInto(const RegularFile& file, off_t offset, std::size_t count, FileRead& result) {
    bool atEnd = false;
    if (!file.readAt(offset, count, result.bytes, atEnd, result.why)) {
        result.bytes.clear();
        return;
    }
    if (!atEnd) {
        // Exactly `count` bytes were there: one more tells whether the file goes on.
        std::string more;
        if (!file.readAt(offset + static_cast<off_t>(result.bytes.size()), 1, more, atEnd, result.why)) {
            result.bytes.clear();
            return;
        }
    }
    result.whole = offset == 0 && atEnd;
    result.ok = true;
}
}  // namespace

FileRead readFileHead(const std::string& path, std::size_t maxBytes) {
    FileRead result;
    const RegularFile file(path, result);
    if (!file.open()) return result;
    result.bytes.reserve(std::min<std::size_t>(maxBytes, static_cast<std::size_t>(std::max<off_t>(file.size(), 0))));
    readInto(file, 0, maxBytes, result);
    return result;
}

FileRead readFileTail(const std::string& path, std::size_t maxBytes) {
    FileRead result;
    const RegularFile file(path, result);
    if (!file.open()) return result;
    const auto size = static_cast<std::size_t>(std::max<off_t>(file.size(), 0));
    const std::size_t from = size > maxBytes ? size - maxBytes : 0;
    result.bytes.reserve(size - from);
    readInto(file, static_cast<off_t>(from), maxBytes, result);
    return result;
}
