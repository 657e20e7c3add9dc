// What the operator feels, in figures with their units:
//   day        wall time to simulate one station day with every schedule live (virtual time)
//   startup    wall time until every start-up window is created (real services, no update fetch)
//   idle       processor time of the real-time station over N seconds with every window created
//              (first-start settings), against one polling timer thread per window
//   dtmf       delay from a DTMF event to the transmitter keyed, in real time
//   memory     peak resident memory of the headless program (and of the GUI where it is built)
//   gui        processor use and wake-ups of the windowed program idling with windows shown
//   week       resident memory of the headless program after each virtual day of chat traffic
//
//   station_bench [--days N] [--idle-seconds N] [--dtmf-runs N] [--memory-seconds N] [--week-days N]
//                 [--only day|startup|idle|dtmf|memory|files|gui|week]
#include <sys/resource.h>
#include <sys/time.h>
#include <sys/wait.h>
#include <signal.h>
#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "../tests/soak/resident_memory.h"
#include "../tests/soak/station_settings.h"
#include "gui_idle.h"
#include "headless_child.h"
#include "app/app.h"
#include "chat/chat_window.h"
#include "core/datetime.h"
#include "core/settings.h"
#include "core/text.h"
#include "platform/doubles/scripted_services.h"
#include "platform/doubles/virtual_audio.h"
#include "platform/linux_services.h"

