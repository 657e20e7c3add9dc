#include "app/ending_signals.h"

#include <fcntl.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <csignal>

namespace {
// The handlers touch only these, and call only what a signal handler may.
int pipeEnds[2] = {-1, -1};
volatile sig_atomic_t graceSeconds = 5;
volatile sig_atomic_t firstSignal = 0;
std::atomic<void (*)()> forcedEndRelease{nullptr};
static_assert(std::atomic<void (*)()>::is_always_lock_free);

void onEndingSignal(int signo) {
    const int saved = errno;
    if (firstSignal == 0) {
        firstSignal = signo;
        alarm(static_cast<unsigned>(graceSeconds));
    }
    const unsigned char number = static_cast<unsigned char>(signo);
    [[maybe_unused]] const ssize_t n = ::write(pipeEnds[1], &number, 1);   // a full pipe has one already
    errno = saved;
}

void onOverdue(int) {
    static const char line[] = "ERROR the program did not end in time after an end signal; ending now\n";
    [[maybe_unused]] const ssize_t n = ::write(STDERR_FILENO, line, sizeof line - 1);
    // The loop is held and never reaches its closing duties: the transmitter and the lines go
    // down from here, whatever holds them.
    if (void (*release)() = forcedEndRelease.load()) release();
    std::signal(firstSignal, SIG_DFL);
    std::raise(firstSignal);
    _exit(1);
}

void handle(int signo, void (*handler)(int)) {
    struct sigaction action {};
    action.sa_handler = handler;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    sigaction(signo, &action, nullptr);
}
}  // namespace

int takeEndingSignals(std::chrono::seconds grace) {
    std::signal(SIGPIPE, SIG_IGN);
    if (::pipe2(pipeEnds, O_CLOEXEC) != 0) return -1;
    // The handler never waits on a full pipe; the reader's end blocks as a reader expects.
    ::fcntl(pipeEnds[1], F_SETFL, ::fcntl(pipeEnds[1], F_GETFL) | O_NONBLOCK);
    graceSeconds = static_cast<sig_atomic_t>(grace.count() > 0 ? grace.count() : 1);
    handle(SIGALRM, onOverdue);
    for (const int signo : {SIGINT, SIGTERM, SIGHUP}) handle(signo, onEndingSignal);
    return pipeEnds[0];
}

int readEndingSignal(int fd) {
    unsigned char number = 0;
    for (;;) {
        const ssize_t n = ::read(fd, &number, 1);
        if (n == 1) return number;
        if (n < 0 && errno == EINTR) continue;
        return 0;
    }
}

bool endSignalArrived() { return firstSignal != 0; }

void setForcedEndRelease(void (*release)()) { forcedEndRelease.store(release); }
