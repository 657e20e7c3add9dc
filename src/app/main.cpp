// mvsmall: the station-automation suite. The windows where there is a display, the headless
// console with `--headless` or without one; the program's start is the launcher's creation either way.
#include <cstring>
#include <iostream>
#include <system_error>

#include "app/headless/console.h"
#ifdef MVSMALL_HAVE_GUI
#include "gui/gui_main.h"
#endif

int main(int argc, char** argv) {
    if (wantsUsage(argc, argv)) {
        std::cout << usageText();
        return 0;
    }
    try {
#ifdef MVSMALL_HAVE_GUI
        bool headless = false;
        for (int i = 1; i < argc; ++i) headless = headless || std::strcmp(argv[i], "--headless") == 0;
        if (!headless && guiDisplayAvailable()) return runGuiMain(argc, argv);
#endif
        return runConsoleMain(argc, argv);
    } catch (const std::system_error& e) {
        // A machine at its limit on threads, before the loop runs (once it runs, a handler that
        // cannot get a thread fails on its own): the program says so instead of aborting.
        std::cerr << "ERROR the program cannot start: no thread could be started (" << e.what() << ")\n";
        return 1;
    }
}