namespace {

using Steady = std::chrono::steady_clock;

double secondsSince(Steady::time_point t) { return std::chrono::duration<double>(Steady::now() - t).count(); }

double cpuSeconds(const rusage& r) {
    return r.ru_utime.tv_sec + r.ru_stime.tv_sec + (r.ru_utime.tv_usec + r.ru_stime.tv_usec) / 1e6;
}

double processCpu() {
    rusage r{};
    getrusage(RUSAGE_SELF, &r);
    return cpuSeconds(r);
}

// Temporary settings, data and home folders holding the benchmark station's settings set.
struct Folders3 {
    // With `schedules` the station runs the soak's settings set (every schedule live); without,
    // it starts as on a first start, from the designed values.
    explicit Folders3(bool schedules = true) {
        root = std::filesystem::temp_directory_path() / ("mvsmall-bench-" + std::to_string(getpid()) + "-" +
                                                         std::to_string(counter++));
        for (const char* sub : {"config", "data", "home"}) std::filesystem::create_directories(root / sub);
        if (schedules)
            station_settings::writeAll((root / "data").string(), [&](const std::string& name, const std::string& text) {
                std::ofstream(root / "config" / name, std::ios::binary) << text;
            });
        for (const auto& [name, seconds] : station_settings::soundFiles())
            std::ofstream(root / "data" / name, std::ios::binary) << "RIFF";
    }
    ~Folders3() {
        std::error_code ec;
        std::filesystem::remove_all(root, ec);
    }
    Folders folders() const { return {(root / "config").string(), (root / "data").string(), (root / "home").string()}; }
    std::filesystem::path root;
    static inline int counter = 0;
};

// Services for a real-time station: real playback and speech to a silent sink, the desktop
// shell replaced by a recorder, no network (the update fetch is excluded), scripted dialogs.
Services realServices() {
    setenv("MVSMALL_AUDIO_SINK", "fakesink sync=true", 0);
    Services s;
    s.audio = makeGStreamerAudio();
    s.speech = makeEspeakSpeech(*s.audio);
    s.transfer = std::make_unique<OfflineTransfer>();
    s.webText = std::make_unique<OfflineTransfer>();
    s.shell = std::make_unique<RecordingShell>();
    s.dialogs = std::make_unique<ScriptedDialogs>();
    s.tray = std::make_unique<FakeTray>(false);
    return s;
}

// ---- one station day in virtual time

// A station in virtual time with every start-up window created, its services stand-ins.
std::unique_ptr<App> virtualStation(const Folders3& f, const std::string& start) {
    auto clock = std::make_shared<VirtualClock>(*parseDateTime(start));
    AppOptions o;
    o.clock = clock;
    o.virtualStart = clock->now();
    o.folders = f.folders();
    Services s;
    auto audio = std::make_unique<VirtualAudioService>(*clock);
    for (const auto& [name, seconds] : station_settings::soundFiles()) audio->setLength(o.folders.data + "/" + name, seconds);
    s.audio = std::move(audio);
    s.speech = std::make_unique<RecordingSpeech>(*clock);
    s.transfer = std::make_unique<OfflineTransfer>();
    s.webText = std::make_unique<OfflineTransfer>();
    s.shell = std::make_unique<RecordingShell>();
    s.dialogs = std::make_unique<ScriptedDialogs>();
    s.tray = std::make_unique<FakeTray>(false);
    auto app = std::make_unique<App>(o, std::move(s));
    app->act([&] { app->createStartupWindows(); });
    return app;
}

void benchDay(double days) {
    Folders3 f;
    auto station = virtualStation(f, "2026-12-10 00:00:00");
    App& app = *station;
    // A little traffic every quarter hour keeps the connect-driven schedules busy too.
    const auto started = Steady::now();
    const double cpu0 = processCpu();
    const std::uint64_t dispatched0 = app.loop().dispatched();
    const auto quarters = static_cast<int>(days * 96);
    for (int q = 0; q < quarters; ++q) {
        app.act([&] {
            if (q % 4 == 0) app.node().stationConnects("W1ABC");
            if (q % 4 == 2) app.node().stationDisconnects("W1ABC");
            if (q % 8 == 1) app.node().receiveDtmf("#99");
            app.loop().runFor(15 * 60'000);
        });
    }
    const double wall = secondsSince(started);
    const double cpu = processCpu() - cpu0;
    const double perDay = wall / days;
    std::printf("day.wall_per_station_day      %10.2f s        (%.1f days simulated, %.0fx real time)\n", perDay, days,
                86400.0 / perDay);
    std::printf("day.cpu_per_station_day       %10.2f s\n", cpu / days);
    std::printf("day.dispatches_per_second     %10.0f /s       (%llu timer ticks and events)\n",
                (app.loop().dispatched() - dispatched0) / wall,
                static_cast<unsigned long long>(app.loop().dispatched() - dispatched0));
    std::printf("day.transcript_lines          %10zu lines\n", app.transcript().lines().size());
}

// ---- start-up and idle in real time

std::unique_ptr<App> realStation(const Folders3& f, double* startupSeconds) {
    AppOptions o;
    o.clock = std::make_shared<RealClock>();
    o.folders = f.folders();
    const auto started = Steady::now();
    auto app = std::make_unique<App>(o, realServices());
    app->act([&] { app->createStartupWindows(); });
    if (startupSeconds) *startupSeconds = secondsSince(started);
    return app;
}

void benchStartup() {
    std::vector<double> times;
    for (int k = 0; k < 5; ++k) {
        Folders3 f;
        double t = 0;
        auto app = realStation(f, &t);
        times.push_back(t);
    }
    std::sort(times.begin(), times.end());
    std::printf("startup.all_windows_median    %10.1f ms       (best %.1f ms, worst %.1f ms, %zu windows)\n",
                times[times.size() / 2] * 1000, times.front() * 1000, times.back() * 1000,
                App::startupOrder().size());
}

// The obvious alternative to one shared loop: every window polls on its own thread at the finest
// timer interval (16 ms), doing nothing but look whether anything is due.
double pollingThreadsCpu(int windows, double seconds) {
    std::atomic<bool> stop{false};
    std::atomic<long> polls{0};
    std::vector<std::thread> threads;
    const double cpu0 = processCpu();
    for (int w = 0; w < windows; ++w)
        threads.emplace_back([&] {
            auto next = Steady::now();
            while (!stop) {
                next += std::chrono::milliseconds(16);
                std::this_thread::sleep_until(next);
                polls.fetch_add(1, std::memory_order_relaxed);
            }
        });
    std::this_thread::sleep_for(std::chrono::duration<double>(seconds));
    stop = true;
    for (auto& t : threads) t.join();
    return processCpu() - cpu0;
}

void benchIdle(double seconds) {
    Folders3 f(false);
    auto app = realStation(f, nullptr);
    const int windows = static_cast<int>(app->existingForms().size());
    const std::uint64_t dispatched0 = app->loop().dispatched();
    const std::uint64_t wakeups0 = app->loop().wakeups();
    const double cpu0 = processCpu();
    const auto started = Steady::now();
    app->act([&] { app->loop().runFor(static_cast<std::int64_t>(seconds * 1000)); });
    const double wall = secondsSince(started);
    const double cpu = processCpu() - cpu0;
    const double dispatches = static_cast<double>(app->loop().dispatched() - dispatched0);
    std::printf("idle.shared_loop_cpu          %10.3f %%        (%.2f s processor over %.1f s, %d windows, %.0f ticks/s)\n",
                100.0 * cpu / wall, cpu, wall, windows, dispatches / wall);
    std::printf("idle.shared_loop_wakeups      %10.1f /s       (one 16 ms grid step is 62.5 a second)\n",
                static_cast<double>(app->loop().wakeups() - wakeups0) / wall);
    const double polling = pollingThreadsCpu(windows, seconds);
    std::printf("idle.thread_per_window_cpu    %10.3f %%        (%d threads polling every 16 ms)\n",
                100.0 * polling / seconds, windows);
    std::printf("idle.ratio_polling_to_shared  %10.2f x\n", cpu > 0 ? polling / cpu : 0.0);
    // What waking on every grid step costs by itself on this machine: the floor under the figure
    // above, whatever the ticks do.
    const double bare = pollingThreadsCpu(1, seconds);
    std::printf("idle.bare_16ms_wakeups_cpu    %10.3f %%        (one thread doing nothing but wake every 16 ms)\n",
                100.0 * bare / seconds);
}

// ---- DTMF to key, real time

void benchDtmf(int runs) {
    Folders3 f;
    auto app = realStation(f, nullptr);
    std::mutex m;
    std::condition_variable cv;
    bool keyed = false;
    Steady::time_point keyedAt;
    app->transcript().onLine([&](const std::string& line) {
        if (line.find("KEY on") != std::string::npos) {
            std::lock_guard<std::mutex> lock(m);
            if (!keyed) {
                keyed = true;
                keyedAt = Steady::now();
            }
        }
    });
    std::vector<double> delays;
    std::srand(12345);
    for (int k = 0; k < runs; ++k) {
        // Let whatever went on the air end, then send the time-of-day code.
        for (int wait = 0; wait < 300 && app->node().keyed(); ++wait)
            app->act([&] { app->loop().runFor(100); });
        // A random phase against the once-a-second scheduler that serves the speech queue.
        app->act([&] { app->loop().runFor(500 + std::rand() % 1000); });
        {
            std::lock_guard<std::mutex> lock(m);
            keyed = false;
        }
        const auto sent = Steady::now();
        app->act([&] { app->node().receiveDtmf("#99"); });
        for (int wait = 0; wait < 200; ++wait) {
            app->act([&] { app->loop().runFor(5); });
            std::lock_guard<std::mutex> lock(m);
            if (keyed) break;
        }
        std::lock_guard<std::mutex> lock(m);
        if (keyed) delays.push_back(std::chrono::duration<double>(keyedAt - sent).count());
    }
    if (delays.empty()) {
        std::printf("dtmf.to_key                   (the transmitter never keyed)\n");
        return;
    }
    std::sort(delays.begin(), delays.end());
    std::printf("dtmf.to_key_median            %10.1f ms       (best %.1f ms, worst %.1f ms, %zu of %d runs keyed)\n",
                delays[delays.size() / 2] * 1000, delays.front() * 1000, delays.back() * 1000, delays.size(), runs);
}

// ---- peak memory of the programs

long peakKilobytes(const std::vector<std::string>& args, double seconds, bool gui) {
    int in[2];
    if (pipe(in) != 0) return -1;
    const pid_t pid = fork();
    if (pid == 0) {
        dup2(in[0], 0);
        close(in[1]);
        const int devnull = open("/dev/null", O_WRONLY);
        dup2(devnull, 1);
        dup2(devnull, 2);
        if (gui) setenv("QT_QPA_PLATFORM", "offscreen", 1);
        std::vector<char*> argv;
        for (const auto& a : args) argv.push_back(const_cast<char*>(a.c_str()));
        argv.push_back(nullptr);
        execv(argv[0], argv.data());
        _exit(127);
    }
    close(in[0]);
    std::this_thread::sleep_for(std::chrono::duration<double>(seconds));
    const char quit[] = "quit\n";
    (void)!write(in[1], quit, sizeof quit - 1);
    close(in[1]);
    int status = 0;
    rusage r{};
    for (int k = 0; k < 50; ++k) {
        if (wait4(pid, &status, WNOHANG, &r) == pid) return r.ru_maxrss;
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    kill(pid, SIGTERM);
    wait4(pid, &status, 0, &r);
    return r.ru_maxrss;
}

void benchMemory(double seconds) {
    Folders3 f;
    const Folders fo = f.folders();
    const long headless = peakKilobytes({MVSMALL_BINARY, "--headless", "--config", fo.config, "--data", fo.data}, seconds, false);
    std::printf("memory.headless_peak          %10.1f MiB\n", headless / 1024.0);
#ifdef MVSMALL_HAVE_GUI
    const long gui = peakKilobytes({MVSMALL_BINARY, "--config", fo.config, "--data", fo.data}, seconds, true);
    std::printf("memory.gui_peak               %10.1f MiB      (offscreen)\n", gui / 1024.0);
#else
    std::printf("memory.gui_peak               (not built)\n");
#endif
    rusage self{};
    getrusage(RUSAGE_SELF, &self);
    std::printf("memory.bench_process_peak     %10.1f MiB      (this program, every station above)\n",
                self.ru_maxrss / 1024.0);
}

// ---- a week of chat traffic: the headless program's resident memory day by day

// One day of remote traffic in console commands: every five minutes a station connects, says
// one line to the chat and one private message to the node, and leaves three minutes later
// (288 connects and 576 chat lines a day), each line different from every other.
std::string trafficDay(int day) {
    std::string script;
    for (int k = 0; k < 288; ++k) {
        const std::string call = "W" + std::to_string(k % 10) + "ABC", n = std::to_string(day * 288 + k);
        script += "connect " + call + " Name 10.0.0." + std::to_string(k % 250 + 1) + "\nwait 30\n";
        script += "chat " + call + ">good evening from the far end, line " + n + "\nwait 90\n";
        script += "chat " + call + ">:N0CALL-L~a private word for the sysop, message " + n + "\nwait 60\n";
        script += "disconnect " + call + "\nwait 120\n";
    }
    return script;
}

void benchWeek(int days) {
    Folders3 f;
    const Folders fo = f.folders();
    const HeadlessChild child = startHeadlessChild(
        {"--headless", "--virtual-time", "2026-12-10 00:00:00", "--config", fo.config, "--data", fo.data});
    if (!child.started()) return;
    const pid_t pid = child.pid;
    // The transcript is read and dropped as it comes; each answer to a `get` marks a day's end.
    std::mutex m;
    std::condition_variable cv;
    int answers = 0;
    std::thread reader([&] {
        FILE* lines = fdopen(child.output, "r");
        char* line = nullptr;
        size_t size = 0;
        while (getline(&line, &size, lines) > 0) {
            if (std::strncmp(line, "= ", 2) != 0) continue;
            std::lock_guard<std::mutex> lock(m);
            ++answers;
            cv.notify_all();
        }
        free(line);
        fclose(lines);
        std::lock_guard<std::mutex> lock(m);
        answers = -1;   // the program has gone
        cv.notify_all();
    });
    auto endOfDay = [&](int day, const std::string& script) {
        const std::string all = script + "get Form1.Label1\n";
        for (size_t done = 0; done < all.size();) {
            const ssize_t n = write(child.input, all.data() + done, all.size() - done);
            if (n <= 0) return -1L;
            done += static_cast<size_t>(n);
        }
        std::unique_lock<std::mutex> lock(m);
        cv.wait(lock, [&] { return answers < 0 || answers > day; });
        return answers < 0 ? -1L : residentKilobytes(pid);
    };
    const auto started = Steady::now();
    std::vector<long> resident;
    for (int day = 0; day <= days; ++day) {
        const long kb = endOfDay(day, day == 0 ? "" : trafficDay(day));
        if (kb < 0) break;
        resident.push_back(kb);
    }
    close(child.input);
    reader.join();
    int status = 0;
    waitpid(pid, &status, 0);
    if (resident.empty()) {
        std::printf("week.resident                 (the program did not answer)\n");
        return;
    }
    std::printf("week.resident_after_start     %10.1f MiB      (headless, virtual time, the soak's settings set)\n",
                resident[0] / 1024.0);
    for (size_t day = 1; day < resident.size(); ++day)
        std::printf("week.resident_day_%-2zu          %10.1f MiB      (%+.1f MiB on the day; 288 connects, 576 chat lines)\n",
                    day, resident[day] / 1024.0, (resident[day] - resident[day - 1]) / 1024.0);
    // The panes and histories reach their bound during the second day (about 40 KB of chat a day).
    if (resident.size() > 3)
        std::printf("week.growth_after_day_2       %10.3f MiB/day  (%.1f s wall for %zu days)\n",
                    (resident.back() - resident[2]) / 1024.0 / static_cast<double>(resident.size() - 3),
                    secondsSince(started), resident.size() - 1);
}

// Reading and saving a settings file of many keys, and a text-box log taking many entries: both
// must grow with their size, not with its square.
void benchFiles() {
    const auto folder = std::filesystem::temp_directory_path() / ("mvsmall-bench-files-" + std::to_string(getpid()));
    std::filesystem::create_directories(folder);
    const std::string path = (folder / "many.ini").string();
    for (const int keys : {40'000, 160'000}) {
        {
            std::ofstream out(path, std::ios::binary | std::ios::trunc);
            out << "[SETTINGS]\n";
            for (int k = 0; k < keys; ++k) out << "KEY" << k << "=value of key " << k << " padded to be longer\n";
        }
        const double mb = static_cast<double>(std::filesystem::file_size(path)) / (1024.0 * 1024.0);
        auto t = Steady::now();
        SettingsFile ini(path);
        const double read = secondsSince(t);
        t = Steady::now();
        for (int k = 0; k < keys; k += 7) ini.write("KEY" + std::to_string(k), "changed");
        ini.save();
        const double save = secondsSince(t);
        std::printf("files.settings_read_%-9d %10.1f ms       (%.1f MB); write a seventh and save: %.1f ms\n", keys,
                    read * 1000, mb, save * 1000);
    }
    std::string log;
    const auto t = Steady::now();
    for (int k = 0; k < 20'000; ++k)
        log = appendToLog(log, "10/12/2026 at 12:00:00 W1ABC>:N0CALL-L~ a message for the sysop number " +
                                   std::to_string(k) + "\r\n\r\n");
    std::printf("files.sysop_log_20000_entries  %10.1f ms       (the log holds %zu characters)\n",
                secondsSince(t) * 1000, log.size());
    // A remote station flooding the node with private messages, each one answered.
    {
        Folders3 f(false);
        auto station = virtualStation(f, "2026-12-10 12:00:00");
        Messages& chat = station->messages();
        const auto flood = Steady::now();
        for (int k = 0; k < 60'000; ++k)
            station->act([&] {
                station->node().receiveChat("W1ABC>:N0CALL-L~ a private word for the sysop, message " + std::to_string(k));
                station->loop().runFor(0);
            });
        std::printf("files.private_messages_60000   %10.1f ms       (the pane holds %zu characters)\n",
                    secondsSince(flood) * 1000, chat.Text3.text().size());
    }
    std::error_code ec;
    std::filesystem::remove_all(folder, ec);
}

}  // namespace

int main(int argc, char** argv) {
    double idleSeconds = 60, days = 1, memorySeconds = 3;
    int dtmfRuns = 10, weekDays = 7;
    std::string only;
    for (int k = 1; k < argc; ++k) {
        const std::string a = argv[k];
        const char* v = k + 1 < argc ? argv[k + 1] : nullptr;
        if (a == "--idle-seconds" && v) idleSeconds = std::atof(argv[++k]);
        else if (a == "--days" && v) days = std::atof(argv[++k]);
        else if (a == "--dtmf-runs" && v) dtmfRuns = std::atoi(argv[++k]);
        else if (a == "--memory-seconds" && v) memorySeconds = std::atof(argv[++k]);
        else if (a == "--week-days" && v) weekDays = std::atoi(argv[++k]);
        else if (a == "--only" && v) only = argv[++k];
        else {
            std::fprintf(stderr,
                         "usage: %s [--days N] [--idle-seconds N] [--dtmf-runs N] [--memory-seconds N] "
                         "[--week-days N] [--only day|startup|idle|dtmf|memory|files|gui|week]\n",
                         argv[0]);
            return 2;
        }
    }
    auto want = [&](const char* name) { return only.empty() || only == name; };
    if (want("day")) benchDay(days);
    if (want("startup")) benchStartup();
    if (want("idle")) benchIdle(idleSeconds);
    if (want("dtmf")) benchDtmf(dtmfRuns);
    if (want("memory")) benchMemory(memorySeconds);
    if (want("files")) benchFiles();
    if (want("gui")) benchGuiIdle(idleSeconds);
    if (want("week")) benchWeek(weekDays);
    return 0;
}
