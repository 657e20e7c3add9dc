// The program's start through the launcher, and its orderly ends.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <functional>
#include <filesystem>
#include <unistd.h>

#include "app/app.h"
#include "chat/chat_window.h"
#include "shell/launcher_window.h"
#include "shell/shell_rig.h"
#include "shell/single_instance.h"
#include "speech/courtesy_window.h"
#include "shell/about_window.h"

namespace {
const std::string kSysopText =
    "                    This Program ONLY Runs in Sysop Mode\r\n\r\n Visit the Website for more information.  ";

std::vector<std::string> toolWindows(const std::vector<std::string>& names) {
    std::vector<std::string> out;
    for (const auto& n : names)
        if (n != "Form5" && n != "Form120") out.push_back(n);
    return out;
}

TEST(Startup, ACallsignWithoutDashEndsBeforeAnyToolWindowAndTouchesNoSettings) {
    ShellRig rig(RigOptions::call("Q1AAA"));
    rig.start();
    EXPECT_TRUE(rig.app().ended());
    ASSERT_EQ(rig.dialogs->shown.size(), 1u);
    EXPECT_EQ(rig.dialogs->shown[0].text.rfind(kSysopText, 0), 0u);
    EXPECT_EQ(rig.dialogs->shown[0].buttons, MsgButtons::Ok);
    ASSERT_EQ(rig.shell->opened.size(), 1u);
    EXPECT_NE(rig.dialogs->shown[0].text.find(rig.shell->opened[0]), std::string::npos);
    EXPECT_EQ(rig.windowNames(), (std::vector<std::string>{"Form5"}));
    EXPECT_TRUE(rig.settingsFiles().empty());
    EXPECT_EQ(rig.app().transcript().lines().back(), "EXIT");
}

TEST(Startup, ACallsignWithADashAnywherePasses) {
    for (const std::string call : {"Q1AAA-L", "Q1AAA-R", "Q1-AAA", "-"}) {
        ShellRig rig(RigOptions::call(call));
        rig.start();
        EXPECT_FALSE(rig.app().ended()) << call;
        EXPECT_TRUE(rig.dialogs->shown.empty()) << call;
    }
}

TEST(Startup, CreatesEveryToolWindowHiddenInOrderThenShowsTheLauncher) {
    ShellRig rig;
    auto keyer = rig.app().node().newApp();
    keyer->KeyTransmitter(true);
    keyer->Busy(true);
    rig.start();
    EXPECT_EQ(toolWindows(rig.windowNames()), App::startupOrder());
    for (Form* f : rig.app().existingForms())
        if (f->name() != "Form5" && f->name() != "Form120") {
            EXPECT_FALSE(f->visible()) << f->name();
        }
    Form5& launcher = rig.app().form5();
    EXPECT_TRUE(launcher.visible());
    EXPECT_EQ(launcher.caption(), "MVSmall    Q1AAA-L   v" + App::versionText());
    EXPECT_FALSE(rig.app().node().keyed());
    EXPECT_FALSE(rig.app().node().busy());
    EXPECT_FALSE(rig.tray->shown());
}

TEST(Startup, ASecondCopyEndsWithItsMessageAndLeavesTheFirstRunning) {
    ShellRig first;
    first.start();
    ShellRig second(RigOptions::sharing(first.configFolder()));
    second.start();
    EXPECT_TRUE(second.app().ended());
    ASSERT_EQ(second.dialogs->shown.size(), 1u);
    EXPECT_EQ(second.dialogs->shown[0].text, "Program is already running.");
    EXPECT_EQ(second.windowNames(), (std::vector<std::string>{"Form5"}));
    EXPECT_FALSE(first.app().ended());
    EXPECT_TRUE(first.app().form5().holdsInstanceLock());
}

TEST(Startup, TheSysopCheckComesBeforeTheOneCopyCheck) {
    ShellRig first;
    first.start();
    ShellRig second(RigOptions::sharing(first.configFolder(), "Q1AAA"));
    second.start();
    ASSERT_EQ(second.dialogs->shown.size(), 1u);
    EXPECT_EQ(second.dialogs->shown[0].text.rfind(kSysopText, 0), 0u);
}

TEST(Startup, AWindowRepeatingTheOneCopyCheckDoesNotFindTheProgramsOwnLock) {
    ShellRig rig;
    rig.start();
    EXPECT_FALSE(anotherCopyRunning(rig.app()));
    ShellRig other(RigOptions::sharing(rig.configFolder()));
    EXPECT_TRUE(anotherCopyRunning(other.app()));
}

TEST(Startup, TheLockGoesWithTheProgram) {
    TempFolder shared;
    {
        ShellRig rig(RigOptions::sharing(shared.path()));
        rig.start();
    }
    ShellRig again(RigOptions::sharing(shared.path()));
    again.start();
    EXPECT_FALSE(again.app().ended());
}

TEST(Startup, StartsInTheTrayOnlyWhenItsBoxWasSavedTicked) {
    struct Case {
        const char* ini;   // nullptr: no file
        bool inTray;
    };
    for (const Case& c : {Case{"[SETTINGS]\nCHECK1=1\n", true}, Case{"[SETTINGS]\nCHECK1=0\n", false},
                          Case{nullptr, false}, Case{"[SETTINGS]\nCHECK1=yes please\n", false}}) {
        SCOPED_TRACE(c.ini ? c.ini : "no file");
        ShellRig rig;
        if (c.ini) std::ofstream(rig.configFolder() + "/maroabc.ini") << c.ini;
        rig.start();
        EXPECT_EQ(rig.tray->shown(), c.inTray);
        EXPECT_EQ(rig.app().form5().visible(), !c.inTray);
        if (c.inTray) {
            EXPECT_EQ(rig.tray->tip, rig.app().form5().caption());
        }
    }
}

TEST(Startup, WithoutATrayTheLauncherStartsShownAndSaysWhy) {
    ShellRig rig(RigOptions::withoutTray());
    std::ofstream(rig.configFolder() + "/maroabc.ini") << "[SETTINGS]\nCHECK1=1\n";
    rig.start();
    EXPECT_TRUE(rig.app().form5().visible());
    EXPECT_TRUE(rig.app().transcript().contains("LOG \"This desktop has no system tray"));
}

TEST(Shutdown, SaveExitReleasesSavesInOrderThenTheLauncherLast) {
    ShellRig rig;
    rig.start();
    auto el = rig.app().node().newApp();
    el->KeyTransmitter(true);
    el->Busy(true);
    el->LinkEnabled(false);
    rig.act([&] { rig.app().form5().Check1.setValue(1); });
    rig.act([&] { rig.app().form5().Command9.click(); });   // into the tray
    ASSERT_TRUE(rig.tray->shown());
    WriteWatch watch(rig.configFolder());
    rig.act([&] { rig.app().form5().Command5.click(); });
    EXPECT_TRUE(rig.app().ended());
    EXPECT_FALSE(rig.app().node().keyed());
    EXPECT_FALSE(rig.app().node().busy());
    EXPECT_TRUE(rig.app().node().linkEnabled());
    EXPECT_FALSE(rig.tray->shown());
    EXPECT_NE(rig.settings("maroabc.ini").find("CHECK1=1"), std::string::npos);

    // Whatever windows save a file, they do it in this order, and the launcher's file comes last.
    const std::vector<std::string> order = {
        "MP3_PlayerABC.ini", "identabc.ini",   "dtmfctrl.ini",       "marogreeting.ini", "maronewsmp3d.ini",
        "mvcourtesy.ini",    "marodtmfhelpMP3.ini", "newsabc.ini",   "beaconabc2.ini",   "beaconabc.ini",
        "abcweather.ini",    "textmessage.ini", "profiles.ini",      "messagebox.ini",   "maroabc.ini"};
    const auto written = watch.written();
    ASSERT_FALSE(written.empty());
    EXPECT_EQ(written.back(), "maroabc.ini");
    size_t at = 0;
    for (const auto& name : written) {
        auto it = std::find(order.begin() + at, order.end(), name);
        ASSERT_NE(it, order.end()) << name << " written out of order or not expected";
        at = static_cast<size_t>(it - order.begin()) + 1;
    }
}

TEST(Shutdown, ClosingTheLauncherFrameWritesNothingAndEnds) {
    ShellRig rig;
    rig.start();
    rig.act([&] { rig.app().form5().Command9.click(); });
    auto el = rig.app().node().newApp();
    el->KeyTransmitter(true);
    el->Busy(true);
    WriteWatch watch(rig.configFolder());
    const auto before = rig.settingsFiles();
    rig.act([&] { rig.app().form5().closeRequest(); });
    EXPECT_TRUE(rig.app().ended());
    EXPECT_TRUE(watch.written().empty());
    EXPECT_EQ(rig.settingsFiles(), before);
    EXPECT_FALSE(rig.tray->shown());
    EXPECT_FALSE(rig.app().node().keyed());
    EXPECT_FALSE(rig.app().node().busy());
}

TEST(Shutdown, EchoLinkClosingSavesTheLauncherKeepsTheIconAndEnds) {
    ShellRig rig;
    rig.start();
    rig.act([&] { rig.app().form5().Check1.setValue(1); });
    rig.act([&] { rig.app().form5().Command9.click(); });
    std::ofstream(rig.configFolder() + "/maroabc.ini") << "[SETTINGS]\nCHECK1=0\n";
    rig.app().node().newApp()->KeyTransmitter(true);
    rig.app().node().close();
    rig.advance(1);
    EXPECT_TRUE(rig.app().ended());
    EXPECT_FALSE(rig.app().node().keyed());
    EXPECT_NE(rig.settings("maroabc.ini").find("CHECK1=1"), std::string::npos);
    EXPECT_TRUE(rig.tray->shown());
    EXPECT_EQ(rig.app().transcript().count("EXIT"), 1);
}

TEST(Shutdown, EchoLinkClosingRunsTheOtherWindowsClosingDutiesBeforeTheEnd) {
    ShellRig rig;
    rig.start();
    rig.app().node().close();
    rig.advance(1);
    EXPECT_TRUE(rig.app().ended());
    const auto files = rig.settingsFiles();
    for (const std::string name : {"maroabc.ini", "marogreeting.ini", "mvcourtesy.ini"})
        EXPECT_NE(std::find(files.begin(), files.end(), name), files.end()) << name;
}
}  // namespace

