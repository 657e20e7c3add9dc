// The command line of both modes: the usage on request, and a clear refusal of what it does not know.
#include <gtest/gtest.h>

#include "e2e/run_binary.h"

TEST(ProgramOptions, HelpPrintsTheUsageOfBothModes) {
    TempFolder folder;
    for (const char* args : {"--help", "--headless --help", "-h"}) {
        SCOPED_TRACE(args);
        const BinaryRun run = runProgram(folder, "", args);
        EXPECT_EQ(run.exitCode, 0);
        std::string text;
        for (const auto& l : run.out) text += l + "\n";
        for (const char* option : {"--headless", "--virtual-time", "--config", "--data", "--callsign"})
            EXPECT_NE(text.find(option), std::string::npos) << option;
        EXPECT_NE(text.find("mvsmall [--config"), std::string::npos) << "the usage of the windowed mode";
    }
}

TEST(ProgramOptions, BothModesRefuseWhatTheyDoNotKnow) {
    TempFolder folder;
    const std::string folders = " --config '" + folder.file("config") + "' --data '" + folder.file("data") + "'";
    const std::string windows = "QT_QPA_PLATFORM=offscreen";
#ifdef MVSMALL_GUI_BUILT
    constexpr bool kWindowsBuilt = true;
#else
    constexpr bool kWindowsBuilt = false;   // without windows the program is the console in both modes
#endif
    const struct {
        bool headless;
        std::string args, error;
    } cases[] = {
        {true, "--bogus", "ERROR unknown option --bogus"},
        {true, "--confg x", "ERROR unknown option --confg"},
        {true, "--callsign", "ERROR --callsign needs a value"},
        {false, "--bogus", "ERROR unknown option --bogus"},
        {false, "--confg x", "ERROR unknown option --confg"},
        {false, "--virtual-time \"2026-12-10 12:00:00\"", "ERROR --virtual-time runs only with --headless"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.args);
        if (!c.headless && !kWindowsBuilt && c.args.rfind("--virtual-time", 0) == 0) continue;
        const BinaryRun run = c.headless ? runProgram(folder, "", "--headless" + folders + " " + c.args)
                                         : runProgram(folder, "", folders.substr(1) + " " + c.args, windows);
        EXPECT_EQ(run.exitCode, 2);
        EXPECT_NE(run.err.find(c.error), std::string::npos) << run.err;
        EXPECT_TRUE(run.out.empty()) << "nothing started: " << run.out.front();
    }
}
