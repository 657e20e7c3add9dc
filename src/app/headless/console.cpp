#include "app/headless/console.h"

#include <iostream>
#include <string>

#include "app/app.h"
#include "core/datetime.h"
#include "core/text.h"
#include "platform/doubles/scripted_services.h"
#include "platform/doubles/virtual_audio.h"

int runConsoleMain(int argc, char** argv) {
    AppOptions options;
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        auto next = [&]() -> std::string { return i + 1 < argc ? argv[++i] : ""; };
        if (a == "--virtual-time") {
            auto t = parseDateTime(next());
            if (!t) {
                std::cerr << "ERROR bad --virtual-time\n";
                return 2;
            }
            options.virtualStart = *t;
        } else if (a == "--config") {
            options.folders.config = next();
        } else if (a == "--data") {
            options.folders.data = next();
        } else if (a == "--callsign") {
            options.callsign = next();
        }
    }
    // Until the console is complete: doubles only, virtual time.
    if (!options.virtualStart) options.virtualStart = parseDateTime("2026-01-01 00:00:00");
    auto clock = std::make_shared<VirtualClock>(*options.virtualStart);
    options.clock = clock;
    Services services;
    services.audio = std::make_unique<VirtualAudioService>(*clock);
    services.speech = std::make_unique<RecordingSpeech>(*clock);
    auto offline = std::make_unique<OfflineTransfer>();
    services.webText = std::make_unique<OfflineTransfer>();
    services.transfer = std::move(offline);
    services.shell = std::make_unique<RecordingShell>();
    services.dialogs = std::make_unique<ScriptedDialogs>();
    services.tray = std::make_unique<FakeTray>(false);
    App app(options, std::move(services));
    app.transcript().onLine([](const std::string& l) { std::cout << l << '\n' << std::flush; });
    app.act([&] { app.createStartupWindows(); });
    std::string line;
    while (!app.ended() && std::getline(std::cin, line)) {
        line = trimWhitespace(line);
        if (line.empty() || line[0] == '#') continue;
        if (startsWith(line, "wait ")) app.act([&] { app.loop().runFor(static_cast<std::int64_t>(val(line.substr(5)) * 1000)); });
        else if (line == "quit") break;
        else std::cerr << "ERROR unknown command: " << line << '\n';
    }
    return 0;
}
