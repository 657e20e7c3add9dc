#include "shell/shell_rig.h"

#include <fcntl.h>

#include <algorithm>
#include <fstream>
#include <sstream>

#include "shell/launcher_window.h"

ShellRig::ShellRig(RigOptions o) : config_(o.config.empty() ? own_.path() : o.config) {
    clock_ = std::make_shared<VirtualClock>(*parseDateTime("2026-12-10 12:00:00"));
    AppOptions a;
    a.clock = clock_;
    a.virtualStart = clock_->now();
    a.folders.config = config_;
    a.folders.data = data_.path();
    a.folders.home = home_.path();
    a.callsign = o.callsign;
    Services s;
    s.audio = std::make_unique<VirtualAudioService>(*clock_);
    s.speech = std::make_unique<RecordingSpeech>(*clock_);
    auto d = std::make_unique<ScriptedDialogs>();
    dialogs = d.get();
    s.dialogs = std::move(d);
    auto sh = std::make_unique<RecordingShell>();
    shell = sh.get();
    s.shell = std::move(sh);
    auto t = std::make_unique<FakeTray>(o.tray);
    tray = t.get();
    s.tray = std::move(t);
    auto tr = std::make_unique<ScriptedTransfer>();
    transfer = tr.get();
    s.transfer = std::move(tr);
    s.webText = std::make_unique<OfflineTransfer>();
    app_ = std::make_unique<App>(std::move(a), std::move(s));
}

void ShellRig::start() {
    app_->act([&] { app_->form5(); });
}

void ShellRig::advance(double seconds) {
    app_->act([&] { app_->loop().runFor(static_cast<std::int64_t>(seconds * 1000 + 0.5)); });
}

std::string ShellRig::settings(const std::string& name) const {
    std::ifstream in(joinPath(config_, name));
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

std::vector<std::string> ShellRig::settingsFiles() const {
    std::vector<std::string> out;
    for (const auto& e : std::filesystem::directory_iterator(config_)) out.push_back(e.path().filename().string());
    std::sort(out.begin(), out.end());
    return out;
}

std::vector<std::string> ShellRig::windowNames() const {
    std::vector<std::string> out;
    for (Form* f : app_->existingForms()) out.push_back(f->name());
    return out;
}

WriteWatch::WriteWatch(const std::string& folder) : fd_(inotify_init1(IN_NONBLOCK | IN_CLOEXEC)) {
    inotify_add_watch(fd_, folder.c_str(), IN_CLOSE_WRITE | IN_MOVED_TO);
}

std::vector<std::string> WriteWatch::written() {
    std::vector<std::string> names;
    alignas(inotify_event) char buf[8192];
    ssize_t n;
    while ((n = ::read(fd_, buf, sizeof buf)) > 0) {
        for (char* p = buf; p < buf + n;) {
            auto* e = reinterpret_cast<inotify_event*>(p);
            const std::string name = e->len ? e->name : "";
            // A settings file is written to a temporary name and renamed over the old one.
            if (name.size() > 4 && name.compare(name.size() - 4, 4, ".ini") == 0 &&
                (e->mask & (IN_MOVED_TO | IN_CLOSE_WRITE)) && (names.empty() || names.back() != name))
                names.push_back(name);
            p += sizeof(inotify_event) + e->len;
        }
    }
    return names;
}
