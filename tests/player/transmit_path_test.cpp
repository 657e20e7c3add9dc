#include <gtest/gtest.h>

#include <filesystem>

#include "core/timing.h"
#include "dtmfplayer/dtmf_player_window.h"
#include "shell/error_log_window.h"
#include "player_test_support.h"

TEST(TransmitPath, PlayButtonKeysPlaysAndReleasesWithinOneDriverTickOfTheEnd) {
    Station s({"2026-12-10 13:59:50"});
    const std::string file = audioFile(s, "ident.wav", 2.5);
    TimedTranscript t(s);
    s.set("Form1.txtFile", file);
    s.click("Form1.Command3");
    s.advance(4);

    EXPECT_EQ(t.keyAndPlay(), (std::vector<std::string>{"KEY on", "PLAY \"" + file + "\" vol=-1540", "KEY off"}));
    const auto keyOn = t.at("KEY on"), play = t.at("PLAY"), keyOff = t.at("KEY off");
    EXPECT_EQ(play - keyOn, timing::kKeyUpDelayMs);
    const auto end = play + 2500;
    EXPECT_GE(keyOff, end);
    EXPECT_LE(keyOff - end, timing::kTimerResolutionMs);

    Form1& p = s.app().form1();
    EXPECT_FALSE(s.node().keyed());
    EXPECT_EQ(p.Label1.caption(), "0");
    EXPECT_EQ(p.Label2.caption(), p.Label3.caption());
    EXPECT_EQ(p.Label3.caption(), "2.5");
    EXPECT_EQ(p.Text1.text(), "00:00:00");
    EXPECT_EQ(p.Text2.text(), "00:00:02");
    EXPECT_EQ(p.Text3.text(), "00:00:02");
    EXPECT_EQ(p.PTT.caption(), "PTT OFF");
    EXPECT_EQ(p.PTT2.caption(), "STOP");
    EXPECT_TRUE(s.dialogs->fileDialogs.empty());
}

TEST(TransmitPath, LabelsAndCaptionsFollowTheTransmission) {
    Station s;
    const std::string file = audioFile(s, "long.wav", 10);
    transmit(s, file);
    s.advance(2);
    Form1& p = s.app().form1();
    EXPECT_TRUE(s.node().keyed());
    EXPECT_NE(p.Label2.caption(), p.Label3.caption());
    EXPECT_EQ(p.PTT.caption(), "PTT ON");
    EXPECT_EQ(p.PTT2.caption(), "PLAY");
    EXPECT_EQ(s.app().form23().PTT.caption(), "PTT ON");
    EXPECT_EQ(s.app().form24().PTT.caption(), "PTT ON");
    EXPECT_EQ(s.app().form22().PTT.caption(), "PTT ON");
    EXPECT_EQ(p.Check2.value(), 1);   // one second after "PLAY" first showed
    EXPECT_EQ(s.app().form24().Label4.caption(), "00:00:10");

    s.app().act([&] { p.StopFile(); });
    EXPECT_FALSE(s.node().keyed());
    EXPECT_EQ(p.Check2.value(), 0);
    s.advance(0.1);
    EXPECT_EQ(p.PTT.caption(), "PTT OFF");
    EXPECT_EQ(s.app().form22().PTT.caption(), "PTT OFF");
}

struct TailCase {
    const char* name;
    int option;        // 3 "Delay 1", 4 "Delay 2", 5 "None"
    int addDelay;
    int expectedTailMs;
    int ferrinAfter;
};

class TailDelay : public ::testing::TestWithParam<TailCase> {};

