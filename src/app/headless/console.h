#pragma once
// The headless console: runs the whole suite without windows, reads simulator commands on
// standard input and prints the on-air transcript on standard output.
#include <functional>
#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

#include "app/app.h"

class AnsweringDialogs;

struct ConsoleOptions {
    bool headless = false;
    std::optional<LocalMs> virtualStart;   // --virtual-time
    Folders folders = defaultFolders();
    std::string callsign = "N0CALL-L";
};

// Reads the command line (either mode's); on a bad option, nothing and the reason in `error`.
std::optional<ConsoleOptions> parseConsoleOptions(int argc, char** argv, std::string& error);
// False, with an ERROR line on standard error, when the program has no folders of its own to run in.
bool foldersUsable(const Folders& folders);
// True when the command line asks for the usage text.
bool wantsUsage(int argc, char** argv);
// How to start the program, in both modes.
std::string usageText();

// One standard-input command at a time, acting on the application as the simulator panel and the
// operator would. Runs on the loop's thread.
class Console {
public:
    Console(App& app, AnsweringDialogs* dialogs, std::ostream& out, std::ostream& err);
    // Runs one input line. `wait` is not handled here (virtual and real time wait differently).
    void execute(const std::string& line);
    // The line's command word and the rest, or nothing for a blank or comment line.
    static std::optional<std::pair<std::string, std::string>> split(const std::string& line);
    // A `wait` argument in milliseconds; nothing when it is not a decimal number of seconds >= 0.
    // A week at most: longer runs belong in the soak, and a wait far beyond would never end.
    static constexpr int kLongestWaitSeconds = 7 * 24 * 3600;
    static std::optional<std::int64_t> waitMs(const std::string& argument);
    // The same, or `until hh:mm:ss[.mmm]`: the wait from `now` to that clock time today, none
    // when it has passed. A script that names its times so keeps to them, whatever blocking work
    // (speech, a key-up delay) moved the clock between its commands.
    static std::optional<std::int64_t> waitMs(const std::string& argument, LocalMs now);
    // Why a `wait` argument was refused.
    static std::string waitError(const std::string& argument);
    bool quitRequested() const { return quit_; }

private:
    void error(const std::string& message);
    Control* control(const std::string& formControl);
    std::optional<bool> onOff(const std::string& argument);
    void run(const std::string& command, const std::string& rest);
    void fail(const std::vector<std::string>& args);
    void calls(const std::string& rest);

    App& app_;
    AnsweringDialogs* dialogs_;
    std::ostream& out_;
    std::ostream& err_;
    bool quit_ = false;
};

// The services of a run: doubles on the virtual clock, the machine's own services in real time.
Services virtualTimeServices(Clock& clock, std::unique_ptr<DialogService> dialogs);
Services realTimeServices(Clock& clock, std::unique_ptr<DialogService> dialogs);

// The program's start: the launcher's creation starts everything else.
void startProgram(App& app);

int runConsoleMain(int argc, char** argv);
