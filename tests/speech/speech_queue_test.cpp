#include "beacons/beacon_set1_window.h"
#include "core/event_loop.h"
#include "player/player_window.h"
#include "shell/error_log_window.h"
#include "speech/courtesy_window.h"
#include "speech/idents_window.h"
#include "speech_support.h"

namespace {
void queue(Form3& f, const std::string& text) {
    f.SayTheText = text;
    f.flag2 = 1;
}
}  // namespace

TEST(SpeechQueue, AQueuedTextWaitsWhileACarrierIsPresentAndIsSpokenWhenItFalls) {
    Station s({"2026-12-10 10:00:05"});
    Form3& f = s.app().form3();
    s.node().setCarrier(true);
    queue(f, "*IRELAND* N0CALL-L");
    s.advance(5);
    EXPECT_TRUE(s.speech->spoken.empty());
    EXPECT_EQ(f.flag2, 1);
    s.node().setCarrier(false);
    s.advance(2);
    // Conference asterisks become blanks and a node suffix's hyphen a colon.
    EXPECT_EQ(s.speech->spoken, std::vector<std::string>{" IRELAND  N0CALL:L"});
    EXPECT_EQ(f.flag2, 0);
    EXPECT_EQ(linesStarting(s, {"KEY", "SPEAK"}),
              (std::vector<std::string>{"KEY on", "SPEAK \" IRELAND  N0CALL:L\"", "KEY off"}));
}

TEST(SpeechQueue, AQueuedTextIsDroppedWhileThePlayerIsOnTheAir) {
    Station s({"2026-12-10 10:00:05"});
    Form3& f = s.app().form3();
    putLongFileOnAir(s);
    s.advance(1);
    ASSERT_EQ(s.app().form1().PTT.caption(), "PTT ON");
    queue(f, "held");
    s.advance(2);   // the keyed transmitter holds the one-second queue service
    EXPECT_TRUE(s.speech->spoken.empty());
    EXPECT_EQ(f.flag2, 1);
    s.app().act([&] { f.SpeakTheText(); });   // as a command or an announcement would
    EXPECT_TRUE(s.speech->spoken.empty());
    EXPECT_EQ(f.flag2, 0);
    stopFileOnAir(s);
    s.advance(2);
    EXPECT_FALSE(s.node().keyed());
    EXPECT_TRUE(s.speech->spoken.empty()) << "the dropped text does not come back after the file";
    EXPECT_EQ(s.app().form22().PTT.caption(), "PTT OFF");
}

TEST(SpeechQueue, HeldWhileAnnouncementsAreDisabledOrTheSpeechHoldIsOn) {
    Station s({"2026-12-10 10:00:05"});
    Form3& f = s.app().form3();
    f.Check1.setValue(1);
    queue(f, "later");
    s.advance(3);
    EXPECT_TRUE(s.speech->spoken.empty());
    f.Check1.setValue(0);
    f.StopTTS = 1;
    s.advance(3);
    EXPECT_TRUE(s.speech->spoken.empty());
    EXPECT_EQ(f.flag2, 1);
    f.StopTTS = 0;
    s.advance(2);
    EXPECT_EQ(s.speech->spoken, std::vector<std::string>{"later"});
}

TEST(SpeechQueue, ATextQueuedWhileSpeechLetsEventsRunStaysQueued) {
    Station s({"2026-12-10 10:00:05"});
    Form3& f = s.app().form3();
    s.app().act([&] {
        s.loop().post([&] { queue(f, "second"); });
        f.SayTheText = "first";
        f.SpeakTheText();
    });
    EXPECT_EQ(f.flag2, 1);
    EXPECT_EQ(f.SayTheText, "second");
    s.advance(2);
    EXPECT_EQ(s.speech->spoken, (std::vector<std::string>{"first", "second"}));
}

TEST(SpeechQueue, SpeechDelayRunsItsIncrementsUnlessSkippedOnce) {
    Station s({"2026-12-10 10:00:05"});
    Form3& f = s.app().form3();
    f.TTSCTRL.setValue(1);
    f.TTSPeriod.setText("12");
    const auto t0 = s.clock().tickCount();
    s.app().act([&] { f.SpeechDelay(); });
    EXPECT_EQ(f.TTSPeriod.text(), "9");
    EXPECT_EQ(s.clock().tickCount() - t0, 9 * 150);
    f.flagtime = 1;
    const auto t1 = s.clock().tickCount();
    s.app().act([&] { f.SpeechDelay(); });
    EXPECT_EQ(s.clock().tickCount(), t1);
    EXPECT_EQ(f.flagtime, 0);
}

