// The windowed program on a real X server with a window manager, at 1280 x 800 with a task bar's
// strip kept out of the free area: every window whole on the screen with its frame, in every
// state that widens it; the simulator panel showing what came in; operator steps that cannot
// reach their control failing the run.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "e2e/run_binary.h"

#ifdef MVSMALL_GUI_BUILT
namespace {
constexpr int kTaskBar = 40;   // pixels at the screen's bottom that are not free

struct Desktop {
    VirtualDisplay display;
    TempFolder folder;
    WindowManager manager{display, folder, kTaskBar};
};

std::string joined(const std::vector<std::string>& steps) {
    std::string out;
    for (const auto& s : steps) out += (out.empty() ? "" : "; ") + s;
    return out;
}

bool anyLineHas(const std::vector<std::string>& lines, const std::string& text) {
    for (const auto& l : lines)
        if (l.find(text) != std::string::npos) return true;
    return false;
}
}  // namespace

TEST(GuiScreen, EveryWindowLiesWholeInTheFreeAreaWithItsFrameInEveryState) {
    Desktop d;
    ASSERT_TRUE(d.display.ok()) << "Xvfb did not start";
    ASSERT_TRUE(d.manager.ok()) << "the window manager did not start";
    // Each launcher button, and the window it shows, whole at once.
    const std::vector<std::pair<std::string, std::string>> launcher = {
        {"Command1", "Form3"},    {"Command8", "Form24"},  {"Command21", "Form111"}, {"Command13", "Form4"},
        {"Command22", "Form114"}, {"Command6", "Form14"},  {"Command14", "Form22"},  {"Command11", "Messages"},
        {"Command15", "Form10"},  {"Command3", "Form23"},  {"Command4", "Form1"},
    };
    std::vector<std::string> steps = {"expect-whole panel", "expect-whole Form5"};
    for (const auto& [button, window] : launcher) {
        steps.push_back("press Form5." + button);
        steps.push_back("expect-whole " + window);
    }
    steps.insert(steps.end(), {
        "tab Form5.Command25", "expect-whole Form121",        // the launcher's button out of sight
        "press Form4.Command25", "expect-whole Form117",      // on a tab page behind another
        "press Messages.Command39", "expect-whole Messages",  // Show Extra
        "press Form23.Command2", "expect-whole Form23",       // the DTMF player's Text Changer
        "press Form114.Command17", "expect-whole Form114",    // the weather window's Text Changer
        "press Form114.Command14", "expect-whole Form114",    // ... and its own on the warnings page
        "expect-whole panel", "press Form5.Command5",
    });
    const GuiRun run = runGui(d.folder, d.display, joined(steps));
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.err.find("ERROR"), std::string::npos) << run.err;
    ASSERT_FALSE(run.out.empty());
    EXPECT_EQ(run.out.back().substr(13), "EXIT");
}

// What came in stands in the panel's on-air log, marked apart; the transcript is as it was.
TEST(GuiScreen, ThePanelsLogShowsWhatCameIn) {
    Desktop d;
    ASSERT_TRUE(d.display.ok() && d.manager.ok());
    const GuiRun run = runGui(d.folder, d.display,
                              joined({"type-panel dtmf 999", "press-panel Send DTMF", "expect-panel << DTMF \"999\"",
                                      "type-panel chat W1ABC>hello there", "press-panel Send chat",
                                      "expect-panel << CHAT \"W1ABC>hello there\"", "type-panel callsign W9XYZ",
                                      "press-panel Connect", "expect-panel << CONNECTED W9XYZ",
                                      "press Form5.Command5"}));
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.err.find("ERROR"), std::string::npos) << run.err;
    EXPECT_FALSE(anyLineHas(run.out, "<<")) << "the transcript took the panel's incoming lines";
}

// A box the operator sees whole is pressed where it stands, whatever it is drawn with: a
// multi-line box, a list, the chat display.
TEST(GuiScreen, AStepReachesEveryBoxInFullView) {
    const struct {
        const char* shows;   // the steps that bring the box on screen
        const char* box;
    } rows[] = {
        {"press Form5.Command1; press Form3.Command5", "Form3.CallHistory"},
        {"press Form5.Command11", "Messages.TextTX"},
        {"press Form5.Command11", "Messages.RTB"},
        {"tab Form5.Command25", "Form121.lstParse"},
    };
    Desktop d;
    ASSERT_TRUE(d.display.ok() && d.manager.ok());
    for (const auto& r : rows) {
        SCOPED_TRACE(r.box);
        TempFolder folder;
        const GuiRun run = runGui(folder, d.display, joined({r.shows, std::string("press ") + r.box, "close Form5"}));
        EXPECT_EQ(run.exitCode, 0) << run.err;
        EXPECT_EQ(run.err.find("ERROR"), std::string::npos) << run.err;
    }
}

// Every change of what comes in is a line, whatever made it: Internet audio makes the node
// active, so the activity box's tick and its line come together, and the click after it ends it.
TEST(GuiScreen, ThePanelLogsEveryChangeOfWhatComesIn) {
    Desktop d;
    ASSERT_TRUE(d.display.ok() && d.manager.ok());
    const GuiRun run = runGui(d.folder, d.display,
                              joined({"press-panel Internet audio", "expect-panel << RX on", "expect-panel << ACTIVITY on",
                                      "press-panel EchoLink activity", "expect-panel << ACTIVITY off",
                                      "press-panel Internet audio", "expect-panel << RX off", "close Form5"}));
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.err.find("ERROR"), std::string::npos) << run.err;
}

// A step whose control the operator could not reach fails the run instead of passing unseen.
TEST(GuiScreen, AStepThatCannotReachItsControlFailsTheRun) {
    const struct {
        const char* steps;
        const char* error;
    } cases[] = {
        {"press Form5.Command13; press Form4.NoSuchControl; press Form5.Command5",
         "ERROR step not taken: press Form4.NoSuchControl: Form4 has no control NoSuchControl"},
        {"press Form5.Command25; press Form5.Command5",
         "ERROR step not taken: press Form5.Command25: it is not where the mouse reaches it"},
        {"sing Form5; press Form5.Command5", "ERROR step not taken: sing Form5: unknown step"},
    };
    Desktop d;
    ASSERT_TRUE(d.display.ok() && d.manager.ok());
    for (const auto& c : cases) {
        SCOPED_TRACE(c.steps);
        TempFolder folder;
        const GuiRun run = runGui(folder, d.display, c.steps);
        EXPECT_EQ(run.exitCode, 1);
        EXPECT_NE(run.err.find(c.error), std::string::npos) << run.err;
        ASSERT_FALSE(run.out.empty());
        EXPECT_EQ(run.out.back().substr(13), "EXIT") << "the program ends as its windows end it";
        EXPECT_FALSE(std::filesystem::exists(folder.file("config") + "/maroabc.ini")) << "Save / Exit, the next step, was taken";
    }
}
#endif
