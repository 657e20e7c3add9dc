// mvsmall: the station-automation suite. The windows where there is a display, the headless
// console with `--headless` or without one; the program's start is the launcher's creation either way.
#include <cstring>
#include <iostream>

#include "app/headless/console.h"
#ifdef MVSMALL_HAVE_GUI
#include "gui/gui_main.h"
#endif

int main(int argc, char** argv) {
    if (wantsUsage(argc, argv)) {
        std::cout << usageText();
        return 0;
    }
#ifdef MVSMALL_HAVE_GUI
    bool headless = false;
    for (int i = 1; i < argc; ++i) headless = headless || std::strcmp(argv[i], "--headless") == 0;
    if (!headless && guiDisplayAvailable()) return runGuiMain(argc, argv);
#endif
    return runConsoleMain(argc, argv);
}
