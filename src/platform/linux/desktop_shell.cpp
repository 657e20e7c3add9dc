// The desktop shell: programs are started from fixed argument lists, never through a command
// interpreter, so nothing in a URL or a file name can become a command.
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <optional>
#include <thread>

#include "platform/linux_services.h"

extern char** environ;

namespace {

constexpr auto kOpenWait = std::chrono::seconds(3);

// Starts a program with its standard input and output on /dev/null, so that nothing it prints
// mixes with ours. Nothing when it cannot be started.
std::optional<pid_t> spawn(const std::vector<std::string>& argv) {
    if (argv.empty() || argv[0].empty()) return std::nullopt;
    std::vector<char*> args;
    for (const auto& a : argv) args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    pid_t pid = 0;
    const int err = argv[0].find('/') == std::string::npos
                        ? posix_spawnp(&pid, args[0], &actions, nullptr, args.data(), environ)
                        : posix_spawn(&pid, args[0], &actions, nullptr, args.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (err != 0) return std::nullopt;
    return pid;
}

// A child that is left running is collected when it ends, so none stays behind as a zombie.
void reapLater(pid_t pid) {
    std::thread([pid] {
        int status = 0;
        while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
        }
    }).detach();
}

// The exit status once the child ended within `limit`; nothing while it still runs.
std::optional<int> exitWithin(pid_t pid, std::chrono::milliseconds limit) {
    const auto until = std::chrono::steady_clock::now() + limit;
    for (;;) {
        int status = 0;
        const pid_t r = waitpid(pid, &status, WNOHANG);
        if (r == pid) return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
        if (r < 0 && errno != EINTR) return -1;
        if (std::chrono::steady_clock::now() >= until) {
            reapLater(pid);
            return std::nullopt;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
}

std::vector<std::string> with(std::vector<std::string> argv, const std::string& last) {
    argv.push_back(last);
    return argv;
}

class DesktopShell final : public ShellService {
public:
    explicit DesktopShell(ShellCommands commands) : commands_(std::move(commands)) {}

    bool openUrl(const std::string& url) override {
        // A leading dash would be read as an option of the opener, a control character has no
        // place in an address.
        if (url.empty() || url[0] == '-') return false;
        for (unsigned char c : url)
            if (c < 0x20 || c == 0x7f) return false;
        const auto pid = spawn(with(commands_.openUrl, url));
        if (!pid) return false;
        // The opener hands the address to the browser and ends; one that stays (the browser
        // itself) is taken as having opened it.
        const auto status = exitWithin(*pid, kOpenWait);
        return !status || *status == 0;
    }

    // Started and left to run: the station's loop never waits on the restart, whose command
    // may take many seconds to return (or never does, as the machine goes down).
    bool restartComputer() override {
        const auto pid = spawn(commands_.restart);
        if (!pid) return false;
        reapLater(*pid);
        return true;
    }

    bool startProgram(const std::string& program, const std::vector<std::string>& args) override {
        std::vector<std::string> argv{program};
        argv.insert(argv.end(), args.begin(), args.end());
        const auto pid = spawn(argv);
        if (!pid) return false;
        reapLater(*pid);
        return true;
    }

private:
    ShellCommands commands_;
};

}  // namespace

std::unique_ptr<ShellService> makeDesktopShell() { return makeDesktopShell(ShellCommands{}); }

std::unique_ptr<ShellService> makeDesktopShell(ShellCommands commands) {
    return std::make_unique<DesktopShell>(std::move(commands));
}
