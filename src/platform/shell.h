#pragma once
// The desktop shell: web pages, the restart command, outside programs. Never a shell string.
#include <string>
#include <vector>

class ShellService {
public:
    virtual ~ShellService() = default;
    virtual bool openUrl(const std::string& url) = 0;
    // A fixed program and argument list, started and not waited for; false when it cannot start.
    virtual bool restartComputer() = 0;
    virtual bool startProgram(const std::string& program, const std::vector<std::string>& args) = 0;
};
