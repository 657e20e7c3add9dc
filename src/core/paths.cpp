#include "core/paths.h"

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <vector>

#include "core/text.h"

namespace {
std::string processEnv(const char* name) {
    const char* v = std::getenv(name);
    return v ? v : "";
}

bool isFolder(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

// The home the password database gives this account; empty when it gives none that exists.
std::string passwordDatabaseHome() {
    long size = ::sysconf(_SC_GETPW_R_SIZE_MAX);
    std::vector<char> buffer(static_cast<size_t>(size > 0 ? size : 16384));
    passwd entry {};
    passwd* found = nullptr;
    if (::getpwuid_r(::getuid(), &entry, buffer.data(), buffer.size(), &found) != 0 || !found || !found->pw_dir)
        return "";
    const std::string home = found->pw_dir;
    return !home.empty() && home.front() == '/' && isFolder(home) ? home : "";
}
}  // namespace

Folders foldersFrom(const std::function<std::string(const char* name)>& env, const std::string& accountHome) {
    // HOME and the XDG folders count only as absolute paths; the program's own variables are
    // taken as given, as --config and --data are.
    const auto absolute = [&](const char* name) {
        std::string v = env(name);
        return !v.empty() && v.front() == '/' ? v : std::string();
    };
    const auto under = [](const std::string& base, const char* rest) {
        return base.empty() ? std::string() : joinPath(base, rest);
    };
    Folders f;
    f.home = absolute("HOME");
    if (f.home.empty()) f.home = accountHome;
    f.config = env("MVSMALL_CONFIG_DIR");
    if (f.config.empty()) f.config = under(absolute("XDG_CONFIG_HOME"), "mvsmall");
    if (f.config.empty()) f.config = under(f.home, ".config/mvsmall");
    f.data = env("MVSMALL_DATA_DIR");
    if (f.data.empty()) f.data = under(absolute("XDG_DATA_HOME"), "mvsmall");
    if (f.data.empty()) f.data = under(f.home, ".local/share/mvsmall");
    return f;
}

Folders defaultFolders() {
    const std::string home = processEnv("HOME");
    return foldersFrom(processEnv, !home.empty() && home.front() == '/' ? "" : passwordDatabaseHome());
}

std::string foldersProblem(const Folders& folders) {
    if (!folders.home.empty()) return "";
    std::string what = "no home folder: HOME is not set to a folder and the password database gives this account none";
    if (folders.config.empty() || folders.data.empty()) what += ", so there is no settings or data folder";
    return what + "; set HOME to a folder of your own";
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
    static const std::string speechFile = "TEXT_TO_WAV.WAV";
    const std::string upper = ucase(stored);
    std::string rest;
    std::string base;
    if (startsWith(upper, install)) {
        rest = stored.substr(install.size());
        base = ucase(rest) == speechFile ? folders.config : folders.data;
    } else if (startsWith(upper, wxex)) {
        base = joinPath(folders.home, "wxex");
        rest = stored.substr(wxex.size());
    } else {
        return stored;
    }
    return joinPath(base, replaceAll(rest, "\\", "/"));
}
