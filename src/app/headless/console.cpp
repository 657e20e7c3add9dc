#include "app/headless/console.h"

#include <unistd.h>

#include <chrono>
#include <iostream>
#include <memory>
#include <mutex>
#include <thread>

#include "app/ending_signals.h"
#include "app/headless/answering_dialogs.h"
#include "app/headless/input_lines.h"
#include "app/standard_output.h"
#include "echolink/forced_release.h"

namespace {
AppOptions appOptions(const ConsoleOptions& o, std::shared_ptr<Clock> clock) {
    AppOptions a;
    a.clock = std::move(clock);
    a.virtualStart = o.virtualStart;
    a.folders = o.folders;
    a.callsign = o.callsign;
    a.keepTranscript = false;   // printed as it comes; nobody reads it back
    return a;
}

void printTranscript(App& app) {
    app.transcript().onLine([](const std::string& line) { std::cout << line << '\n' << std::flush; });
}

void badWait(const std::string& argument) { std::cerr << "ERROR " << Console::waitError(argument) << '\n' << std::flush; }

// Virtual time: the clock moves only by `wait` and by blocking work; the end of the input ends
// the run, so the same input always gives the same transcript.
int runVirtualTime(const ConsoleOptions& o, int signalFd) {
    auto clock = std::make_shared<VirtualClock>(*o.virtualStart);
    auto dialogs = std::make_unique<AnsweringDialogs>();
    AnsweringDialogs* answering = dialogs.get();
    App app(appOptions(o, clock), virtualTimeServices(*clock, std::move(dialogs)));
    printTranscript(app);
    Console console(app, answering, std::cout, std::cerr);
    EventLoop& loop = app.loop();
    auto runDue = [&] { app.act([&] { loop.runFor(0); }); };

    loop.post([&] { startProgram(app); });
    runDue();
    InputLines input(STDIN_FILENO, signalFd);
    std::string line;
    while (!app.ended()) {
        const auto got = input.next(line);
        if (got == InputLines::Got::End) break;
        if (got == InputLines::Got::Signal) {
            app.act([&] { app.echoLinkClosing(); });
            break;
        }
        const auto parts = Console::split(line);
        if (!parts) continue;
        if (parts->first == "wait") {
            if (auto ms = Console::waitMs(parts->second, clock->now())) app.act([&] { loop.runFor(*ms); });
            else badWait(parts->second);
            continue;
        }
        loop.post([&console, line] { console.execute(line); });
        runDue();
    }
    if (!app.ended()) app.act([&] { app.endProgram(); });
    return app.exitStatus();
}

// What the input thread shares with the loop; the loop side is cleared before it goes away.
struct Inbox {
    std::shared_ptr<const Clock> clock;   // read from the input thread: the real clock only
    std::mutex mutex;
    EventLoop* loop = nullptr;
    Console* console = nullptr;
    App* app = nullptr;

    // Hands one command to the loop; false once the run is over.
    bool post(std::function<void(Console&, App&)> work) {
        std::lock_guard<std::mutex> lock(mutex);
        if (!loop) return false;
        Console* c = console;
        App* a = app;
        loop->post([c, a, work] { work(*c, *a); });
        return true;
    }
    void close() {
        std::lock_guard<std::mutex> lock(mutex);
        loop = nullptr;
    }
};

// Closes the inbox however the run ends, a thread that could not be started included, so the
// input thread never posts to a loop that has gone.
struct InboxClosing {
    std::shared_ptr<Inbox> inbox;
    ~InboxClosing() { inbox->close(); }
};

void readInput(std::shared_ptr<Inbox> inbox) {
    std::string line;
    while (std::getline(std::cin, line)) {
        const auto parts = Console::split(line);
        if (!parts) continue;
        if (parts->first == "wait") {
            // Holds back the commands that follow; the station runs on meanwhile.
            if (auto ms = Console::waitMs(parts->second, inbox->clock->now())) std::this_thread::sleep_for(std::chrono::milliseconds(*ms));
            else if (!inbox->post([arg = parts->second](Console&, App&) { badWait(arg); })) return;
            continue;
        }
        if (!inbox->post([line](Console& c, App&) { c.execute(line); })) return;
    }
}

// A signal ends the program as EchoLink closing does, on the loop's thread.
void watchSignals(std::shared_ptr<Inbox> inbox, int signalFd) {
    if (readEndingSignal(signalFd) != 0) inbox->post([](Console&, App& app) { app.echoLinkClosing(); });
}

// Real time: the machine's clock and services; commands arrive from an input thread; the run
// goes on until `quit` or until the program ends.
int runRealTime(const ConsoleOptions& o, int signalFd) {
    auto clock = std::make_shared<RealClock>();
    auto dialogs = std::make_unique<AnsweringDialogs>();
    AnsweringDialogs* answering = dialogs.get();
    App app(appOptions(o, clock), realTimeServices(*clock, std::move(dialogs)));
    printTranscript(app);
    Console console(app, answering, std::cout, std::cerr);

    auto inbox = std::make_shared<Inbox>();
    inbox->clock = clock;
    inbox->loop = &app.loop();
    inbox->console = &console;
    inbox->app = &app;
    const InboxClosing closing{inbox};
    app.loop().post([&] { startProgram(app); });
    std::thread(readInput, inbox).detach();
    if (signalFd >= 0) std::thread(watchSignals, inbox, signalFd).detach();
    app.act([&] { app.loop().run(); });
    return app.exitStatus();
}
}  // namespace

// The launcher's creation is the program's start: it checks, then creates every tool window.
void startProgram(App& app) {
    EventLoop::NamedHandler named(app.loop(), "start-up");
    app.form5();
}

int runConsoleMain(int argc, char** argv) {
    std::string error;
    const auto options = parseConsoleOptions(argc, argv, error);
    if (!options) {
        std::cerr << "ERROR " << error << '\n';
        return 2;
    }
    if (!foldersUsable(options->folders)) return 1;
    // Before any thread starts, so every thread leaves the signals to the loop.
    const int signalFd = takeEndingSignals();
    setForcedEndRelease(releaseHeldOnAir);
    StandardOutput output;
    return options->virtualStart ? runVirtualTime(*options, signalFd) : runRealTime(*options, signalFd);
}
