#include "core/paths.h"

#include <cstdlib>
#include <filesystem>

#include "core/text.h"

namespace {
std::string env(const char* name) {
    const char* v = std::getenv(name);
    return v ? v : "";
}
}  // namespace

Folders defaultFolders() {
    Folders f;
    f.home = env("HOME").empty() ? "/tmp" : env("HOME");
    if (!env("MVSMALL_CONFIG_DIR").empty())
        f.config = env("MVSMALL_CONFIG_DIR");
    else if (!env("XDG_CONFIG_HOME").empty())
        f.config = env("XDG_CONFIG_HOME") + "/mvsmall";
    else
        f.config = f.home + "/.config/mvsmall";
    if (!env("MVSMALL_DATA_DIR").empty())
        f.data = env("MVSMALL_DATA_DIR");
    else if (!env("XDG_DATA_HOME").empty())
        f.data = env("XDG_DATA_HOME") + "/mvsmall";
    else
        f.data = f.home + "/.local/share/mvsmall";
    return f;
}

void ensureFolder(const std::string& path) {
    std::error_code ec;
    std::filesystem::create_directories(path, ec);
}

std::string joinPath(const std::string& folder, const std::string& file) {
    if (folder.empty()) return file;
    if (folder.back() == '/') return folder + file;
    return folder + "/" + file;
}

bool fileExists(const std::string& path) {
    std::error_code ec;
    return !path.empty() && std::filesystem::is_regular_file(path, ec);
}

std::string mapStoredPath(const std::string& stored, const Folders& folders) {
    static const std::string install = "C:\\PROGRAM FILES\\MAROVANE\\";
    static const std::string wxex = "C:\\WXEX\\";
    const std::string upper = ucase(stored);
    std::string rest;
    std::string base;
    if (startsWith(upper, install)) {
        base = folders.data;
        rest = stored.substr(install.size());
    } else if (startsWith(upper, wxex)) {
        base = joinPath(folders.home, "wxex");
        rest = stored.substr(wxex.size());
    } else {
        return stored;
    }
    return joinPath(base, replaceAll(rest, "\\", "/"));
}
