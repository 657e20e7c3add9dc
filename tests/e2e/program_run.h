#pragma once
// Runs the real program as a child process under the conditions a hostile outsider or a
// careless sysop makes: a reader that stalls or goes away, a signal in the middle of a
// transmission, a second copy beside a first one.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

enum class StdoutReader {
    Reads,                  // reads every line as it comes
    StallsUntilExit,        // reads nothing until the program has ended
    LeavesAfterFirstLine,   // reads one line and closes its end
};

struct ProgramRun {
    std::vector<std::string> args;                             // after the binary's path
    std::vector<std::pair<std::string, std::string>> env;      // set in the child's environment
    std::vector<std::string> unsetEnv;                         // taken out of it
    // Runs in the child before the program starts (a mount namespace of its own, say); when it
    // returns false the child ends with status 126 and the program never runs.
    std::function<bool()> inChild;
    std::string input;                                         // standard input
    bool keepInputOpen = false;                                // else closed once written
    StdoutReader reader = StdoutReader::Reads;
    std::string signalAfter;   // send `signal` once a standard-output line contains this
    std::string signalWhenFileExists;   // or once this file exists
    std::function<bool()> signalWhen;   // or once this holds (asked as the run goes)
    int signal = 0;
    int timeoutSeconds = 60;   // then the child is killed and `timedOut` set
    // Times the end from the first standard-output line that contains this: a budget counted
    // from an event inside the run leaves out start-up, which a sanitizer build on a busy
    // machine can stretch by seconds.
    std::string timeEndFrom;
};

struct ProgramResult {
    bool timedOut = false;
    int exitCode = -1;        // -1 when ended by a signal
    int endSignal = 0;        // the signal that ended it, if one did
    std::vector<std::string> out;   // the standard-output lines read
    std::string err;
    bool signalSent = false;
    double secondsToEnd = -1;   // from the `timeEndFrom` line to the program's end; -1 if not seen
};

ProgramResult runProgram(const ProgramRun& run);

// A copy of the program started in the background, ended with SIGTERM when dropped.
class BackgroundProgram {
public:
    BackgroundProgram(const std::vector<std::string>& args, const std::vector<std::pair<std::string, std::string>>& env);
    ~BackgroundProgram();
    BackgroundProgram(const BackgroundProgram&) = delete;
    BackgroundProgram& operator=(const BackgroundProgram&) = delete;

private:
    int pid_ = -1;
    int input_ = -1;
};

// An account that owns nothing on this machine, for a test of what the program does where
// permissions or limits hold it back: root is above both, so a test that runs as root runs the
// program as this account instead.
unsigned unusedAccountId();
// Gives `folder` and all it holds to that account when the tests run as root; else nothing.
void giveToUnusedAccount(const std::string& folder);
// Another account that owns nothing and under which no process runs now, for a test whose limit
// counts every process of the account (RLIMIT_NPROC): tests running side by side each get their
// own (`salt` tells a test's runs apart).
unsigned accountOfItsOwn(int salt);
// Gives `folder` and all it holds to account `id` (the caller is root).
void giveToAccount(const std::string& folder, unsigned id);
// In the child (ProgramRun::inChild): becomes that account, with no supplementary groups, when
// running as root; false when that fails.
bool becomeUnusedAccount();

// Whether lines contain each text in turn; the failure shows the lines.
testing::AssertionResult inOrder(const std::vector<std::string>& out, const std::vector<std::string>& texts);

// Waits (a bounded while, not a measurement) until `path` exists.
bool waitForFile(const std::string& path, int seconds = 30);
