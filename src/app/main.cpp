// mvsmall: the station-automation suite. `--headless` runs it without windows; the program's
// start is the launcher's creation either way.
#include "app/headless/console.h"

int main(int argc, char** argv) { return runConsoleMain(argc, argv); }
