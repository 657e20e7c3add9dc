#include "app/headless/console.h"

#include <cstring>
#include <iostream>

#include "core/datetime.h"

bool foldersUsable(const Folders& folders) {
    const std::string problem = foldersProblem(folders);
    if (problem.empty()) return true;
    std::cerr << "ERROR " << problem << '\n' << std::flush;
    return false;
}

bool wantsUsage(int argc, char** argv) {
    for (int i = 1; i < argc; ++i)
        if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) return true;
    return false;
}

std::string usageText() {
    return "Usage:\n"
           "  mvsmall [--config DIR] [--data DIR] [--callsign CALL]\n"
           "      the windows and the simulator panel (where there is a display; headless otherwise)\n"
           "  mvsmall --headless [--virtual-time \"YYYY-MM-DD hh:mm:ss\"] [--config DIR] [--data DIR] [--callsign CALL]\n"
           "      no windows: simulator commands on standard input, the on-air transcript on standard output\n"
           "Options:\n"
           "  --config DIR       settings folder (default $MVSMALL_CONFIG_DIR, else $XDG_CONFIG_HOME/mvsmall,\n"
           "                     else ~/.config/mvsmall)\n"
           "  --data DIR         the program's data folder (default $MVSMALL_DATA_DIR, else $XDG_DATA_HOME/mvsmall,\n"
           "                     else ~/.local/share/mvsmall)\n"
           "  --callsign CALL    the simulated node's callsign (default N0CALL-L)\n"
           "  --virtual-time T   headless only: a virtual clock from T, as fast as the machine allows;\n"
           "                     the end of the input ends the run\n"
           "  --help             this text\n";
}

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
