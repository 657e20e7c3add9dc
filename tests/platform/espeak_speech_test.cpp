// Speech from the real espeak-ng: files in the player's formats, speed and volume, and the
// synchronous speech that blocks for as long as it speaks.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <sys/wait.h>
#include <unistd.h>

#include "local_servers.h"
#include "platform/doubles/virtual_audio.h"
#include "platform/linux_services.h"
#include "platform/wav_file.h"
#include "support/station_fixture.h"

namespace {

class EspeakSpeechTest : public ::testing::Test {
protected:
    void SetUp() override { setenv("MVSMALL_AUDIO_SINK", "fakesink sync=true", 1); }
    void TearDown() override { unsetenv("MVSMALL_AUDIO_SINK"); }

    double secondsOf(const std::string& path) {
        auto info = readWavInfo(path);
        return info ? info->seconds : 0;
    }

    TempFolder dir;
    VirtualClock clock{0};
    VirtualAudioService virtualAudio{clock};
};

TEST_F(EspeakSpeechTest, SpeechFilesComeInTheFormatAsked) {
    auto speech = makeEspeakSpeech(virtualAudio, clock);
    for (const AudioFormat format : {AudioFormat{8000, 8, 1}, AudioFormat{16000, 16, 2}, AudioFormat{48000, 16, 1}}) {
        const std::string path = dir.file("speech" + std::to_string(format.sampleRate) + ".wav");
        speech->speakToWav("This is the net control station", path, format);
        auto info = readWavInfo(path);
        ASSERT_TRUE(info) << path;
        EXPECT_EQ(info->format, format);
        EXPECT_GT(info->seconds, 1.0);
        EXPECT_LT(info->seconds, 5.0);
        // The player itself can read it.
        auto player = makeGStreamerAudio()->newPlayer();
        player->render(path);
        EXPECT_NEAR(player->duration(), info->seconds, 0.01);
    }
}

TEST_F(EspeakSpeechTest, RateChangesTheLengthAndVolumeTheLevel) {
    auto speech = makeEspeakSpeech(virtualAudio, clock);
    const AudioFormat format{22050, 16, 1};
    const std::string text = "Good evening, this is the weekly net";
    speech->setRate(-10);
    speech->speakToWav(text, dir.file("slow.wav"), format);
    speech->setRate(10);
    speech->speakToWav(text, dir.file("fast.wav"), format);
    EXPECT_GT(secondsOf(dir.file("slow.wav")), 2 * secondsOf(dir.file("fast.wav")));

    speech->setRate(0);
    speech->setVolume(100);
    speech->speakToWav(text, dir.file("loud.wav"), format);
    speech->setVolume(25);
    speech->speakToWav(text, dir.file("quiet.wav"), format);
    const float loud = peakOf(readWavSamples(dir.file("loud.wav")));
    const float quiet = peakOf(readWavSamples(dir.file("quiet.wav")));
    EXPECT_GT(loud, 0.1f);
    EXPECT_LT(quiet, loud * 0.5f);
}

TEST_F(EspeakSpeechTest, NothingToSayStillGivesAPlayableFile) {
    auto speech = makeEspeakSpeech(virtualAudio, clock);
    speech->speakToWav("  ", dir.file("empty.wav"), AudioFormat{16000, 16, 1});
    EXPECT_GT(secondsOf(dir.file("empty.wav")), 0.0);
    EXPECT_THROW(speech->speakToWav("hi", dir.file("odd.wav"), AudioFormat{16000, 12, 1}), PlatformError);
    EXPECT_THROW(speech->speakToWav("hi", dir.file("no/such/folder.wav"), AudioFormat{16000, 16, 1}), PlatformError);
    EXPECT_THROW(speech->setVoice("no such voice"), PlatformError);
    EXPECT_FALSE(speech->voices().empty());
}

TEST_F(EspeakSpeechTest, SpeakingBlocksForTheSpeechsLengthOnTheVirtualClock) {
    auto speech = makeEspeakSpeech(virtualAudio, clock);
    speech->speakToWav("Testing the voice settings", dir.file("same.wav"), AudioFormat{22050, 16, 1});
    const double length = secondsOf(dir.file("same.wav"));
    const auto before = clock.tickCount();
    speech->speak("Testing the voice settings");
    const double waited = static_cast<double>(clock.tickCount() - before) / 1000.0;
    EXPECT_NEAR(waited, length, 0.05);
}

TEST_F(EspeakSpeechTest, SpeakingThroughGStreamerReturnsWhenTheSpeechHasEnded) {
    auto audio = makeGStreamerAudio();
    auto speech = makeEspeakSpeech(*audio);
    speech->speakToWav("Seventy three", dir.file("same.wav"), AudioFormat{22050, 16, 1});
    const double length = secondsOf(dir.file("same.wav"));
    const auto start = std::chrono::steady_clock::now();
    speech->speak("Seventy three");
    EXPECT_GE(std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count(), length * 0.9);
}

}  // namespace

namespace {
// Speech files of a run that was killed while it spoke are removed at the next start; those of
// a run still going, and anything not ours, stay.
TEST_F(EspeakSpeechTest, StaleSpeechFilesOfAKilledRunAreRemovedAtStart) {
    const pid_t dead = fork();
    if (dead == 0) _exit(0);
    waitpid(dead, nullptr, 0);
    struct Case {
        std::string name;
        bool stays;
    } cases[] = {
        {"mvsmall-speech-" + std::to_string(dead) + "-abc123.wav", false},
        {"mvsmall-speech-" + std::to_string(getpid()) + "-abc123.wav", true},
        {"mvsmall-speech-abc123.wav", true},
        {"other-" + std::to_string(dead) + "-abc123.wav", true},
    };
    for (const auto& c : cases) dir.write(c.name, "RIFF");
    const char* old = std::getenv("TMPDIR");
    const std::string saved = old ? old : "";
    setenv("TMPDIR", dir.path().c_str(), 1);
    auto speech = makeEspeakSpeech(virtualAudio, clock);
    if (old) setenv("TMPDIR", saved.c_str(), 1);
    else unsetenv("TMPDIR");
    for (const auto& c : cases) EXPECT_EQ(std::filesystem::exists(dir.file(c.name)), c.stays) << c.name;
}
}  // namespace
