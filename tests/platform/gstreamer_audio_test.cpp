// Playback through the real GStreamer with no sound card: a fake sink that keeps real time, or
// a WAV recorder where the test looks at what was played.
#include <gst/gst.h>
#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <cstdlib>
#include <thread>

#include "local_servers.h"
#include "platform/linux_services.h"
#include "platform/wav_file.h"
#include "support/station_fixture.h"

namespace {

using Wall = std::chrono::steady_clock;

std::vector<float> tone(double seconds, int rate, float level) {
    std::vector<float> s(static_cast<size_t>(seconds * rate));
    for (size_t i = 0; i < s.size(); ++i) s[i] = level * static_cast<float>(std::sin(2 * M_PI * 440.0 * i / rate));
    return s;
}

// Waits, in real time, for the player to play to its end; false if it never gets there.
bool playToEnd(AudioPlayer& p, double limitSeconds = 10) {
    const auto until = Wall::now() + std::chrono::duration<double>(limitSeconds);
    while (p.running()) {
        if (Wall::now() > until) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return true;
}

class GStreamerAudioTest : public ::testing::Test {
protected:
    void SetUp() override { setenv("MVSMALL_AUDIO_SINK", "fakesink sync=true", 1); }
    void TearDown() override { unsetenv("MVSMALL_AUDIO_SINK"); }

    std::string wav(const std::string& name, double seconds, float level = 0.5f) {
        const std::string path = dir.file(name);
        writeWav(path, AudioFormat{22050, 16, 1}, tone(seconds, 22050, level));
        return path;
    }

    // An MP3 made here by GStreamer's own encoder; empty where the encoder is missing.
    std::string mp3(const std::string& name, double seconds) {
        gst_init(nullptr, nullptr);
        GstElementFactory* lame = gst_element_factory_find("lamemp3enc");
        if (!lame) return "";
        gst_object_unref(lame);
        const std::string path = dir.file(name);
        const int buffers = static_cast<int>(seconds * 44100 / 1024);
        const std::string desc = "audiotestsrc num-buffers=" + std::to_string(buffers) +
                                 " samplesperbuffer=1024 ! audio/x-raw,rate=44100,channels=1 ! "
                                 "lamemp3enc target=bitrate bitrate=64 cbr=true ! filesink location=\"" + path + "\"";
        GstElement* pipeline = gst_parse_launch(desc.c_str(), nullptr);
        if (!pipeline) return "";
        gst_element_set_state(pipeline, GST_STATE_PLAYING);
        GstBus* bus = gst_element_get_bus(pipeline);
        GstMessage* msg = gst_bus_timed_pop_filtered(bus, 10 * GST_SECOND,
                                                     static_cast<GstMessageType>(GST_MESSAGE_EOS | GST_MESSAGE_ERROR));
        const bool ok = msg && GST_MESSAGE_TYPE(msg) == GST_MESSAGE_EOS;
        if (msg) gst_message_unref(msg);
        gst_object_unref(bus);
        gst_element_set_state(pipeline, GST_STATE_NULL);
        gst_object_unref(pipeline);
        return ok ? path : "";
    }

    TempFolder dir;
    std::unique_ptr<AudioService> audio = makeGStreamerAudio();
};

TEST_F(GStreamerAudioTest, WavKnowsItsLengthBeforePlayingAndEndsAtIt) {
    auto p = audio->newPlayer();
    p->render(wav("tone.wav", 0.6));
    EXPECT_NEAR(p->duration(), 0.6, 0.001);
    EXPECT_EQ(p->position(), 0.0);
    EXPECT_FALSE(p->running());
    p->run();
    EXPECT_TRUE(p->running());
    ASSERT_TRUE(playToEnd(*p));
    EXPECT_EQ(p->position(), p->duration());
    p->run();  // at the end a run changes nothing
    EXPECT_FALSE(p->running());
    EXPECT_EQ(p->position(), p->duration());
}

TEST_F(GStreamerAudioTest, Mp3KnowsItsLengthBeforePlayingAndEndsAtIt) {
    const std::string path = mp3("tone.mp3", 1.0);
    if (path.empty()) GTEST_SKIP() << "no MP3 encoder in this GStreamer";
    auto p = audio->newPlayer();
    p->render(path);
    EXPECT_NEAR(p->duration(), 1.0, 0.1);
    auto probed = probeAudioSeconds(path);
    ASSERT_TRUE(probed);
    EXPECT_NEAR(*probed, p->duration(), 0.05);
    p->run();
    ASSERT_TRUE(playToEnd(*p));
    EXPECT_EQ(p->position(), p->duration());
}

TEST_F(GStreamerAudioTest, StopKeepsThePositionAndASetPositionMovesIt) {
    auto p = audio->newPlayer();
    p->render(wav("tone.wav", 2.0));
    p->setPosition(1.5);
    EXPECT_NEAR(p->position(), 1.5, 0.01);
    p->run();
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    p->stop();
    const double held = p->position();
    EXPECT_GT(held, 1.5);
    EXPECT_FALSE(p->running());
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    EXPECT_EQ(p->position(), held);
    p->run();
    ASSERT_TRUE(playToEnd(*p));
    EXPECT_EQ(p->position(), p->duration());
}

TEST_F(GStreamerAudioTest, RateMakesItPlayFaster) {
    auto p = audio->newPlayer();
    p->render(wav("tone.wav", 2.0));
    p->setRate(4.0);
    EXPECT_EQ(p->rate(), 4.0);
    const auto start = Wall::now();
    p->run();
    ASSERT_TRUE(playToEnd(*p));
    // Two seconds of sound at four times the speed: half a second, far less than two.
    EXPECT_LT(std::chrono::duration<double>(Wall::now() - start).count(), 1.5);
    EXPECT_EQ(p->position(), p->duration());
}

TEST_F(GStreamerAudioTest, VolumeInHundredthsOfADecibelScalesTheSound) {
    struct Case { long volume; float expectedPeak; bool setBeforeRender; };
    const Case cases[] = {{0, 0.5f, false}, {-600, 0.5f * std::pow(10.0f, -0.3f), false}, {-2000, 0.05f, false},
                          {-10000, 0.0f, false}, {-2000, 0.05f, true}};
    int n = 0;
    for (const Case& c : cases) {
        const std::string out = dir.file("played" + std::to_string(++n) + ".wav");
        setenv("MVSMALL_AUDIO_SINK", ("audioconvert ! audio/x-raw,format=S16LE ! wavenc ! filesink location=\"" + out + "\"").c_str(), 1);
        {
            auto p = audio->newPlayer();
            if (c.setBeforeRender) p->setVolume(c.volume);
            p->render(wav("loud.wav", 0.3));
            if (!c.setBeforeRender) p->setVolume(c.volume);
            EXPECT_EQ(p->volume(), c.volume);
            p->run();
            ASSERT_TRUE(playToEnd(*p));
        }
        EXPECT_NEAR(peakOf(readWavSamples(out)), c.expectedPeak, 0.01) << "volume " << c.volume;
    }
}

TEST_F(GStreamerAudioTest, FilesThatCannotBePlayedAreErrors) {
    auto p = audio->newPlayer();
    EXPECT_THROW(p->render(dir.file("missing.wav")), PlatformError);
    dir.write("notes.wav", "these are not the sounds you are looking for");
    EXPECT_THROW(p->render(dir.file("notes.wav")), PlatformError);
    EXPECT_FALSE(probeAudioSeconds(dir.file("notes.wav")));
    EXPECT_FALSE(p->running());
    EXPECT_EQ(p->file(), "");
}

TEST_F(GStreamerAudioTest, ABadForcedSinkIsAnError) {
    setenv("MVSMALL_AUDIO_SINK", "no-such-sink-element", 1);
    auto p = audio->newPlayer();
    EXPECT_THROW(p->render(wav("tone.wav", 0.2)), PlatformError);
}

}  // namespace
