#include "app/headless/console.h"

#include "core/datetime.h"

std::optional<ConsoleOptions> parseConsoleOptions(int argc, char** argv, std::string& error) {
    ConsoleOptions o;
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        auto value = [&](std::string& into) {
            if (i + 1 >= argc) {
                error = a + " needs a value";
                return false;
            }
            into = argv[++i];
            return true;
        };
        std::string v;
        if (a == "--headless") {
            o.headless = true;
        } else if (a == "--virtual-time") {
            if (!value(v)) return std::nullopt;
            o.virtualStart = parseDateTime(v);
            if (!o.virtualStart) {
                error = "--virtual-time wants \"YYYY-MM-DD hh:mm:ss\", not \"" + v + "\"";
                return std::nullopt;
            }
        } else if (a == "--config") {
            if (!value(o.folders.config)) return std::nullopt;
        } else if (a == "--data") {
            if (!value(o.folders.data)) return std::nullopt;
        } else if (a == "--callsign") {
            if (!value(o.callsign)) return std::nullopt;
        } else {
            error = "unknown option " + a;
            return std::nullopt;
        }
    }
    return o;
}
