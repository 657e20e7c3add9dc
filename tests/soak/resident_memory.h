#pragma once
// The resident memory of a running process, as the kernel reports it (VmRSS), in kilobytes;
// -1 where it cannot be read.
#include <sys/types.h>

#include <fstream>
#include <string>

inline long residentKilobytes(pid_t pid = 0) {
    std::ifstream status(pid == 0 ? std::string("/proc/self/status") : "/proc/" + std::to_string(pid) + "/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("VmRSS:", 0) == 0) return std::stol(line.substr(6));
    return -1;
}