namespace {
TEST(Shutdown, WhatEchoLinkClosingSavesDoesNotDependOnTheEventOrder) {
    std::vector<std::string> first;
    for (std::uint32_t seed : {1u, 2u, 3u, 4u}) {
        ShellRig rig;
        rig.start();
        rig.app().node().shuffleEvents(seed);
        rig.app().node().close();
        rig.advance(1);
        EXPECT_TRUE(rig.app().ended());
        EXPECT_EQ(rig.app().transcript().count("EXIT"), 1);
        if (first.empty()) first = rig.settingsFiles();
        EXPECT_EQ(rig.settingsFiles(), first) << "seed " << seed;
    }
}
}  // namespace

TEST(Startup, ToolWindowsThatCheckForASecondCopyEndItSilentlyAndFindNotTheirOwnLock) {
    ShellRig first;
    first.start();
    EXPECT_FALSE(first.app().ended()) << "the first copy's own windows passed the check";
    for (const char* window : {"Form3", "Form4", "Form123", "Form117"}) {
        ShellRig second(RigOptions::sharing(first.configFolder()));
        second.app().act([&] { second.app().formByName(window); });
        EXPECT_TRUE(second.app().ended()) << window;
        EXPECT_TRUE(second.dialogs->shown.empty()) << window << " ends without a word";
    }
    EXPECT_FALSE(first.app().ended());
}

