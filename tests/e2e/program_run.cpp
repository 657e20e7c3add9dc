#include "e2e/program_run.h"

#include <fcntl.h>
#include <grp.h>
#include <poll.h>
#include <pwd.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <set>
#include <string>
#include <thread>

namespace {
using Clock = std::chrono::steady_clock;

// Starts the binary with the given pipes as its standard streams; -1 on failure.
pid_t spawn(const std::vector<std::string>& args, const std::vector<std::pair<std::string, std::string>>& env,
            int in, int out, int err, const ProgramRun* run = nullptr) {
    const pid_t pid = fork();
    if (pid != 0) return pid;
    dup2(in, 0);
    dup2(out, 1);
    dup2(err, 2);
    for (int fd = 3; fd < 256; ++fd) close(fd);
    // The test runner may have blocked or ignored signals; the program starts as from a shell.
    sigset_t none;
    sigemptyset(&none);
    sigprocmask(SIG_SETMASK, &none, nullptr);
    signal(SIGPIPE, SIG_DFL);
    for (const auto& [k, v] : env) setenv(k.c_str(), v.c_str(), 1);
    static std::string binary = MVSMALL_BINARY;
    // Opened before the child's own preparations: a private mount over /tmp or the home may cover
    // the folder the program was built in.
    const int program = open(binary.c_str(), O_RDONLY | O_CLOEXEC);
    if (program < 0) _exit(127);
    if (run) {
        for (const auto& name : run->unsetEnv) unsetenv(name.c_str());
        if (run->inChild && !run->inChild()) _exit(126);
    }
    std::vector<char*> argv;
    argv.push_back(binary.data());
    std::vector<std::string> copies = args;
    for (auto& a : copies) argv.push_back(a.data());
    argv.push_back(nullptr);
    fexecve(program, argv.data(), environ);
    _exit(127);
}

void readAvailable(int fd, std::string& into, bool& open) {
    char buf[65536];
    const ssize_t n = read(fd, buf, sizeof buf);
    if (n > 0) into.append(buf, static_cast<size_t>(n));
    else if (n == 0) open = false;
}

std::vector<std::string> lines(const std::string& text) {
    std::vector<std::string> out;
    size_t pos = 0;
    while (pos < text.size()) {
        const size_t end = text.find('\n', pos);
        out.push_back(text.substr(pos, end == std::string::npos ? std::string::npos : end - pos));
        pos = end == std::string::npos ? text.size() : end + 1;
    }
    return out;
}
}  // namespace

ProgramResult runProgram(const ProgramRun& run) {
    signal(SIGPIPE, SIG_IGN);   // a program that ends before taking its input must not end the test
    ProgramResult result;
    int in[2], out[2], err[2];
    if (pipe(in) != 0 || pipe(out) != 0 || pipe(err) != 0) return result;
    const pid_t pid = spawn(run.args, run.env, in[0], out[1], err[1], &run);
    close(in[0]);
    close(out[1]);
    close(err[1]);
    fcntl(in[1], F_SETFL, O_NONBLOCK);
    fcntl(out[0], F_SETFL, O_NONBLOCK);
    fcntl(err[0], F_SETFL, O_NONBLOCK);
    const auto deadline = Clock::now() + std::chrono::seconds(run.timeoutSeconds);
    size_t written = 0;
    int inFd = in[1], outFd = out[0], errFd = err[0];
    bool outOpen = true, errOpen = true, exited = false;
    std::string outText, errText;
    int status = 0;
    std::optional<Clock::time_point> timedLineSeen;
    while (!exited) {
        if (Clock::now() > deadline) {
            kill(pid, SIGKILL);
            result.timedOut = true;
        }
        // Write what the pipe takes of the input; close it when done unless asked to keep it.
        if (inFd >= 0 && written < run.input.size()) {
            const ssize_t n = write(inFd, run.input.data() + written, run.input.size() - written);
            if (n > 0) written += static_cast<size_t>(n);
            else if (n < 0 && errno != EAGAIN) written = run.input.size();
        }
        if (inFd >= 0 && written >= run.input.size() && !run.keepInputOpen) {
            close(inFd);
            inFd = -1;
        }
        const bool reading = run.reader != StdoutReader::StallsUntilExit && outFd >= 0 && outOpen;
        pollfd fds[2] = {{reading ? outFd : -1, POLLIN, 0}, {errOpen ? errFd : -1, POLLIN, 0}};
        poll(fds, 2, 20);
        if (reading && (fds[0].revents & (POLLIN | POLLHUP))) {
            readAvailable(outFd, outText, outOpen);
            if (!timedLineSeen && !run.timeEndFrom.empty() && outText.find(run.timeEndFrom) != std::string::npos)
                timedLineSeen = Clock::now();
            if (run.reader == StdoutReader::LeavesAfterFirstLine && outText.find('\n') != std::string::npos) {
                close(outFd);   // the reader goes away
                outFd = -1;
            }
            if (run.signal && !result.signalSent && !run.signalAfter.empty() &&
                outText.find(run.signalAfter) != std::string::npos) {
                kill(pid, run.signal);
                result.signalSent = true;
            }
        }
        if (run.signal && !result.signalSent && !run.signalWhenFileExists.empty()) {
            struct stat st {};
            if (stat(run.signalWhenFileExists.c_str(), &st) == 0) {
                kill(pid, run.signal);
                result.signalSent = true;
            }
        }
        if (run.signal && !result.signalSent && run.signalWhen && run.signalWhen()) {
            kill(pid, run.signal);
            result.signalSent = true;
        }
        if (errOpen && (fds[1].revents & (POLLIN | POLLHUP))) readAvailable(errFd, errText, errOpen);
        exited = waitpid(pid, &status, WNOHANG) == pid;
    }
    if (timedLineSeen) result.secondsToEnd = std::chrono::duration<double>(Clock::now() - *timedLineSeen).count();
    if (inFd >= 0) close(inFd);
    // What is left in the pipes, the stalled reader's share included.
    if (outFd >= 0) {
        fcntl(outFd, F_SETFL, 0);
        for (bool open = true; open;) readAvailable(outFd, outText, open);
        close(outFd);
    }
    fcntl(errFd, F_SETFL, 0);
    for (bool open = errOpen; open;) readAvailable(errFd, errText, open);
    close(errFd);
    result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    result.endSignal = WIFSIGNALED(status) ? WTERMSIG(status) : 0;
    result.out = lines(outText);
    result.err = errText;
    return result;
}

