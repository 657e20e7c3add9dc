#include "gui/gui_main.h"

#include <QApplication>
#include <QSocketNotifier>
#include <cstdlib>
#include <iostream>
#include <memory>
#include <optional>
#include <string>

#include "app/app.h"
#include "app/ending_signals.h"
#include "echolink/forced_release.h"
#include "app/headless/console.h"
#include "app/standard_output.h"
#include "gui/gui_session.h"
#include "gui/operator_script.h"
#include "gui/qt_dialogs.h"
#include "platform/linux_services.h"

bool guiDisplayAvailable() {
    for (const char* var : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) {
        const char* v = std::getenv(var);
        if (v && *v) return true;
    }
    return false;
}

namespace {
// The console's options, read after Qt has taken its own (-platform, -display, ...).
std::optional<AppOptions> readOptions(int argc, char** argv) {
    std::string error;
    const auto o = parseConsoleOptions(argc, argv, error);
    if (o && o->virtualStart) error = "--virtual-time runs only with --headless";
    if (!o || o->virtualStart) {
        std::cerr << "ERROR " << error << "\n" << usageText() << std::flush;
        return std::nullopt;
    }
    AppOptions options;
    options.folders = o->folders;
    options.callsign = o->callsign;
    options.keepTranscript = false;   // printed as it comes; nobody reads it back
    return options;
}
}  // namespace

int runGuiMain(int argc, char** argv) {
    // Before Qt starts its threads, so every thread leaves the signals to the loop.
    const int signalFd = takeEndingSignals();
    setForcedEndRelease(releaseHeldOnAir);
    StandardOutput output;
    QApplication qt(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);   // the program ends when the station ends

    std::optional<AppOptions> read = readOptions(argc, argv);
    if (!read) return 2;
    if (!foldersUsable(read->folders)) return 1;
    AppOptions options = *read;
    auto clock = std::make_shared<RealClock>();
    options.clock = clock;
    Services services;
    services.audio = makeGStreamerAudio();
    services.speech = makeEspeakSpeech(*services.audio, *clock, endSignalArrived);
    services.transfer = makeCurlTransfer();
    services.webText = makeWebPageText();
    services.shell = makeDesktopShell();
    services.dialogs = std::make_unique<QtDialogs>();
    auto tray = std::make_unique<QtTray>();
    QtTray* trayIcon = tray.get();
    services.tray = std::move(tray);

    App app(options, std::move(services));
    trayIcon->setDispatch([&app](std::function<void()> click) { app.loop().post(std::move(click)); });
    app.transcript().onLine([](const std::string& line) { std::cout << line << '\n' << std::flush; });

    // A signal ends the program as EchoLink closing does, through the loop like any other event.
    std::unique_ptr<QSocketNotifier> signalNotifier;
    if (signalFd >= 0) {
        signalNotifier = std::make_unique<QSocketNotifier>(signalFd, QSocketNotifier::Read);
        QObject::connect(signalNotifier.get(), &QSocketNotifier::activated, [&app, signalFd] {
            if (readEndingSignal(signalFd) != 0) app.loop().post([&app] { app.echoLinkClosing(); });
        });
    }

    // Not quit(): Qt would first ask every window to close, and a window's close belongs to the
    // station (most refuse it, some end the program their own way).
    GuiSession session(app, [] { QCoreApplication::exit(0); });
    OperatorScript script(session, OperatorScript::fromEnvironment());
    const int qtStatus = QApplication::exec();
    return qtStatus != 0 ? qtStatus : app.exitStatus();
}
