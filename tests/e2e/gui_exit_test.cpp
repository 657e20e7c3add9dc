// Every way the program ends from its windows ends the real process, on a real X server:
// promptly, with status 0, the transmitter released, the settings written that the way writes,
// and the one-copy lock given back (a second start then runs).
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <set>

#include "e2e/run_binary.h"

#ifdef MVSMALL_GUI_BUILT
namespace {
std::set<std::string> filesIn(const std::string& folder) {
    std::set<std::string> names;
    std::error_code ec;
    for (const auto& e : std::filesystem::directory_iterator(folder, ec)) names.insert(e.path().filename().string());
    return names;
}

const std::set<std::string> kSavedByExit = {
    "MP3_PlayerABC.ini", "identabc.ini",  "dtmfctrl.ini",    "marogreeting.ini", "newsabc.ini",
    "mvcourtesy.ini",    "marodtmfhelpMP3.ini", "maronewsmp3d.ini", "beaconabc2.ini", "beaconabc.ini",
    "abcweather.ini",    "textmessage.ini", "profiles.ini",   "messagebox.ini",   "maroabc.ini"};
}  // namespace

TEST(GuiProgramEnd, EveryWayOutEndsTheProcessAtOnce) {
    const struct {
        const char* way;
        const char* steps;
        std::set<std::string> written;
    } cases[] = {
        {"Save / Exit", "press Form5.Command5", kSavedByExit},
        {"closing the launcher's frame", "close Form5", {}},
        {"Close EchoLink in the simulator panel", "press-panel Close EchoLink",
         {"maroabc.ini", "marogreeting.ini", "mvcourtesy.ini"}},
        {"closing the courtesy window's frame", "press Form5.Command14; close Form22", {}},
    };
    VirtualDisplay display;
    ASSERT_TRUE(display.ok()) << "Xvfb did not start";
    for (const auto& c : cases) {
        SCOPED_TRACE(c.way);
        TempFolder folder;
        const GuiRun run = runGui(folder, display, c.steps);
        EXPECT_EQ(run.exitCode, 0) << run.err;
        ASSERT_GE(run.secondsFromExitToEnd, 0) << "no EXIT in the transcript";
        EXPECT_LT(run.secondsFromExitToEnd, 2.0);
        EXPECT_EQ(run.out.back().substr(13), "EXIT");
        EXPECT_EQ(filesIn(folder.file("config")), c.written);
        EXPECT_TRUE(filesIn(folder.file("run")).empty()) << "the one-copy lock is left behind";
        EXPECT_EQ(run.err.find("ERROR"), std::string::npos) << run.err;
        // The transmitter was let go before the end.
        auto lastKey = std::find_if(run.out.rbegin(), run.out.rend(),
                                    [](const std::string& l) { return l.find(" KEY ") != std::string::npos; });
        if (lastKey != run.out.rend()) {
            EXPECT_NE(lastKey->find("KEY off"), std::string::npos) << *lastKey;
        }
    }
}
#endif