BackgroundProgram::BackgroundProgram(const std::vector<std::string>& args,
                                     const std::vector<std::pair<std::string, std::string>>& env) {
    int in[2];
    if (pipe(in) != 0) return;
    const int devNull = open("/dev/null", O_WRONLY);
    pid_ = spawn(args, env, in[0], devNull, devNull);
    close(in[0]);
    close(devNull);
    input_ = in[1];
}

BackgroundProgram::~BackgroundProgram() {
    if (pid_ <= 0) return;
    kill(pid_, SIGTERM);
    int status = 0;
    const auto deadline = Clock::now() + std::chrono::seconds(20);
    while (waitpid(pid_, &status, WNOHANG) != pid_) {
        if (Clock::now() > deadline) {
            kill(pid_, SIGKILL);
            waitpid(pid_, &status, 0);
            break;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    close(input_);
}

unsigned unusedAccountId() {
    static const unsigned id = [] {
        unsigned candidate = 61000;
        while (getpwuid(candidate) || getgrgid(candidate)) ++candidate;
        return candidate;
    }();
    return id;
}

void giveToAccount(const std::string& folder, unsigned id) {
    std::error_code ec;
    if (chown(folder.c_str(), id, id) != 0) return;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(folder, ec))
        if (lchown(entry.path().c_str(), id, id) != 0) return;
}

void giveToUnusedAccount(const std::string& folder) {
    if (geteuid() == 0) giveToAccount(folder, unusedAccountId());
}

namespace {
// Account numbers some process runs under now.
std::set<unsigned> accountsRunning() {
    std::set<unsigned> used;
    std::error_code ec;
    for (const auto& entry : std::filesystem::directory_iterator("/proc", ec)) {
        std::ifstream status(entry.path() / "status");
        std::string line;
        while (std::getline(status, line))
            if (line.rfind("Uid:", 0) == 0) used.insert(static_cast<unsigned>(std::stoul(line.substr(4))));
    }
    return used;
}
}  // namespace

unsigned accountOfItsOwn(int salt) {
    const std::set<unsigned> running = accountsRunning();
    for (unsigned id = 62000 + static_cast<unsigned>((getpid() * 7 + salt) % 3000);; ++id)
        if (id != unusedAccountId() && !running.count(id) && !getpwuid(id) && !getgrgid(id)) return id;
}

bool becomeUnusedAccount() {
    if (geteuid() != 0) return true;
    const unsigned id = unusedAccountId();
    return setgroups(0, nullptr) == 0 && setresgid(id, id, id) == 0 && setresuid(id, id, id) == 0;
}

bool waitForFile(const std::string& path, int seconds) {
    const auto deadline = Clock::now() + std::chrono::seconds(seconds);
    struct stat st {};
    while (stat(path.c_str(), &st) != 0) {
        if (Clock::now() > deadline) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return true;
}

testing::AssertionResult inOrder(const std::vector<std::string>& out, const std::vector<std::string>& texts) {
    size_t at = 0;
    for (const auto& t : texts) {
        while (at < out.size() && out[at].find(t) == std::string::npos) ++at;
        if (at == out.size()) {
            std::string all;
            for (const auto& l : out) all += l + "\n";
            return testing::AssertionFailure() << "no \"" << t << "\" in order in:\n" << all.substr(0, 4000);
        }
        ++at;
    }
    return testing::AssertionSuccess();
}
