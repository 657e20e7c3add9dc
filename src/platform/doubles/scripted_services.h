#pragma once
// Doubles of the speech, dialog, shell, tray and transfer services, for tests and the
// virtual-time console: predictable, scriptable, and they remember what was asked of them.
#include <deque>
#include <map>
#include <string>
#include <vector>

#include "core/clock.h"
#include "platform/dialogs.h"
#include "platform/shell.h"
#include "platform/speech.h"
#include "platform/transfer.h"

// Speech that takes a predictable time: 300 ms plus 60 ms a character.
class RecordingSpeech final : public SpeechService {
public:
    explicit RecordingSpeech(Clock& clock) : clock_(clock) {}
    static double secondsFor(const std::string& text) { return 0.3 + 0.06 * static_cast<double>(text.size()); }
    std::vector<std::string> voices() override { return {"default"}; }
    void setVoice(const std::string& name) override { voice = name; }
    void setRate(int r) override { rate = r; }
    void setVolume(int v) override { volume = v; }
    void speak(const std::string& text) override;                 // blocks the clock for its length
    void speakToWav(const std::string& text, const std::string& path, const AudioFormat& format) override;
    std::vector<std::string> spoken;                              // speak()
    std::vector<std::pair<std::string, std::string>> rendered;    // speakToWav(): path, text
    bool remembers = true;   // off where nobody reads the records back: they would grow for ever
    std::string voice = "default";
    int rate = 0, volume = 100;
    bool failing = false;                                         // every call throws PlatformError
private:
    Clock& clock_;
};

// Answers dialogs from a script; unscripted message boxes answer Ok (or No where Ok is not offered),
// unscripted file dialogs are cancelled.
class ScriptedDialogs final : public DialogService {
public:
    MsgAnswer messageBox(const std::string& title, const std::string& text, MsgButtons buttons,
                         MsgIcon icon) override;
    std::optional<std::string> openFile(const std::string& title, const std::string& filter,
                                        const std::string& initialDir) override;
    void answer(MsgAnswer a) { answers_.push_back(a); }
    void answerFile(std::optional<std::string> path) { files_.push_back(std::move(path)); }
    struct Shown {
        std::string title, text;
        MsgButtons buttons;
    };
    std::vector<Shown> shown;
    std::vector<std::string> fileDialogs;   // titles of the file dialogs opened
private:
    std::deque<MsgAnswer> answers_;
    std::deque<std::optional<std::string>> files_;
};

class RecordingShell final : public ShellService {
public:
    bool openUrl(const std::string& url) override;
    bool restartComputer() override;
    bool startProgram(const std::string& program, const std::vector<std::string>& args) override;
    std::vector<std::string> opened, started;
    bool remembers = true;   // as the speech double's
    int restarts = 0;
    bool failing = false;
};

class FakeTray final : public TrayService {
public:
    explicit FakeTray(bool available = true) : available_(available) {}
    bool available() const override { return available_; }
    bool add(const std::string& tip) override;
    void remove() override { shown_ = false; }
    bool shown() const override { return shown_; }
    void onClick(std::function<void()> handler) override { click_ = std::move(handler); }
    void click() {
        if (click_) click_();
    }
    std::string tip;
private:
    bool available_;
    bool shown_ = false;
    std::function<void()> click_;
};

// No network: every transfer fails at once, unless a test gives the URL a body.
class OfflineTransfer final : public TransferService, public WebPageText {
public:
    TransferResult get(const std::string& url, std::string& body, const TransferProgress& progress,
                       int timeoutSeconds) override;
    TransferResult download(const std::string& url, const std::string& path, const TransferProgress& progress,
                            int timeoutSeconds) override;
    TransferResult upload(const std::string& localPath, const std::string& url, const TransferProgress& progress,
                          int timeoutSeconds) override;
    std::optional<std::int64_t> remoteSize(const std::string& url, int timeoutSeconds) override;
    TransferResult pageText(const std::string& url, std::string& text, int timeoutSeconds,
                            const TransferProgress& progress) override;
    std::map<std::string, std::string> bodies;   // url -> body
    std::vector<std::string> requested;
    bool remembers = true;   // as the speech double's
};
