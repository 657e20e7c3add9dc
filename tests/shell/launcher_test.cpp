// The launcher's buttons, its tray icon and its answers in the chat.
#include <gtest/gtest.h>

#include "app/app.h"
#include "chat/greetings_window.h"
#include "chat/sysop_messages_window.h"
#include "shell/about_window.h"
#include "shell/launcher_window.h"
#include "shell/shell_rig.h"

namespace {
class Launcher : public ::testing::Test {
protected:
    void SetUp() override { rig.start(); }
    Form5& launcher() { return rig.app().form5(); }
    void click(CommandButton& b) { rig.act([&] { b.click(); }); }
    void chat(const std::string& line) {
        rig.app().node().receiveChat(line);
        rig.advance(0);
    }
    std::vector<std::string> chatSent() const { return const_cast<ShellRig&>(rig).app().node().chatSent(); }
    ShellRig rig;
};

TEST_F(Launcher, EachButtonShowsItsWindow) {
    const std::vector<std::pair<CommandButton Form5::*, std::string>> buttons = {
        {&Form5::Command1, "Form3"},   {&Form5::Command8, "Form24"},  {&Form5::Command21, "Form111"},
        {&Form5::Command13, "Form4"},  {&Form5::Command22, "Form114"}, {&Form5::Command6, "Form14"},
        {&Form5::Command14, "Form22"}, {&Form5::Command11, "Messages"}, {&Form5::Command15, "Form10"},
        {&Form5::Command3, "Form23"},  {&Form5::Command4, "Form1"},   {&Form5::Command25, "Form121"}};
    for (const auto& [button, window] : buttons) {
        click(launcher().*button);
        EXPECT_TRUE(rig.app().formByName(window)->visible()) << window;
    }
    click(launcher().Command12);
    ASSERT_EQ(rig.shell->opened.size(), 1u);
}

TEST_F(Launcher, HideAllHidesTheToolsAndTheirTimersRunOn) {
    for (const auto& name : Form5::hideOrder()) rig.app().formByName(name)->Show();
    click(launcher().Command7);
    for (const auto& name : Form5::hideOrder()) EXPECT_FALSE(rig.app().formByName(name)->visible()) << name;
    EXPECT_TRUE(launcher().visible());
    EXPECT_TRUE(rig.app().form14().Timer2.enabled());
    rig.advance(11);
    EXPECT_FALSE(rig.app().form14().Timer2.enabled()) << "a hidden window's timer still ticks";
}

TEST_F(Launcher, PutInSystemTrayHidesAllButTheCourtesyWindowSavesAndShowsTheIcon) {
    for (const auto& name : Form5::hideOrder()) rig.app().formByName(name)->Show();
    rig.act([&] { launcher().Check1.setValue(1); });
    click(launcher().Command9);
    for (const auto& name : Form5::hideOrder())
        EXPECT_EQ(rig.app().formByName(name)->visible(), name == "Form22") << name;
    EXPECT_FALSE(launcher().visible());
    EXPECT_TRUE(rig.tray->shown());
    EXPECT_EQ(rig.tray->tip, launcher().caption());
    EXPECT_NE(rig.settings("maroabc.ini").find("CHECK1=1"), std::string::npos);
}

TEST_F(Launcher, ClickingTheIconBringsBackOnlyTheLauncherAndTheIconCanReturn) {
    click(launcher().Command9);
    rig.tray->click();
    rig.advance(0);
    EXPECT_TRUE(launcher().visible());
    EXPECT_FALSE(rig.tray->shown());
    EXPECT_FALSE(rig.app().formByName("Form1")->visible());
    click(launcher().Command9);
    EXPECT_TRUE(rig.tray->shown());
    EXPECT_FALSE(launcher().visible());
}

TEST(LauncherTray, WithoutATrayPutInSystemTrayLeavesTheLauncherShown) {
    ShellRig rig(RigOptions::withoutTray());
    rig.start();
    rig.act([&] { rig.app().form5().Command9.click(); });
    EXPECT_TRUE(rig.app().form5().visible());
    EXPECT_FALSE(rig.app().formByName("Form1")->visible());
    EXPECT_TRUE(rig.app().transcript().contains("LOG \"This desktop has no system tray"));
}

TEST_F(Launcher, VersionQueryIsAnsweredOnlyInExactCase) {
    chat("Q9ZZZ>/ver/");
    chat("Q9ZZZ>/VER/");
    EXPECT_EQ(chatSent(), (std::vector<std::string>{"MVSmall  v" + App::versionText()}));
}

TEST_F(Launcher, HelloSelectsTheConnectedGreetingAndSendsNothing) {
    for (const std::string line : {"Q9ZZZ>Hello everybody", "Hello1>hi", "Q9ZZZ>/greeting/"}) {
        rig.act([&] { rig.app().form10().Option10.setValue(false); });
        chat(line);
        EXPECT_TRUE(rig.app().form10().Option10.value()) << line;
    }
    rig.act([&] { rig.app().form10().Option10.setValue(false); });
    chat("Q9ZZZ>hello");
    EXPECT_FALSE(rig.app().form10().Option10.value());
    EXPECT_TRUE(chatSent().empty());
}

TEST_F(Launcher, MessagesForTheSysopAreLoggedShownAndAcknowledged) {
    struct Case {
        std::string line;
        bool forSysop;
    };
    const std::vector<Case> cases = {{"Q9ZZZ>**Q1AAA-L** call me", true}, {"Q9ZZZ>** q1aaa **", true},
                                     {"Q9ZZZ>**q1aaa-l**", true},          {"Q9ZZZ>** Q1AAA-L ** x", true},
                                     {"Q9ZZZ>*Q1AAA-L*", false},           {"Q9ZZZ>**Q1AAA -L**", false},
                                     {"Q9ZZZ>Q1AAA-L", false}};
    std::string expectedLog;
    size_t acks = 0;
    for (const auto& c : cases) {
        chat(c.line);
        if (c.forSysop) {
            expectedLog += "10/12/2026 at 12:00:00 " + c.line + "\r\n\r\n";
            ++acks;
        }
        ASSERT_EQ(chatSent().size(), acks) << c.line;
        if (c.forSysop) {
            EXPECT_EQ(chatSent().back(), " Message has been received and left for the Q1AAA-L's Sysop");
        }
    }
    EXPECT_EQ(rig.app().form126().Text1.text(), expectedLog);
    EXPECT_TRUE(rig.app().form126().visible());
}

TEST_F(Launcher, ALineThatIsBothGetsBothRepliesVersionFirst) {
    chat("Q9ZZZ>/ver/ **Q1AAA**");
    ASSERT_EQ(chatSent().size(), 2u);
    EXPECT_EQ(chatSent()[0], "MVSmall  v" + App::versionText());
    EXPECT_EQ(chatSent()[1], " Message has been received and left for the Q1AAA-L's Sysop");
}

TEST_F(Launcher, AFailingReplyIsLoggedAndTheOtherConventionsStillRun) {
    rig.app().node().setUnreachable(true);
    chat("Q9ZZZ>/ver/ Hello");
    rig.app().node().setUnreachable(false);
    EXPECT_TRUE(rig.app().form10().Option10.value());
    EXPECT_TRUE(rig.app().transcript().contains("LOG \"Answering the version query"));
}
}  // namespace
