#pragma once
// How the program makes files. A new file is made only where nothing has the name: an existing
// file or link there is refused and never followed. A file that is rewritten is written whole
// beside itself and renamed over the old one, so a failure (a full disk) leaves the old file
// as it was and a reader never sees half a file.
#include <sys/types.h>

#include <optional>
#include <string>
#include <string_view>

// The permission bits and group a rewritten file keeps from the one it replaces.
struct KeptAccess {
    mode_t mode = 0;
    gid_t group = 0;
};
// What the regular file at `path` (links followed) has; nothing when there is none.
std::optional<KeptAccess> accessOf(const std::string& path);

// Each returns why it failed ("cannot write PATH: reason"), or "" when the file was written.
// A new file gets the usual permissions (as the umask leaves them).
[[nodiscard]] std::string createNewFile(const std::string& path, std::string_view bytes);
// Through "PATH.tmp", made afresh: a stale one, or a link in its place, is removed, never followed.
// `path` itself is replaced, not written through, so a link there becomes a file.
[[nodiscard]] std::string replaceFile(const std::string& path, std::string_view bytes,
                                      const std::optional<KeptAccess>& keep = std::nullopt);
