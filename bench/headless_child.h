#pragma once
// The real program started headless as a child process, its console on two pipes, for the
// benchmarks that feed it a script and read its transcript while they measure it.
#include <sys/types.h>

#include <string>
#include <vector>

struct HeadlessChild {
    pid_t pid = -1;
    int input = -1;    // the write end of its standard input
    int output = -1;   // the read end of its standard output
    bool started() const { return pid > 0; }
};

// `args` follow the binary's path; its standard error is dropped; the names in `unsetEnv` are
// taken out of its environment.
HeadlessChild startHeadlessChild(const std::vector<std::string>& args, const std::vector<std::string>& unsetEnv = {});
