#pragma once
// A whole station in virtual time: the application with the simulated node, test doubles for
// every service, and temporary settings and data folders. A test sets the clock, acts, advances
// and reads the transcript.
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "app/app.h"
#include "core/datetime.h"
#include "platform/doubles/scripted_services.h"
#include "platform/doubles/virtual_audio.h"

class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    const std::string& path() const { return path_; }
    std::string file(const std::string& name) const { return path_ + "/" + name; }
    void write(const std::string& name, const std::string& content) const;
    std::string read(const std::string& name) const;
private:
    std::string path_;
};

struct StationOptions {
    std::string start = "2026-12-10 12:00:00";
    std::string callsign = "N0CALL-L";
    bool createStartupWindows = false;   // as the launcher would at start-up
    bool realTransfers = false;          // libcurl instead of the offline double (`transfer` is then null)
    // Settings files (name, content) written before any window starts.
    std::vector<std::pair<std::string, std::string>> settingsFiles{};
};

class Station {
public:
    explicit Station(StationOptions options = {});
    ~Station();

    App& app() { return *app_; }
    SimulatedNode& node() { return app_->node(); }
    Transcript& transcript() { return app_->transcript(); }
    VirtualClock& clock() { return *clock_; }
    EventLoop& loop() { return app_->loop(); }

    // Runs the loop for that much virtual time (events, timers); stops early if the program ends.
    void advance(double seconds);
    // Sets a control's value as the operator would, and presses buttons.
    void set(const std::string& formControl, const std::string& value);
    void click(const std::string& formControl);
    std::string get(const std::string& formControl);
    // Settings and data folders.
    std::string settingsFile(const std::string& name) const { return config_.file(name); }
    void writeSettings(const std::string& name, const std::string& content) const { config_.write(name, content); }
    std::string readSettings(const std::string& name) const { return config_.read(name); }
    std::string dataFile(const std::string& name) const { return data_.file(name); }
    const TempFolder& dataFolder() const { return data_; }

    // The doubles behind the services, to script and inspect.
    VirtualAudioService* audio = nullptr;
    RecordingSpeech* speech = nullptr;
    ScriptedDialogs* dialogs = nullptr;
    RecordingShell* shell = nullptr;
    FakeTray* tray = nullptr;
    OfflineTransfer* transfer = nullptr;
    OfflineTransfer* webText = nullptr;

private:
    Control& control(const std::string& formControl);
    TempFolder config_, data_, home_;
    std::shared_ptr<VirtualClock> clock_;
    std::unique_ptr<App> app_;
};
