// mvsmall: the station-automation suite. `--headless` runs it without windows.
#include <cstdio>
#include <cstring>
#include <iostream>
#include <string>

#include "app/app.h"
#include "app/headless/console.h"

int main(int argc, char** argv) {
    return runConsoleMain(argc, argv);
}
