// An end signal always ends the program: a loop that never comes back to read it (held in a
// library call that never returns) is ended by the signal once the grace period is over.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <thread>

#include "app/ending_signals.h"

TEST(EndingSignals, AProgramWhoseLoopNeverAnswersIsEndedByTheSignalAfterTheGracePeriod) {
    int ready[2];
    ASSERT_EQ(pipe(ready), 0);
    const pid_t child = fork();
    if (child == 0) {
        if (takeEndingSignals(std::chrono::seconds(1)) < 0) _exit(3);
        [[maybe_unused]] const ssize_t n = write(ready[1], "r", 1);
        for (;;) pause();   // the loop, stuck: it never reads the signal
    }
    ASSERT_GT(child, 0);
    char c = 0;
    ASSERT_EQ(read(ready[0], &c, 1), 1);
    close(ready[0]);
    close(ready[1]);
    kill(child, SIGTERM);
    int status = 0;
    pid_t ended = 0;
    // A bounded wait, not a measurement: the child would otherwise never end.
    for (int i = 0; i < 200 && ended == 0; ++i) {
        ended = waitpid(child, &status, WNOHANG);
        if (ended == 0) std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    if (ended == 0) {
        kill(child, SIGKILL);
        waitpid(child, &status, 0);
        FAIL() << "the signal did not end the program";
    }
    ASSERT_TRUE(WIFSIGNALED(status));
    EXPECT_EQ(WTERMSIG(status), SIGTERM);
}
