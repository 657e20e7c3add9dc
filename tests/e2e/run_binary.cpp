#include "e2e/run_binary.h"

#include <sys/wait.h>

#include <cstdio>
#include <sstream>

BinaryRun runHeadless(const TempFolder& folder, const std::string& input, const std::string& args) {
    folder.write("input.txt", input);
    const std::string command = "timeout 60 '" MVSMALL_BINARY "' --headless --config '" + folder.file("config") +
                                "' --data '" + folder.file("data") + "' " + args + " < '" + folder.file("input.txt") +
                                "' 2> '" + folder.file("stderr.txt") + "'";
    BinaryRun run;
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) return run;
    std::string text;
    char buf[4096];
    size_t n;
    while ((n = fread(buf, 1, sizeof buf, pipe)) > 0) text.append(buf, n);
    const int status = pclose(pipe);
    run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    std::istringstream lines(text);
    for (std::string l; std::getline(lines, l);) run.out.push_back(l);
    run.err = folder.read("stderr.txt");
    return run;
}
