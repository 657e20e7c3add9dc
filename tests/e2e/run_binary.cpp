#include "e2e/run_binary.h"

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <optional>
#include <regex>
#include <sstream>

#include <gtest/gtest.h>

#include "core/text.h"
#include "e2e/program_run.h"

BinaryRun runProgram(const TempFolder& folder, const std::string& input, const std::string& args,
                     const std::string& environment) {
    folder.write("input.txt", input);
    const std::string command = "env " + environment + " timeout 60 '" MVSMALL_BINARY "' " + args + " < '" + folder.file("input.txt") +
                                "' 2> '" + folder.file("stderr.txt") + "'";
    BinaryRun run;
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) return run;
    std::string text;
    char buf[4096];
    size_t n;
    while ((n = fread(buf, 1, sizeof buf, pipe)) > 0) text.append(buf, n);
    const int status = pclose(pipe);
    run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    std::istringstream lines(text);
    for (std::string l; std::getline(lines, l);) run.out.push_back(l);
    run.err = folder.read("stderr.txt");
    return run;
}

BinaryRun runHeadless(const TempFolder& folder, const std::string& input, const std::string& args) {
    return runProgram(folder, input,
                      "--headless --config '" + folder.file("config") + "' --data '" + folder.file("data") + "' " + args);
}

BinaryRun runHeadlessWithSettings(const TempFolder& folder, const std::vector<SettingsFile>& settings,
                                  const std::string& input, const std::string& start) {
    std::filesystem::create_directories(folder.file("config"));
    for (const SettingsFile& f : settings)
        folder.write(std::string("config/") + f.name, "[SETTINGS]\n" + replaceAll(f.lines, "@RUN@", folder.path()));
    return runHeadless(folder, input, "--virtual-time \"2026-12-10 " + start + "\"");
}

std::vector<std::string> transcriptFrom(const TempFolder& folder, const std::vector<SettingsFile>& settings,
                                        const std::string& input, const std::string& start, const std::string& from) {
    const auto run = runHeadlessWithSettings(folder, settings, input, start);
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.err, "");
    const std::regex path("\"" + folder.path() + "/[^\"]*\"");
    std::vector<std::string> out;
    for (const auto& line : run.out) {
        if (line.size() < 14 || line[2] != ':' || line.substr(0, 12) < from || endsWith(line, " EXIT")) continue;
        out.push_back(std::regex_replace(line, path, "FILE"));
    }
    return out;
}

VirtualDisplay::VirtualDisplay() {
    int fds[2];
    if (pipe(fds) != 0) return;
    const pid_t pid = fork();
    if (pid == 0) {
        close(fds[0]);
        const std::string fd = std::to_string(fds[1]);
        execlp("Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-screen", "0", "1280x800x24", "-nolisten", "tcp",
               static_cast<char*>(nullptr));
        _exit(127);
    }
    close(fds[1]);
    if (pid < 0) {
        close(fds[0]);
        return;
    }
    pid_ = pid;
    // The server writes its display number once it accepts clients.
    std::string number;
    char c;
    while (read(fds[0], &c, 1) == 1 && c != '\n') number += c;
    close(fds[0]);
    if (!number.empty()) name_ = ":" + number;
}

VirtualDisplay::~VirtualDisplay() {
    if (pid_ <= 0) return;
    kill(pid_, SIGTERM);
    waitpid(pid_, nullptr, 0);
}

WindowManager::WindowManager(const VirtualDisplay& display, const TempFolder& folder, int bottomMargin) {
    folder.write("openbox.xml", "<?xml version=\"1.0\"?>\n<openbox_config xmlns=\"http://openbox.org/3.4/rc\">\n"
                                "<margins><top>0</top><bottom>" + std::to_string(bottomMargin) +
                                "</bottom><left>0</left><right>0</right></margins>\n</openbox_config>\n");
    const std::string config = folder.file("openbox.xml"), ready = folder.file("openbox.ready");
    const std::string touchReady = "touch '" + ready + "'";   // its start-up command: it manages the display
    const pid_t pid = fork();
    if (pid == 0) {
        setenv("DISPLAY", display.name().c_str(), 1);
        execlp("openbox", "openbox", "--config-file", config.c_str(), "--startup", touchReady.c_str(),
               static_cast<char*>(nullptr));
        _exit(127);
    }
    if (pid < 0) return;
    pid_ = pid;
    ready_ = waitForFile(ready, 10);
}

WindowManager::~WindowManager() {
    if (pid_ <= 0) return;
    kill(pid_, SIGTERM);
    waitpid(pid_, nullptr, 0);
}

GuiRun runGui(const TempFolder& folder, const VirtualDisplay& display, const std::string& steps) {
    const std::string command = "env DISPLAY=" + display.name() +
                                " QT_QPA_PLATFORM=xcb MVSMALL_AUDIO_SINK='fakesink sync=true' MVSMALL_GUI_STEPS='" + steps +
                                "' timeout 30 '" MVSMALL_BINARY
                                "' --config '" + folder.file("config") + "' --data '" + folder.file("data") +
                                "' < /dev/null 2> '" + folder.file("stderr.txt") + "'";
    GuiRun run;
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) return run;
    using Clock = std::chrono::steady_clock;
    std::optional<Clock::time_point> exitSeen;
    char buf[4096];
    while (fgets(buf, sizeof buf, pipe)) {
        std::string line = buf;
        if (!line.empty() && line.back() == '\n') line.pop_back();
        if (!exitSeen && line.find(" EXIT") != std::string::npos) exitSeen = Clock::now();
        run.out.push_back(line);
    }
    const auto ended = Clock::now();
    const int status = pclose(pipe);
    run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    if (exitSeen) run.secondsFromExitToEnd = std::chrono::duration<double>(ended - *exitSeen).count();
    run.err = folder.read("stderr.txt");
    return run;
}
