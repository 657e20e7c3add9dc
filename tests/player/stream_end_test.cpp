// A sound back end whose stream ends a little short of the length it reported must not leave
// the transmitter keyed.
#include <gtest/gtest.h>

#include "player_test_support.h"

namespace {
// Wraps the virtual player: at the end of the stream it stops 50 ms short of its length.
class ShortEndPlayer final : public AudioPlayer {
public:
    explicit ShortEndPlayer(std::unique_ptr<AudioPlayer> inner) : inner_(std::move(inner)) {}
    void render(const std::string& path) override { inner_->render(path); }
    const std::string& file() const override { return inner_->file(); }
    void run() override { inner_->run(); }
    void stop() override { inner_->stop(); }
    bool running() const override { return inner_->running(); }
    double position() const override { return std::min(inner_->position(), inner_->duration() - 0.05); }
    void setPosition(double s) override { inner_->setPosition(s); }
    double duration() const override { return inner_->duration(); }
    double rate() const override { return inner_->rate(); }
    void setRate(double r) override { inner_->setRate(r); }
    long volume() const override { return inner_->volume(); }
    void setVolume(long v) override { inner_->setVolume(v); }
private:
    std::unique_ptr<AudioPlayer> inner_;
};

class ShortEndAudio final : public AudioService {
public:
    explicit ShortEndAudio(Clock& clock) : inner(clock) {}
    std::unique_ptr<AudioPlayer> newPlayer() override { return std::make_unique<ShortEndPlayer>(inner.newPlayer()); }
    VirtualAudioService inner;
};
}  // namespace

TEST(StreamEnd, AStreamEndingShortOfItsLengthStillReleasesTheTransmitter) {
    TempFolder config, data, home;
    auto clock = std::make_shared<VirtualClock>(*parseDateTime("2026-12-10 12:00:00"));
    AppOptions o;
    o.clock = clock;
    o.virtualStart = clock->now();
    o.folders = {config.path(), data.path(), home.path()};
    Services services;
    auto audio = std::make_unique<ShortEndAudio>(*clock);
    ShortEndAudio* backend = audio.get();
    services.audio = std::move(audio);
    services.speech = std::make_unique<RecordingSpeech>(*clock);
    services.dialogs = std::make_unique<ScriptedDialogs>();
    services.shell = std::make_unique<RecordingShell>();
    services.tray = std::make_unique<FakeTray>(true);
    services.transfer = std::make_unique<OfflineTransfer>();
    services.webText = std::make_unique<OfflineTransfer>();
    App app(std::move(o), std::move(services));

    data.write("tone.wav", "audio");
    backend->inner.setLength(data.file("tone.wav"), 2);
    app.act([&] {
        Form1& p = app.form1();
        p.txtFile.setText(data.file("tone.wav"));
        p.TXFile();
    });
    app.act([&] { app.loop().runFor(2500); });
    EXPECT_TRUE(app.node().keyed());   // the stream stands still 50 ms short of its end
    app.act([&] { app.loop().runFor(1000); });
    EXPECT_FALSE(app.node().keyed());
    EXPECT_EQ(app.form1().Label1.caption(), "0");
    EXPECT_EQ(app.form1().Label2.caption(), app.form1().Label3.caption());
}
