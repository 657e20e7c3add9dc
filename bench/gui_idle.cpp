// The windowed program idling: its processor time and how often its threads wake, read from
// /proc while it runs as a child, so nothing of the benchmark itself is counted.
#include "gui_idle.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#ifdef MVSMALL_HAVE_GUI
namespace {

// The idents, player and link-control windows: the ones whose labels follow the clock and the link.
constexpr const char* kShowWindows = "press Form5.Command1; press Form5.Command4; press Form5.Command13";
constexpr double kSettleSeconds = 3.0;   // start-up, the first-start work and the steps above

struct Sample {
    double cpuSeconds = 0;                 // every thread, user and system
    std::map<std::string, long long> wakeups;   // voluntary context switches of each living thread
    long long mainWakeups = 0;             // those of the main (Qt) thread
};

// A thread that ended between the samples is left out; one that began counts from zero.
long long wakeupsBetween(const Sample& before, const Sample& after) {
    long long n = 0;
    for (const auto& [tid, count] : after.wakeups) {
        const auto was = before.wakeups.find(tid);
        n += count - (was == before.wakeups.end() ? 0 : was->second);
    }
    return n;
}

long long statusField(const std::filesystem::path& status, const std::string& key) {
    std::ifstream in(status);
    for (std::string line; std::getline(in, line);)
        if (line.compare(0, key.size(), key) == 0) return std::atoll(line.c_str() + key.size());
    return 0;
}

double cpuOf(pid_t pid) {
    std::ifstream in("/proc/" + std::to_string(pid) + "/stat");
    std::string all((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const auto close = all.rfind(')');
    if (close == std::string::npos) return 0;
    std::istringstream fields(all.substr(close + 2));
    std::vector<std::string> f;
    for (std::string s; fields >> s;) f.push_back(s);
    // Counted from the state (the third field): utime is the 14th field, stime the 15th.
    if (f.size() < 13) return 0;
    return (std::atof(f[11].c_str()) + std::atof(f[12].c_str())) / static_cast<double>(sysconf(_SC_CLK_TCK));
}

Sample sample(pid_t pid) {
    Sample s;
    s.cpuSeconds = cpuOf(pid);
    const std::filesystem::path proc = "/proc/" + std::to_string(pid);
    std::error_code ec;
    for (const auto& task : std::filesystem::directory_iterator(proc / "task", ec))
        s.wakeups[task.path().filename().string()] = statusField(task.path() / "status", "voluntary_ctxt_switches:");
    s.mainWakeups = statusField(proc / "task" / std::to_string(pid) / "status", "voluntary_ctxt_switches:");
    return s;
}

struct TempRoot {
    TempRoot() {
        path = std::filesystem::temp_directory_path() / ("mvsmall-bench-gui-" + std::to_string(getpid()));
        for (const char* sub : {"config", "data"}) std::filesystem::create_directories(path / sub);
    }
    ~TempRoot() {
        std::error_code ec;
        std::filesystem::remove_all(path, ec);
    }
    std::string file(const char* name) const { return (path / name).string(); }
    std::filesystem::path path;
};

pid_t startGui(const TempRoot& root) {
    const pid_t pid = fork();
    if (pid != 0) return pid;
    const int devnull = open("/dev/null", O_RDWR);
    const int err = open(root.file("stderr.txt").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    dup2(devnull, 0);
    dup2(devnull, 1);
    dup2(err >= 0 ? err : devnull, 2);
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    setenv("MVSMALL_AUDIO_SINK", "fakesink sync=true", 1);
    setenv("MVSMALL_GUI_STEPS", kShowWindows, 1);
    const std::string config = root.file("config"), data = root.file("data");
    execl(MVSMALL_BINARY, MVSMALL_BINARY, "--config", config.c_str(), "--data", data.c_str(),
          static_cast<char*>(nullptr));
    _exit(127);
}

// A signal ends the program as EchoLink closing does; one that hangs is killed.
void endGui(pid_t pid) {
    kill(pid, SIGTERM);
    for (int k = 0; k < 50; ++k) {
        if (waitpid(pid, nullptr, WNOHANG) == pid) return;
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
}

std::string errorsOf(const TempRoot& root) {
    std::ifstream in(root.file("stderr.txt"));
    std::string errors;
    for (std::string line; std::getline(in, line);)
        if (line.find("ERROR") != std::string::npos) errors += "  " + line + "\n";
    return errors;
}

}  // namespace

void benchGuiIdle(double seconds) {
    TempRoot root;
    const pid_t pid = startGui(root);
    if (pid < 0) {
        std::printf("idle.gui_cpu                  (could not start the program)\n");
        return;
    }
    std::this_thread::sleep_for(std::chrono::duration<double>(kSettleSeconds));
    if (waitpid(pid, nullptr, WNOHANG) == pid) {
        std::printf("idle.gui_cpu                  (the program ended at start)\n%s", errorsOf(root).c_str());
        return;
    }
    const Sample before = sample(pid);
    const auto started = std::chrono::steady_clock::now();
    std::this_thread::sleep_for(std::chrono::duration<double>(seconds));
    const Sample after = sample(pid);
    const double wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    endGui(pid);
    const double cpu = after.cpuSeconds - before.cpuSeconds;
    std::printf("idle.gui_cpu                  %10.3f %%        (%.2f s processor over %.1f s; launcher and 3 tool "
                "windows shown, offscreen)\n",
                100.0 * cpu / wall, cpu, wall);
    std::printf("idle.gui_wakeups              %10.0f /s       (voluntary context switches, every thread; the Qt "
                "thread %.0f /s)\n",
                wakeupsBetween(before, after) / wall, (after.mainWakeups - before.mainWakeups) / wall);
    const std::string errors = errorsOf(root);
    if (!errors.empty()) std::printf("idle.gui: the program reported\n%s", errors.c_str());
}
#else
void benchGuiIdle(double) { std::printf("idle.gui_cpu                  (not built)\n"); }
#endif
