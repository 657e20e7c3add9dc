#pragma once
// Runs the real program headless with a scripted standard input, in temporary folders.
#include <string>
#include <vector>

#include "support/station_fixture.h"

struct BinaryRun {
    int exitCode = -1;
    std::vector<std::string> out;   // standard output, line by line
    std::string err;
};

// `input` goes to standard input; `args` follow "--headless --config DIR --data DIR" and are
// passed as given (quote them for the shell). The run is cut off after a minute.
BinaryRun runHeadless(const TempFolder& folder, const std::string& input, const std::string& args);
