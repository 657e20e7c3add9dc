#include "app/recording_services.h"

#include "core/text.h"

namespace {
class RecordingPlayer final : public AudioPlayer {
public:
    RecordingPlayer(std::unique_ptr<AudioPlayer> inner, Transcript& t) : inner_(std::move(inner)), t_(t) {}
    void render(const std::string& path) override { inner_->render(path); }
    const std::string& file() const override { return inner_->file(); }
    void run() override {
        const bool was = inner_->running();
        inner_->run();
        if (!was && inner_->running())
            t_.record("PLAY " + quoted(inner_->file()) + " vol=" + std::to_string(inner_->volume()));
    }
    void stop() override {
        const bool was = inner_->running();
        inner_->stop();
        if (was) t_.record("STOP");
    }
    bool running() const override { return inner_->running(); }
    double position() const override { return inner_->position(); }
    void setPosition(double s) override { inner_->setPosition(s); }
    double duration() const override { return inner_->duration(); }
    double rate() const override { return inner_->rate(); }
    void setRate(double r) override { inner_->setRate(r); }
    long volume() const override { return inner_->volume(); }
    void setVolume(long v) override { inner_->setVolume(v); }
private:
    std::unique_ptr<AudioPlayer> inner_;
    Transcript& t_;
};

class RecordingAudio final : public AudioService {
public:
    RecordingAudio(std::unique_ptr<AudioService> inner, Transcript& t) : inner_(std::move(inner)), t_(t) {}
    std::unique_ptr<AudioPlayer> newPlayer() override {
        return std::make_unique<RecordingPlayer>(inner_->newPlayer(), t_);
    }
private:
    std::unique_ptr<AudioService> inner_;
    Transcript& t_;
};

class RecordingSpeechService final : public SpeechService {
public:
    RecordingSpeechService(std::unique_ptr<SpeechService> inner, Transcript& t) : inner_(std::move(inner)), t_(t) {}
    std::vector<std::string> voices() override { return inner_->voices(); }
    void setVoice(const std::string& name) override { inner_->setVoice(name); }
    void setRate(int r) override { inner_->setRate(r); }
    void setVolume(int v) override { inner_->setVolume(v); }
    void speak(const std::string& text) override {
        t_.record("SPEAK " + quoted(text));
        inner_->speak(text);
    }
    void speakToWav(const std::string& text, const std::string& path, const AudioFormat& format) override {
        inner_->speakToWav(text, path, format);
        t_.record("WAV " + quoted(path) + " " + quoted(text));
    }
private:
    std::unique_ptr<SpeechService> inner_;
    Transcript& t_;
};

class RecordingDialogs final : public DialogService {
public:
    RecordingDialogs(std::unique_ptr<DialogService> inner, Transcript& t) : inner_(std::move(inner)), t_(t) {}
    MsgAnswer messageBox(const std::string& title, const std::string& text, MsgButtons buttons,
                         MsgIcon icon) override {
        t_.record("MSGBOX " + quoted(title) + " " + quoted(text));
        return inner_->messageBox(title, text, buttons, icon);
    }
    std::optional<std::string> openFile(const std::string& title, const std::string& filter,
                                        const std::string& initialDir) override {
        return inner_->openFile(title, filter, initialDir);
    }
private:
    std::unique_ptr<DialogService> inner_;
    Transcript& t_;
};

class RecordingShellService final : public ShellService {
public:
    RecordingShellService(std::unique_ptr<ShellService> inner, Transcript& t) : inner_(std::move(inner)), t_(t) {}
    bool openUrl(const std::string& url) override { return inner_->openUrl(url); }
    bool restartComputer() override {
        t_.record("RESTART");
        return inner_->restartComputer();
    }
    bool startProgram(const std::string& program, const std::vector<std::string>& args) override {
        return inner_->startProgram(program, args);
    }
private:
    std::unique_ptr<ShellService> inner_;
    Transcript& t_;
};
}  // namespace

void recordToTranscript(Services& s, Transcript& t) {
    if (s.audio) s.audio = std::make_unique<RecordingAudio>(std::move(s.audio), t);
    if (s.speech) s.speech = std::make_unique<RecordingSpeechService>(std::move(s.speech), t);
    if (s.dialogs) s.dialogs = std::make_unique<RecordingDialogs>(std::move(s.dialogs), t);
    if (s.shell) s.shell = std::make_unique<RecordingShellService>(std::move(s.shell), t);
}