TEST(SpeechQueue, InternetAudioFlagFollowsEveryRxEvenWhileAnnouncementsAreDisabled) {
    Station s;
    Form3& f = s.app().form3();
    f.Check1.setValue(1);
    s.node().setInternetAudio(true);
    s.advance(0.1);
    EXPECT_EQ(f.InUse, 1);
    s.node().setInternetAudio(false);
    s.advance(0.1);
    EXPECT_EQ(f.InUse, 0);
}

TEST(SpeakNow, RendersTheTextAndHandsTheFileToThePlayer) {
    Station s({"2026-12-10 10:00:05"});
    Form3& f = s.app().form3();
    f.VolSet.setText("-600");
    Form111& beacons = s.app().form111();
    beacons.TempText = "Net tonight at eight";
    s.app().act([&] { beacons.TestTTW(); });
    const std::string wav = s.settingsFile("Text_To_Wav.wav");   // the running station's own
    EXPECT_EQ(f.wavfile.text(), wav);
    EXPECT_EQ(s.speech->rendered, (std::vector<std::pair<std::string, std::string>>{{wav, "Net tonight at eight"}}));
    EXPECT_TRUE(s.transcript().contains("WAV " + ::quoted(wav) + " \"Net tonight at eight\""));
    EXPECT_EQ(s.app().form1().txtFile.text(), wav);
    EXPECT_EQ(s.app().form1().TempVolSet.text(), "-600");
    EXPECT_EQ(f.ferrin, 1);
}

TEST(SpeakNow, IsDroppedWhileDisabledOrBusy) {
    Station s({"2026-12-10 10:00:05"});
    Form3& f = s.app().form3();
    Form111& beacons = s.app().form111();
    beacons.TempText = "dropped";
    f.Check1.setValue(1);
    s.app().act([&] { beacons.TestTTW(); });
    f.Check1.setValue(0);
    s.node().setActivity(true);
    s.app().act([&] { beacons.TestTTW(); });
    s.node().setActivity(false);
    f.PTT.setCaption("PTT ON");
    s.app().act([&] { beacons.TestTTW(); });
    EXPECT_TRUE(s.speech->rendered.empty());
    EXPECT_FALSE(s.transcript().contains("PLAY"));

    // The window's own test button has no busy test.
    f.Text1.setText("test text");
    f.Command1.click();
    EXPECT_EQ(s.speech->rendered.size(), 1u);
}

TEST(SpeakNow, AnEmptyTextRendersABlankAndAMissingFolderStillReachesThePlayer) {
    Station s({"2026-12-10 10:00:05"});
    Form3& f = s.app().form3();
    s.app().form111().TempText = "";
    s.app().act([&] { s.app().form111().TestTTW(); });
    ASSERT_EQ(s.speech->rendered.size(), 1u);
    EXPECT_EQ(s.speech->rendered[0].second, " ");

    s.advance(2);   // the blank ends: a request while it is on the air would be dropped
    const std::string missing = s.dataFile("no/such/folder/speech.wav");
    f.wavfile.setText(missing);
    s.app().act([&] { s.app().form111().TestTTW(); });
    EXPECT_EQ(s.speech->rendered.size(), 1u);
    // The player is still asked, finds no file, logs it and sends its blank sound instead.
    EXPECT_NE(s.app().form120().Text1.text().find(missing + " <-- Audio File not found Please Check \r\n"),
              std::string::npos);
    EXPECT_EQ(s.app().form1().txtFile.text(), s.dataFile("Blank.wav"));
}

TEST(SpeakNow, TheSpeechFileTakesThePlayersAudioFormat) {
    struct Case {
        OptionButton Form1::*option;
        AudioFormat format;
    };
    const Case cases[] = {
        {&Form1::Option1, {8000, 8, 1}},
        {&Form1::Option2, {16000, 16, 1}},
        {&Form1::Option9, {11025, 16, 2}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.format.sampleRate);
        Station s({"2026-12-10 10:00:05"});
        Form3& f = s.app().form3();
        (s.app().form1().*c.option).setValue(true);
        f.Text1.setText("format test");
        f.Command1.click();
        const auto info = readWavInfo(f.wavfile.text());
        ASSERT_TRUE(info.has_value());
        EXPECT_EQ(info->format, c.format);
    }
}

TEST(SpeakNow, EndOfNewsTextIsQueuedFromTheSecondCallOn) {
    Station s;
    Form3& f = s.app().form3();
    f.SayEndOfFile();
    EXPECT_EQ(f.flag2, 0);
    f.SayEndOfFile();
    EXPECT_EQ(f.flag2, 1);
    EXPECT_EQ(f.SayTheText, " End of Local News . Link : On.");
}
