#pragma once
// A station started the way the program starts (through the launcher), with doubles that a
// shell test needs to steer: the version file's fetch, the tray, and a settings folder that two
// copies may share.
#include <sys/inotify.h>
#include <unistd.h>

#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "app/app.h"
#include "support/station_fixture.h"

// Answers each URL with a scripted result; remembers the time-outs asked for.
class ScriptedTransfer final : public TransferService {
public:
    struct Reply {
        TransferResult result;
        std::string body;
    };
    std::map<std::string, Reply> replies;   // unscripted: a transport failure
    std::vector<int> timeouts;
    TransferResult get(const std::string& url, std::string& body, const TransferProgress&, int timeoutSeconds) override {
        timeouts.push_back(timeoutSeconds);
        auto it = replies.find(url);
        if (it == replies.end()) return {false, 0, "could not connect", 0};
        body = it->second.body;   // an error page comes with a body, too
        return it->second.result;
    }
    TransferResult download(const std::string&, const std::string&, const TransferProgress&, int) override {
        return {false, 0, "offline", 0};
    }
    TransferResult upload(const std::string&, const std::string&, const TransferProgress&, int) override {
        return {false, 0, "offline", 0};
    }
    std::optional<std::int64_t> remoteSize(const std::string&, int) override { return std::nullopt; }
};

struct RigOptions {
    std::string callsign = "Q1AAA-L";
    bool tray = true;
    std::string config;   // a settings folder to share; empty: a folder of its own
    static RigOptions call(std::string c) {
        RigOptions o;
        o.callsign = std::move(c);
        return o;
    }
    static RigOptions sharing(std::string folder, std::string c = "Q1AAA-L") {
        RigOptions o = call(std::move(c));
        o.config = std::move(folder);
        return o;
    }
    static RigOptions withoutTray() {
        RigOptions o;
        o.tray = false;
        return o;
    }
};

class ShellRig {
public:
    explicit ShellRig(RigOptions o = {});
    App& app() { return *app_; }
    // Starts the program: the launcher's creation.
    void start();
    void advance(double seconds);
    void act(const std::function<void()>& f) { app_->act(f); }
    std::string configFolder() const { return config_; }
    std::string settings(const std::string& name) const;
    std::vector<std::string> settingsFiles() const;   // names in the settings folder
    std::vector<std::string> windowNames() const;      // existing windows, in creation order

    ScriptedDialogs* dialogs = nullptr;
    RecordingShell* shell = nullptr;
    FakeTray* tray = nullptr;
    ScriptedTransfer* transfer = nullptr;

private:
    TempFolder own_, data_, home_;
    std::string config_;
    std::shared_ptr<VirtualClock> clock_;
    std::unique_ptr<App> app_;
};

// Watches the settings folder and tells which files were written, in order.
class WriteWatch {
public:
    explicit WriteWatch(const std::string& folder);
    ~WriteWatch() { ::close(fd_); }
    std::vector<std::string> written();
private:
    int fd_;
};
