// The shell runs fixed argument lists: here the programs are stand-ins that write down what
// they were given, so nothing is opened and nothing restarts.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <chrono>
#include <filesystem>
#include <thread>

#include "platform/linux_services.h"
#include "support/station_fixture.h"

namespace {

class DesktopShellTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir.write("record.sh", "#!/bin/sh\nfor a in \"$@\"; do printf '%s\\n' \"$a\"; done > \"" + dir.file("args") +
                                   ".tmp\"\nmv \"" + dir.file("args") + ".tmp\" \"" + dir.file("args") + "\"\n");
        chmod(dir.file("record.sh").c_str(), 0755);
    }
    // What the stand-in was given, one argument a line, once it has run.
    std::string recorded() {
        for (int i = 0; i < 500 && !std::filesystem::exists(dir.file("args")); ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        return std::filesystem::exists(dir.file("args")) ? dir.read("args") : "<nothing>";
    }
    ShellCommands recorder() { return {{dir.file("record.sh"), "open"}, {dir.file("record.sh"), "reboot"}}; }

    TempFolder dir;
};

TEST_F(DesktopShellTest, AnAddressIsOneArgumentAndNeverACommand) {
    auto shell = makeDesktopShell(recorder());
    const std::string url = "http://example.org/a?b=1;touch " + dir.file("pwned") + "&c=$(id)";
    EXPECT_TRUE(shell->openUrl(url));
    EXPECT_EQ(recorded(), "open\n" + url + "\n");
    EXPECT_FALSE(std::filesystem::exists(dir.file("pwned")));
}

TEST_F(DesktopShellTest, RestartAndOutsideProgramsRunAsGiven) {
    auto shell = makeDesktopShell(recorder());
    EXPECT_TRUE(shell->restartComputer());
    EXPECT_EQ(recorded(), "reboot\n");
    std::filesystem::remove(dir.file("args"));
    EXPECT_TRUE(shell->startProgram(dir.file("record.sh"), {"two words", "--flag"}));
    EXPECT_EQ(recorded(), "two words\n--flag\n");
}

// The restart is started and left to run: a restart program that has not ended (here one that
// waits for a file) does not hold the caller. The stand-in also ends when its folder is gone: on
// a loaded machine it may start only after the test has cleaned up, and it must not outlive the
// test holding the test runner's output open.
TEST_F(DesktopShellTest, TheRestartIsNotWaitedFor) {
    dir.write("wait.sh", "#!/bin/sh\nwhile [ ! -e \"" + dir.file("go") + "\" ] && [ -d \"" + dir.path() +
                             "\" ]; do sleep 0.05; done\n");
    chmod(dir.file("wait.sh").c_str(), 0755);
    auto shell = makeDesktopShell(ShellCommands{{"false"}, {dir.file("wait.sh")}});
    EXPECT_TRUE(shell->restartComputer());
    dir.write("go", "");
}

TEST_F(DesktopShellTest, FailuresAreReported) {
    auto failing = makeDesktopShell(ShellCommands{{"false"}, {"false"}});
    EXPECT_FALSE(failing->openUrl("http://example.org/"));
    auto missing = makeDesktopShell(ShellCommands{{dir.file("no-opener")}, {dir.file("no-restarter")}});
    EXPECT_FALSE(missing->openUrl("http://example.org/"));
    EXPECT_FALSE(missing->restartComputer());
    EXPECT_FALSE(missing->startProgram(dir.file("no-program"), {}));
    EXPECT_FALSE(missing->startProgram("", {}));
    auto shell = makeDesktopShell(recorder());
    EXPECT_FALSE(shell->openUrl(""));
    EXPECT_FALSE(shell->openUrl("--help"));
    EXPECT_FALSE(shell->openUrl("http://example.org/\nsecond line"));
}

}  // namespace