TEST_P(TailDelay, HoldsTheKeyForTheRequestedTailOnce) {
    const TailCase c = GetParam();
    Station s;
    const std::string file = audioFile(s, "tone.wav", 1);
    Form22& courtesy = s.app().form22();
    OptionButton* options[] = {&courtesy.Option3, &courtesy.Option4, &courtesy.Option5};
    options[c.option - 3]->setValue(true);
    Form1& p = s.app().form1();
    p.AddDelay.setValue(c.addDelay);
    TimedTranscript t(s);
    p.ferrin = 1;
    transmit(s, file);
    s.advance(2);

    const auto end = t.at("PLAY") + 1000;
    const auto released = t.at("KEY off") - end;
    EXPECT_GE(released, c.expectedTailMs);
    EXPECT_LE(released, c.expectedTailMs + timing::kTimerResolutionMs);
    EXPECT_EQ(p.ferrin, c.ferrinAfter);
    EXPECT_FALSE(s.node().keyed());
}

INSTANTIATE_TEST_SUITE_P(
    Player, TailDelay,
    ::testing::Values(TailCase{"Delay1", 3, 1, timing::kTailDelay1Ms, 0},
                      TailCase{"Delay2", 4, 1, timing::kTailDelay2Ms, 0},
                      TailCase{"NoneKeepsTheRequest", 5, 1, 0, 1},
                      TailCase{"AddDelayOffConsumesTheRequest", 3, 0, 0, 0}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(TransmitPath, TxFileDuringPlaybackReplacesTheFileWithoutReleasing) {
    Station s;
    const std::string first = audioFile(s, "first.wav", 10);
    const std::string second = audioFile(s, "second.wav", 3);
    TimedTranscript t(s);
    transmit(s, first);
    s.advance(4);
    transmit(s, second);
    const auto secondPlay = t.at("PLAY", 1);
    s.advance(5);

    EXPECT_EQ(t.keyAndPlay(), (std::vector<std::string>{"KEY on", "PLAY \"" + first + "\" vol=0", "STOP",
                                                          "PLAY \"" + second + "\" vol=0", "KEY off"}));
    const auto keyOff = t.at("KEY off");
    EXPECT_GE(keyOff, secondPlay + 3000);
    EXPECT_LE(keyOff, secondPlay + 3000 + timing::kTimerResolutionMs);
    EXPECT_EQ(s.app().form1().Label3.caption(), "3");
}

TEST(TransmitPath, MissingFileLogsOneLineAndTransmitsTheSilentFile) {
    Station s({"2026-12-10 09:05:07"});
    const std::string missing = s.dataFile("nowhere.wav");
    const std::string blank = s.app().dataPath("Blank.wav");
    transmit(s, missing);
    Form1& p = s.app().form1();
    EXPECT_EQ(s.transcript().count("LOG "), 1);
    EXPECT_NE(s.app().form120().Text1.text().find("09:05:07 --> " + missing + " <-- Audio File not found Please Check \r\n"),
              std::string::npos);
    EXPECT_EQ(p.txtFile.text(), blank);
    EXPECT_TRUE(s.transcript().contains("PLAY \"" + blank + "\""));
    s.advance(2);
    EXPECT_FALSE(s.node().keyed());

    // The same request again plays the silent file without another line.
    s.app().act([&] { p.TXFile(); });
    s.advance(2);
    EXPECT_EQ(s.transcript().count("LOG "), 1);
    EXPECT_EQ(s.transcript().count("PLAY \"" + blank + "\""), 2);
}

TEST(TransmitPath, OnlyTheOperatorsButtonsOpenTheFileDialog) {
    Station s;
    const std::string picked = audioFile(s, "picked.wav", 1);

    transmit(s, "");   // an unattended request with no file
    EXPECT_TRUE(s.dialogs->fileDialogs.empty());
    EXPECT_TRUE(s.transcript().contains("LOG \" <-- Audio File not found Please Check \""));
    s.advance(2);

    s.dialogs->answerFile(picked);
    s.set("Form1.txtFile", "");
    s.click("Form1.Command3");
    EXPECT_EQ(s.dialogs->fileDialogs.size(), 1u);
    EXPECT_TRUE(s.transcript().contains("PLAY \"" + picked + "\""));
    s.advance(2);

    s.click("Form1.Command4");   // "File", cancelled
    EXPECT_EQ(s.dialogs->fileDialogs.size(), 2u);
    EXPECT_EQ(s.app().form1().txtFile.text(), s.app().dataPath("Blank.wav"));
}

TEST(TransmitPath, UnplayableFileIsLoggedAndStoppedASecondLater) {
    Station s;
    const std::string broken = audioFile(s, "broken.wav", -1);   // a file the player cannot measure
    transmit(s, broken);
    EXPECT_TRUE(s.transcript().contains("LOG \"" + broken + " <-- Audio File not found Please Check and Try Again \""));
    EXPECT_TRUE(s.dialogs->shown.empty());   // unattended: logged, no message box
    EXPECT_TRUE(s.node().keyed());
    s.advance(1.1);
    EXPECT_FALSE(s.node().keyed());
    EXPECT_EQ(s.app().form1().Label1.caption(), "0");
    EXPECT_EQ(s.app().form1().txtFile.text(), s.app().dataPath("Blank.wav"));
}

TEST(TransmitPath, AFileLongerThanThePositionSliderReachesStillPlays) {
    Station s;
    const std::string longFile = audioFile(s, "long.wav", 40000);
    transmit(s, longFile);
    EXPECT_FALSE(s.transcript().contains("LOG "));
    EXPECT_EQ(s.app().form1().Label3.caption(), "40000");
    s.advance(5);
    EXPECT_TRUE(s.node().keyed());
    EXPECT_EQ(s.app().form1().H1.value(), 5);
}

TEST(TransmitPath, UnplayableFileAskedForByTheOperatorShowsTheMessageBox) {
    Station s;
    const std::string broken = audioFile(s, "broken.wav", -1);
    s.set("Form1.txtFile", broken);
    s.click("Form1.Command3");
    ASSERT_EQ(s.dialogs->shown.size(), 1u);
    EXPECT_EQ(s.dialogs->shown[0].title, "Error");
    EXPECT_EQ(s.dialogs->shown[0].text, "Audio File not found Please Check and Try Again");
}

TEST(TransmitPath, ANewTransmissionOutlivesTheStopOfAFailedOne) {
    Station s;
    const std::string broken = audioFile(s, "broken.wav", -1);
    const std::string good = audioFile(s, "good.wav", 5);
    transmit(s, broken);
    s.advance(0.2);
    transmit(s, good);
    s.advance(2);
    EXPECT_TRUE(s.node().keyed());
    EXPECT_NE(s.app().form1().Label1.caption(), "0");
}

TEST(TransmitPath, LoadWithoutReloadKeepsThePlayingFile) {
    Station s;
    const std::string a = audioFile(s, "a.wav", 10);
    const std::string b = audioFile(s, "b.wav", 10);
    transmit(s, a);
    s.advance(1);
    Form1& p = s.app().form1();
    const AudioPlayer* before = &p.graph();
    p.txtFile.setText(b);
    s.app().act([&] { p.LoadFile(false); });
    EXPECT_EQ(&p.graph(), before);
    EXPECT_EQ(p.graph().file(), a);
    EXPECT_TRUE(p.graph().running());
}

TEST(TransmitPath, WaitLetsEventsRunUntilItsTimeHasPassed) {
    Station s;
    Form1& p = s.app().form1();
    const auto start = s.clock().tickCount();
    s.app().act([&] { p.Wait(0); });
    EXPECT_GT(s.clock().tickCount(), start);
    transmit(s, audioFile(s, "a.wav", 10));
    s.app().act([&] { p.Wait(2); });
    EXPECT_GT(s.clock().tickCount(), start + 2000);
    // The progress display ran meanwhile: it shows the position of its last 16 ms tick.
    EXPECT_NEAR(std::stod(p.Label2.caption()), 2.0, 0.016);
}

TEST(TransmitPath, ScheduledBulletinListsTheNodeBusyOnce) {
    Station s;
    const std::string file = audioFile(s, "news.mp3", 1);
    Form24& news = s.app().form24();
    news.ferrin2 = 1;
    transmit(s, file);
    EXPECT_EQ(news.ferrin2, 0);
    EXPECT_TRUE(s.node().busy());
    s.app().act([&] { s.app().form1().EchoLink().Busy(false); });
    transmit(s, file);
    EXPECT_FALSE(s.node().busy());
}

TEST(TransmitPath, SpeechDelayFollowsTheIdentsWindow) {
    Station s;
    const std::string file = audioFile(s, "a.wav", 1);
    Form3& idents = s.app().form3();
    Form1& p = s.app().form1();
    idents.TTSCTRL.setValue(1);

    struct Case {
        const char* period;
        int flagtime;
        const char* periodAfter;
        int increments;
    } cases[] = {{"0", 0, "0", 0}, {"12", 0, "9", 9}, {"", 0, "9", 9}, {"4", 0, "4", 4}, {"4", 1, "4", 0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.period);
        idents.TTSPeriod.setText(c.period);
        idents.flagtime = c.flagtime;
        p.TTSDelay = 0;
        transmit(s, file);
        EXPECT_EQ(idents.TTSPeriod.text(), c.periodAfter);
        EXPECT_EQ(p.TTSDelay, c.increments);
        EXPECT_EQ(idents.flagtime, 0);
        s.advance(2);
    }
}

TEST(TransmitPath, KillFileKeepsTheLabelsAndDeletesTheSpeechFile) {
    Station s;
    const std::string file = audioFile(s, "long.wav", 10);
    s.dataFolder().write("speech.wav", "old speech");
    s.app().form3().wavfile.setText(s.dataFile("speech.wav"));
    transmit(s, file);
    s.advance(2);
    Form1& p = s.app().form1();
    const std::string left = p.Label1.caption();
    s.app().act([&] { p.KillFile(); });
    s.advance(1);
    EXPECT_EQ(p.Label1.caption(), left);
    EXPECT_TRUE(s.node().keyed());   // until the next TXFile or StopFile
    EXPECT_FALSE(std::filesystem::exists(s.dataFile("speech.wav")));
    s.app().act([&] { p.StopFile(); });
    EXPECT_FALSE(s.node().keyed());
}

TEST(TransmitPath, StopPlayerAtIdleStillClearsBusyAndTheKey) {
    Station s;
    s.app().act([&] { s.app().form1().EchoLink().Busy(true); });
    s.click("Form1.Command9");
    EXPECT_FALSE(s.node().busy());
    EXPECT_FALSE(s.node().keyed());
    EXPECT_EQ(s.app().form1().Label1.caption(), "0");
}

TEST(TransmitPath, RepeaterModeShowsLocalReceiveOnTheCourtesyLabelOnly) {
    Station s;
    s.app().form1();
    Form22& courtesy = s.app().form22();
    courtesy.Option6.setValue(true);
    s.node().setCarrier(true);   // local RF: the courtesy window shows "Receiving  RF"
    s.advance(1.1);
    ASSERT_EQ(courtesy.RFUser.text(), "Receiving  RF");
    EXPECT_EQ(courtesy.PTT.caption(), "PTT ON");
    EXPECT_EQ(s.app().form1().PTT.caption(), "PTT OFF");
    EXPECT_FALSE(s.node().keyed());
}

TEST(TransmitPath, UnreachableEchoLinkStillPlaysAndShowsReleased) {
    Station s;
    const std::string file = audioFile(s, "a.wav", 2);
    s.node().setUnreachable(true);
    transmit(s, file);
    s.advance(1);
    EXPECT_TRUE(s.transcript().contains("PLAY"));
    EXPECT_EQ(s.app().form1().PTT.caption(), "PTT OFF");
    EXPECT_EQ(s.app().form1().PTT2.caption(), "PLAY");
}

TEST(TransmitPath, SecondPartFlagClearsThreeSecondsAfterTheHookStartsIt) {
    Station s;
    Form1& p = s.app().form1();
    Form24& news = s.app().form24();
    news.Play2ndFile = 1;
    p.Timer7.enable();
    s.advance(2.9);
    EXPECT_EQ(news.Play2ndFile, 1);
    s.advance(0.2);
    EXPECT_EQ(news.Play2ndFile, 0);
    EXPECT_FALSE(p.Timer7.enabled());
}
