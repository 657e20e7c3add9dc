#pragma once
// Runs the real program headless with a scripted standard input, in temporary folders.
#include <string>
#include <vector>

#include "support/station_fixture.h"

struct BinaryRun {
    int exitCode = -1;
    std::vector<std::string> out;   // standard output, line by line
    std::string err;
};

// The program with `args` as given (quote them for the shell) and `environment` ("NAME=VALUE ...")
// added to its environment; `input` goes to standard input.
BinaryRun runProgram(const TempFolder& folder, const std::string& input, const std::string& args,
                     const std::string& environment = "");

// `input` goes to standard input; `args` follow "--headless --config DIR --data DIR" and are
// passed as given (quote them for the shell). The run is cut off after a minute.
BinaryRun runHeadless(const TempFolder& folder, const std::string& input, const std::string& args);

// One settings file written into the settings folder before a run: its name and its lines after
// "[SETTINGS]".
struct SettingsFile {
    const char* name;
    const char* lines;
};

// runHeadless in virtual time from "2026-12-10 `start`", the settings files written first; "@RUN@"
// in their lines stands for the run's folder.
BinaryRun runHeadlessWithSettings(const TempFolder& folder, const std::vector<SettingsFile>& settings,
                                  const std::string& input, const std::string& start);

// The transcript of such a run from the clock time `from` on ("hh:mm:ss.mmm EVENT ..."), every
// quoted path inside the run's folder written as FILE; console answers and the exit left out.
std::vector<std::string> transcriptFrom(const TempFolder& folder, const std::vector<SettingsFile>& settings,
                                        const std::string& input, const std::string& start, const std::string& from);

// A private X server for one test: Xvfb at 1280x800 on a display number it picks itself.
class VirtualDisplay {
public:
    VirtualDisplay();
    ~VirtualDisplay();
    VirtualDisplay(const VirtualDisplay&) = delete;
    VirtualDisplay& operator=(const VirtualDisplay&) = delete;
    bool ok() const { return !name_.empty(); }
    const std::string& name() const { return name_; }   // ":N"
private:
    int pid_ = -1;
    std::string name_;
};

// A window manager from the distribution (openbox) on the display: it frames each window with a
// title bar and borders, places the windows that ask it to, and keeps `bottomMargin` pixels at the
// screen's bottom out of the free area, as a desktop's task bar does.
class WindowManager {
public:
    WindowManager(const VirtualDisplay& display, const TempFolder& folder, int bottomMargin);
    ~WindowManager();
    WindowManager(const WindowManager&) = delete;
    WindowManager& operator=(const WindowManager&) = delete;
    bool ok() const { return ready_; }   // running and managing the display
private:
    int pid_ = -1;
    bool ready_ = false;
};

struct GuiRun : BinaryRun {
    double secondsFromExitToEnd = -1;   // from the transcript's EXIT line to the process's end
};

// Runs the real program with its windows on `display`, taking `steps` as the operator would
// (see src/gui/operator_script.h). Cut off after 30 s.
GuiRun runGui(const TempFolder& folder, const VirtualDisplay& display, const std::string& steps);
