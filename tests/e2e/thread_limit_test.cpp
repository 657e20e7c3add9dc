// The station at a limit on threads, through the real program in real time: run as an otherwise
// unused account whose allowance of processes and threads (RLIMIT_NPROC) is a handful, files
// that cannot get a thread fail at once with a line in the error log, the speech engine never
// takes the program down, the key comes off and the station goes on answering. Root ignores the
// limit, so the program runs as that account; the test needs root to make it one.
#include <gtest/gtest.h>
#include <grp.h>
#include <sys/resource.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

#include "e2e/program_run.h"
#include "platform/local_servers.h"
#include "platform/wav_file.h"
#include "support/station_fixture.h"

namespace {

// The program in `folder` as an account of its own whose allowance of threads is `allowance`.
ProgramRun atAllowance(const TempFolder& folder, int allowance) {
    for (const char* sub : {"config", "data", "tmp", "home", "runtime"})
        std::filesystem::create_directories(folder.file(sub));
    const uid_t uid = accountOfItsOwn(allowance);
    giveToAccount(folder.path(), uid);
    ProgramRun run;
    run.args = {"--headless", "--config", folder.file("config"), "--data", folder.file("data")};
    run.env = {{"HOME", folder.file("home")}, {"TMPDIR", folder.file("tmp")}, {"XDG_RUNTIME_DIR", folder.file("runtime")},
               {"MVSMALL_AUDIO_SINK", "fakesink sync=true"}};
    run.inChild = [uid, allowance] {
        const rlimit limit{static_cast<rlim_t>(allowance), static_cast<rlim_t>(allowance)};
        return setrlimit(RLIMIT_NPROC, &limit) == 0 && setgroups(0, nullptr) == 0 && setgid(uid) == 0 &&
               setuid(uid) == 0;
    };
    run.timeoutSeconds = 30;
    return run;
}

bool anyLineHas(const ProgramResult& result, const std::string& text) {
    for (const auto& line : result.out)
        if (line.find(text) != std::string::npos) return true;
    return false;
}

class ThreadLimit : public testing::TestWithParam<int> {};

TEST_P(ThreadLimit, FilesAndSpeechFailAtOnceAndTheStationGoesOn) {
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "the leak checker needs a thread of its own at the end";
#endif
    if (geteuid() != 0) GTEST_SKIP() << "only root can run the program as an unused account";
    LocalServer http(httpServerScript(), {});
    ASSERT_TRUE(http.started()) << http.problem();
    TempFolder folder;
    ProgramRun run = atAllowance(folder, GetParam());
    writeWav(folder.file("data/short.wav"), AudioFormat{8000, 16, 1}, std::vector<float>(4000, 0.1f));
    const std::string play = "click Form1.Command3\nwait 1\n";
    run.input = "set Form1.txtFile " + folder.file("data/short.wav") + "\n" + play + play +
                "connect W1ABC John 1.2.3.4\nwait 4\nget Form3.Text1\n" +
                "set Form23.Text43 55\nset Form23.Text21 http://127.0.0.1:" + std::to_string(http.port()) +
                "/page.html\ndtmf 55\nwait 8\nquit\n";
    const ProgramResult result = runProgram(run);

    EXPECT_FALSE(result.timedOut);
    EXPECT_EQ(result.endSignal, 0) << result.err;
    EXPECT_EQ(result.exitCode, 0) << result.err;
    // The notice goes out or is logged, the key comes off, and the station still answers.
    EXPECT_TRUE(inOrder(result.out, {"KEY on", "SPEAK \"W 1 A B C  , Connected\"", "KEY off",
                                     "= Testing the voice settings", "EXIT"}));
    // Each of the two files and the speech either played or is in the error log with its reason.
    int playedOrLogged = 0;
    for (const auto& line : result.out)
        if (line.find(" PLAY \"") != std::string::npos || line.find(" <-- (") != std::string::npos ||
            line.find("not spoken (") != std::string::npos)
            ++playedOrLogged;
    EXPECT_GE(playedOrLogged, 3);
    // The page is read out, or the listener hears the apology and the log says why: work that
    // could not get a thread fails as a failed transfer does, and every window is there.
    EXPECT_TRUE(anyLineHas(result, "Net news") ||
                anyLineHas(result, "could not be read (no thread could be started for it"));
    EXPECT_FALSE(anyLineHas(result, "Internal error"));
    EXPECT_FALSE(anyLineHas(result, "LOG \"Creating Form"));
    EXPECT_EQ(result.err.find("Assertion"), std::string::npos) << result.err;
    EXPECT_EQ(result.err.find("ERROR **"), std::string::npos) << result.err;
}

// Below what the program needs to start, it says so and ends, rather than aborting half-built.
TEST(ThreadLimit, TooFewToStartEndsWithItsReason) {
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "the leak checker needs a thread of its own at the end";
#endif
    if (geteuid() != 0) GTEST_SKIP() << "only root can run the program as an unused account";
    for (const int allowance : {3, 4}) {
        SCOPED_TRACE(allowance);
        TempFolder folder;
        // A first start without the limit leaves the audio library's plugin list in the home folder,
        // as on any station that has run before; rebuilding it needs threads of its own.
        ProgramRun warmUp = atAllowance(folder, 1000 + allowance);
        warmUp.input = "quit\n";
        ASSERT_EQ(runProgram(warmUp).exitCode, 0);
        ProgramRun run = atAllowance(folder, allowance);
        run.input = "wait 1\nquit\n";
        const ProgramResult result = runProgram(run);
        EXPECT_EQ(result.endSignal, 0) << result.err;
        EXPECT_EQ(result.exitCode, 1) << result.err;
        EXPECT_NE(result.err.find("ERROR the program cannot start: no thread could be started"), std::string::npos)
            << result.err;
        EXPECT_FALSE(anyLineHas(result, "KEY on"));
    }
}

INSTANTIATE_TEST_SUITE_P(AsAnUnusedAccount, ThreadLimit, testing::Values(5, 6, 7),
                         [](const testing::TestParamInfo<int>& info) { return "Allowance" + std::to_string(info.param); });

}  // namespace
