// The About window's update check and the update prompt.
#include <gtest/gtest.h>

#include <fstream>

#include "app/app.h"
#include "platform/local_servers.h"
#include "shell/about_window.h"
#include "shell/launcher_window.h"
#include "shell/shell_rig.h"
#include "shell/update_prompt_window.h"
#include "shell/web_addresses.h"

namespace {
const std::string kUrl = web::kVersionFile;

TransferResult okResult() { return {true, 200, "", 5}; }

TEST(UpdateCheck, ThePromptComesUpOnlyForAFetchedDifferentVersion) {
    struct Case {
        const char* name;
        bool scripted;
        ScriptedTransfer::Reply reply;
        bool prompt;
    };
    const std::vector<Case> cases = {
        {"same version", true, {okResult(), App::versionText()}, false},
        {"same with a line break", true, {okResult(), App::versionText() + "\n"}, true},
        {"newer", true, {okResult(), "9.9.9"}, true},
        {"older", true, {okResult(), "0.0.1"}, true},
        {"empty file", true, {okResult(), ""}, false},
        {"a captive portal's page answering 200", true,
         {okResult(), "<html><body>Please log in 9.9.9</body></html>"}, false},
        {"a version in words", true, {okResult(), "version 9.9.9"}, false},
        {"a line far too long to be a version", true, {okResult(), std::string(40, '9')}, false},
        {"a version with a Windows line end", true, {okResult(), "9.9.9\r\n"}, true},
        {"HTTP error with a page", true, {{false, 404, "HTTP 404", 20}, "<html>9.9.9</html>"}, false},
        {"time-out", true, {{false, 0, "timed out", 0}, ""}, false},
        {"no network", false, {}, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ShellRig rig;
        if (c.scripted) rig.transfer->replies[kUrl] = c.reply;
        rig.start();
        ASSERT_EQ(rig.transfer->timeouts.size(), 1u);
        EXPECT_LE(rig.transfer->timeouts[0], 10);
        EXPECT_FALSE(rig.app().exists("Form150"));
        rig.advance(4);
        EXPECT_EQ(rig.app().exists("Form150"), c.prompt);
        if (c.prompt) {
            EXPECT_TRUE(rig.app().form150().visible());
        }
        EXPECT_EQ(rig.app().form14().NetText.text(), "");
        EXPECT_FALSE(rig.app().form14().Timer3.enabled());
    }
}

// Through the real transfer: a captive portal answering the version file's address with its own
// page offers no update, and the log says what came back.
TEST(UpdateCheck, ACaptivePortalsPageIsNoVersion) {
    LocalServer http{httpServerScript(), {}};
    ASSERT_TRUE(http.started()) << http.problem();
    const std::string url = "http://127.0.0.1:" + std::to_string(http.port()) + "/portal";
    StationOptions o;
    o.realTransfers = true;
    o.settingsFiles.emplace_back("maroabc.ini", "[SETTINGS]\nVersionFile=" + url + "\n");
    Station s(o);
    s.app().act([&] { s.app().form14(); });   // the launcher creates it hidden at start-up
    s.advance(4);
    EXPECT_FALSE(s.app().exists("Form150"));
    EXPECT_EQ(s.app().form14().NetText.text(), "");
    EXPECT_EQ(s.transcript().count("LOG \"" + url + " <-- The update check got something that is not a version"), 1);
}

TEST(UpdateCheck, TheVersionFileAddressIsASettingOfOurOwnAndSurvivesTheLaunchersSave) {
    ShellRig rig;
    std::ofstream(rig.configFolder() + "/maroabc.ini") << "[SETTINGS]\nCHECK1=0\nVersionFile=http://127.0.0.1:1/v.txt\n";
    rig.transfer->replies["http://127.0.0.1:1/v.txt"] = {okResult(), "9.9.9"};
    rig.start();
    rig.advance(4);
    EXPECT_TRUE(rig.app().exists("Form150"));
    rig.act([&] { rig.app().form5().SaveData(); });
    EXPECT_NE(rig.settings("maroabc.ini").find("http://127.0.0.1:1/v.txt"), std::string::npos);
}

TEST(UpdateCheck, ManualCheckSaysNoUpdateForTenSecondsOrOffersTheUpdate) {
    ShellRig rig;
    rig.start();
    Form14& about = rig.app().form14();
    EXPECT_FALSE(about.Command5.visible());
    rig.transfer->replies[kUrl] = {okResult(), App::versionText()};
    rig.act([&] { about.Command24.click(); });
    rig.advance(1.5);
    EXPECT_EQ(about.Label5.caption(), "No Update Available");
    EXPECT_FALSE(about.Command5.visible());
    rig.advance(10);
    EXPECT_EQ(about.Label5.caption(), "");

    rig.transfer->replies[kUrl] = {okResult(), "9.9.9"};
    rig.act([&] { about.Command24.click(); });
    rig.advance(1.5);
    EXPECT_TRUE(about.Command5.visible());
    EXPECT_EQ(about.NetText.text(), "9.9.9");

    rig.transfer->replies.clear();   // a failed fetch reads as no update
    rig.act([&] { about.Command24.click(); });
    rig.advance(1.5);
    EXPECT_EQ(about.Label5.caption(), "No Update Available");
    EXPECT_FALSE(about.Command5.visible());
}

class UpdatePrompt : public ::testing::Test {
protected:
    void SetUp() override {
        rig.transfer->replies[kUrl] = {okResult(), "9.9.9"};
        rig.start();
        rig.advance(4);
        ASSERT_TRUE(rig.app().exists("Form150"));
    }
    ShellRig rig;
};

TEST_F(UpdatePrompt, NoThanksHidesThePromptForThisRun) {
    rig.act([&] { rig.app().form150().Command2.click(); });
    EXPECT_FALSE(rig.app().form150().visible());
    EXPECT_FALSE(rig.app().form14().Timer3.enabled());
    rig.advance(60);
    EXPECT_FALSE(rig.app().form150().visible());
}

TEST_F(UpdatePrompt, AMissingUpdaterIsReportedAndTheProgramGoesOn) {
    rig.act([&] { rig.app().form150().Command1.click(); });
    EXPECT_FALSE(rig.app().ended());
    EXPECT_TRUE(rig.shell->started.empty());
    EXPECT_NE(rig.app().form150().Label3.caption().find("missing"), std::string::npos);
}

TEST_F(UpdatePrompt, UpdateNowStartsTheUpdaterAndEndsWithoutSaving) {
    const std::string updater = rig.app().dataPath("Dovrel");
    std::ofstream(updater) << "#!/bin/sh\n";
    rig.app().node().newApp()->KeyTransmitter(true);
    WriteWatch watch(rig.configFolder());
    rig.act([&] { rig.app().form150().Command1.click(); });
    EXPECT_EQ(rig.shell->started, (std::vector<std::string>{updater}));
    EXPECT_TRUE(rig.app().ended());
    EXPECT_FALSE(rig.app().node().keyed());
    EXPECT_TRUE(watch.written().empty());
}

TEST(About, CreationFillsCaptionAndDonationsAndHidesTheUpdateButton) {
    ShellRig rig;
    rig.start();
    Form14& about = rig.app().form14();
    EXPECT_EQ(about.caption(), "MVSmall    Q1AAA-L   v" + App::versionText());
    EXPECT_EQ(about.Label6.caption(), about.caption());
    EXPECT_EQ(about.Combo1.items(),
              (std::vector<std::string>{"Donation: $10.00", "Donation: $20.00", "Donation: $30.00", "Donation: $40.00",
                                        "Donation: $50.00"}));
    EXPECT_EQ(about.Combo1.text(), "Donation Amount");
    EXPECT_FALSE(about.visible());
}

TEST(About, MakeDonationOpensThePageOfTheChosenAmountOnly) {
    ShellRig rig;
    rig.start();
    Form14& about = rig.app().form14();
    about.Show();
    rig.act([&] { about.Command4.click(); });
    EXPECT_TRUE(rig.shell->opened.empty());
    EXPECT_TRUE(about.visible());
    rig.act([&] { about.Combo1.setListIndex(1); });
    rig.act([&] { about.Command4.click(); });
    EXPECT_EQ(rig.shell->opened, (std::vector<std::string>{web::kDonationPages[1]}));
    EXPECT_FALSE(about.visible());
}
}  // namespace