// The lock lives in the settings folder, whatever the environment says; a lock file this user
// does not own, or a link in its place, is never trusted (another user could hold it for ever
// or point it anywhere).
TEST(Startup, TheLockIsTheSettingsFoldersOwnAndOnlyOursCounts) {
    TempFolder folder;
    const Folders f{folder.path(), folder.path(), folder.path()};
    EXPECT_EQ(InstanceLock::lockPath(f), folder.file(".mvsmall.lock"));
    struct Case {
        const char* name;
        std::function<void(const std::string& path)> plant;
        bool needsRoot;
        bool taken;
    };
    const Case cases[] = {
        {"nothing there", [](const std::string&) {}, false, true},
        {"a stale file of ours", [](const std::string& p) { std::ofstream(p) << "x"; }, false, true},
        {"a link to elsewhere", [&](const std::string& p) { symlink(folder.file("elsewhere").c_str(), p.c_str()); }, false,
         false},
        {"a file of another user",
         [](const std::string& p) {
             std::ofstream(p) << "x";
             [[maybe_unused]] int r = chown(p.c_str(), 65534, 65534);
         },
         true, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        if (c.needsRoot && geteuid() != 0) continue;   // only root can give a file away
        const std::string path = InstanceLock::lockPath(f);
        std::filesystem::remove(path);
        c.plant(path);
        bool heldElsewhere = true;
        std::string problem;
        const auto lock = InstanceLock::acquire(path, heldElsewhere, problem);
        EXPECT_EQ(lock != nullptr, c.taken) << problem;
        EXPECT_FALSE(heldElsewhere);
        EXPECT_EQ(problem.empty(), c.taken);
        EXPECT_FALSE(std::filesystem::exists(folder.file("elsewhere"))) << "nothing made through the link";
    }
}
