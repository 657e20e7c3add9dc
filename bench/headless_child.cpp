#include "headless_child.h"

#include <fcntl.h>
#include <unistd.h>

#include <cstdlib>

HeadlessChild startHeadlessChild(const std::vector<std::string>& args, const std::vector<std::string>& unsetEnv) {
    int in[2], out[2];
    if (pipe(in) != 0) return {};
    if (pipe(out) != 0) {
        close(in[0]);
        close(in[1]);
        return {};
    }
    const pid_t pid = fork();
    if (pid == 0) {
        dup2(in[0], 0);
        dup2(out[1], 1);
        const int devnull = open("/dev/null", O_WRONLY);
        dup2(devnull, 2);
        for (const int fd : {in[0], in[1], out[0], out[1]}) close(fd);
        for (const auto& name : unsetEnv) unsetenv(name.c_str());
        std::vector<char*> argv{const_cast<char*>(MVSMALL_BINARY)};
        std::vector<std::string> copies = args;
        for (auto& a : copies) argv.push_back(a.data());
        argv.push_back(nullptr);
        execv(MVSMALL_BINARY, argv.data());
        _exit(127);
    }
    close(in[0]);
    close(out[1]);
    if (pid < 0) {
        close(in[1]);
        close(out[0]);
        return {};
    }
    return {pid, in[1], out[0]};
}
