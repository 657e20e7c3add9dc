// Speech on espeak-ng: the voice renders into memory; a file is written in the asked format,
// or played through the playback service while the caller waits.
#include <espeak-ng/speak_lib.h>
#include <samplerate.h>
#include <pthread.h>
#include <sys/stat.h>
#include <signal.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <cstdlib>
#include <functional>
#include <mutex>

#include "platform/linux_services.h"
#include "platform/wav_file.h"

namespace {

// The engine is one per process and not reentrant.
std::mutex engineMutex;
int engineRate = 0;  // samples a second, 0 until the engine started

std::string engineFailure;   // why the engine could not start, once it was tried

// Where one rendering's samples go, and what says it must stop.
struct Rendering {
    std::vector<float> samples;
    const std::function<bool()>* ending = nullptr;
    bool stopped = false;
};

int collect(short* wav, int count, espeak_EVENT* events) {
    if (!events) return 0;
    auto* out = static_cast<Rendering*>(events->user_data);
    if (!out) return 0;
    if (*out->ending && (*out->ending)()) {
        out->stopped = true;
        return 1;   // the engine abandons the text
    }
    if (!wav || count <= 0) return 0;
    for (int i = 0; i < count; ++i) out->samples.push_back(static_cast<float>(wav[i]) / 32768.0f);
    return 0;
}

// Whether this process can start one more thread now (the engine aborts the program when it
// cannot start its own, so it is asked first).
bool threadAvailable() {
    pthread_t probe;
    if (pthread_create(&probe, nullptr, [](void*) -> void* { return nullptr; }, nullptr) != 0) return false;
    pthread_join(probe, nullptr);
    return true;
}

// Tried once: the engine keeps a thread for the life of the process, taken when it starts.
void startEngine() {
    if (engineRate > 0) return;
    if (!engineFailure.empty()) throw PlatformError(engineFailure);
    if (!threadAvailable()) {
        engineFailure = "the speech engine cannot start: no thread could be started for it";
        throw PlatformError(engineFailure);
    }
    const int rate = espeak_Initialize(AUDIO_OUTPUT_SYNCHRONOUS, 0, nullptr, 0);
    if (rate <= 0) engineFailure = "the speech engine cannot start (espeak-ng data missing?)";
    else if (espeak_SetVoiceByName("en") != EE_OK) engineFailure = "the speech engine has no English voice";
    if (!engineFailure.empty()) throw PlatformError(engineFailure);
    espeak_SetSynthCallback(collect);
    engineRate = rate;
}

// A rate step of the old voice scale multiplies the speed by the tenth root of three:
// -10 is a third of the normal speed and 10 three times it, within what the engine can do.
int wordsPerMinute(int rate) {
    const double wpm = espeakRATE_NORMAL * std::pow(3.0, std::clamp(rate, -10, 10) / 10.0);
    return std::clamp(static_cast<int>(std::lround(wpm)), espeakRATE_MINIMUM, espeakRATE_MAXIMUM);
}

std::vector<float> resample(const std::vector<float>& in, int fromRate, int toRate) {
    if (fromRate == toRate || in.empty()) return in;
    const double ratio = static_cast<double>(toRate) / fromRate;
    std::vector<float> out(static_cast<size_t>(std::ceil(static_cast<double>(in.size()) * ratio)) + 16);
    SRC_DATA data{};
    data.data_in = in.data();
    data.input_frames = static_cast<long>(in.size());
    data.data_out = out.data();
    data.output_frames = static_cast<long>(out.size());
    data.src_ratio = ratio;
    if (int err = src_simple(&data, SRC_SINC_MEDIUM_QUALITY, 1))
        throw PlatformError(std::string("cannot resample the speech: ") + src_strerror(err));
    out.resize(static_cast<size_t>(data.output_frames_gen));
    return out;
}

void checkFormat(const AudioFormat& f) {
    if (f.sampleRate < 4000 || f.sampleRate > 192000 || (f.bitsPerSample != 8 && f.bitsPerSample != 16) ||
        (f.channels != 1 && f.channels != 2))
        throw PlatformError("unsupported speech format: " + std::to_string(f.sampleRate) + " Hz, " +
                            std::to_string(f.bitsPerSample) + " bits, " + std::to_string(f.channels) + " channels");
}

std::string tempFolder() {
    const char* dir = std::getenv("TMPDIR");
    return dir && *dir ? dir : "/tmp";
}

constexpr const char* kSpeechFilePrefix = "mvsmall-speech-";

// Speech files carry the number of the process that made them; one whose process is gone was
// left by a run that was killed while it spoke, and is removed. Only this user's files count.
void removeStaleSpeechFiles() {
    std::error_code ec;
    for (const auto& entry : std::filesystem::directory_iterator(tempFolder(), ec)) {
        const std::string name = entry.path().filename().string();
        if (name.rfind(kSpeechFilePrefix, 0) != 0) continue;
        const std::string rest = name.substr(std::strlen(kSpeechFilePrefix));
        const auto dash = rest.find('-');
        if (dash == std::string::npos || dash == 0 || rest.find_first_not_of("0123456789") != dash) continue;
        const long pid = std::strtol(rest.substr(0, dash).c_str(), nullptr, 10);
        struct stat st {};
        if (::lstat(entry.path().c_str(), &st) != 0 || !S_ISREG(st.st_mode) || st.st_uid != ::geteuid()) continue;
        if (pid > 0 && ::kill(static_cast<pid_t>(pid), 0) != 0 && errno == ESRCH) ::unlink(entry.path().c_str());
    }
}

class TempFile {
public:
    TempFile() {
        std::string pattern =
            tempFolder() + "/" + kSpeechFilePrefix + std::to_string(::getpid()) + "-XXXXXX.wav";
        const int fd = mkstemps(pattern.data(), 4);
        if (fd < 0) throw PlatformError("cannot make a temporary file for speech");
        close(fd);
        path_ = pattern;
    }
    ~TempFile() { unlink(path_.c_str()); }
    TempFile(const TempFile&) = delete;
    TempFile& operator=(const TempFile&) = delete;
    const std::string& path() const { return path_; }

private:
    std::string path_;
};

class EspeakSpeech final : public SpeechService {
public:
    EspeakSpeech(AudioService& playback, Clock* clock, std::function<bool()> ending)
        : playback_(playback), clock_(clock), ending_(std::move(ending)) {
        removeStaleSpeechFiles();
        if (!clock_) {
            ownClock_ = std::make_unique<RealClock>();
            clock_ = ownClock_.get();
        }
        // Started now, while a thread is to be had; a failure is told at each use.
        std::lock_guard lock(engineMutex);
        try {
            startEngine();
        } catch (const PlatformError&) {
        }
    }

    std::vector<std::string> voices() override {
        std::lock_guard lock(engineMutex);
        startEngine();
        std::vector<std::string> names;
        for (const espeak_VOICE** v = espeak_ListVoices(nullptr); v && *v; ++v)
            if ((*v)->name) names.emplace_back((*v)->name);
        return names;
    }

    void setVoice(const std::string& name) override {
        std::lock_guard lock(engineMutex);
        startEngine();
        if (name.empty() || espeak_SetVoiceByName(name.c_str()) != EE_OK) throw PlatformError("no voice \"" + name + "\"");
        voice_ = name;
    }

    void setRate(int rate) override { rate_ = std::clamp(rate, -10, 10); }
    void setVolume(int volume) override { volume_ = std::clamp(volume, 0, 100); }

    void speak(const std::string& text) override {
        int rate = 0;
        const std::vector<float> samples = synthesise(text, rate);
        if (samples.empty() || ending()) return;
        TempFile wav;
        writeWav(wav.path(), AudioFormat{rate, 16, 1}, samples);
        auto player = playback_.newPlayer();
        player->render(wav.path());
        player->run();
        // Blocks as the old voice did, until the program is asked to end; the bound only guards
        // against a player that never ends.
        const std::int64_t limit = clock_->tickCount() + static_cast<std::int64_t>(player->duration() * 1000) + 10000;
        while (player->running() && clock_->tickCount() < limit && !ending()) clock_->sleepFor(10);
        player->stop();
    }

    void speakToWav(const std::string& text, const std::string& path, const AudioFormat& format) override {
        checkFormat(format);
        int rate = 0;
        std::vector<float> samples = synthesise(text, rate);
        if (ending()) throw PlatformError("not rendered: the program is ending");
        samples = resample(samples, rate, format.sampleRate);
        // A file with no sound at all would not play; a tenth of a second of silence does.
        if (samples.empty()) samples.assign(static_cast<size_t>(format.sampleRate / 10), 0.0f);
        writeWav(path, format, samples);
    }

private:
    bool ending() const { return ending_ && ending_(); }

    std::vector<float> synthesise(const std::string& text, int& rate) {
        Rendering out;
        out.ending = &ending_;
        std::lock_guard lock(engineMutex);
        startEngine();
        rate = engineRate;
        if (text.find_first_not_of(" \t\r\n") == std::string::npos) return out.samples;
        if (ending()) return out.samples;
        if (!voice_.empty()) espeak_SetVoiceByName(voice_.c_str());
        espeak_SetParameter(espeakRATE, wordsPerMinute(rate_), 0);
        espeak_SetParameter(espeakVOLUME, volume_, 0);
        // Plain text only: markup in outside text is read, never obeyed.
        const espeak_ERROR err = espeak_Synth(text.c_str(), text.size() + 1, 0, POS_CHARACTER, 0, espeakCHARS_UTF8,
                                              nullptr, &out);
        if (err != EE_OK && !out.stopped) throw PlatformError("the speech engine failed");
        espeak_Synchronize();
        if (out.stopped) out.samples.clear();
        return std::move(out.samples);
    }

    AudioService& playback_;
    Clock* clock_;
    std::unique_ptr<Clock> ownClock_;
    std::function<bool()> ending_;
    std::string voice_;
    int rate_ = 0;
    int volume_ = 100;
};

}  // namespace

std::unique_ptr<SpeechService> makeEspeakSpeech(AudioService& playback) {
    return std::make_unique<EspeakSpeech>(playback, nullptr, nullptr);
}

std::unique_ptr<SpeechService> makeEspeakSpeech(AudioService& playback, Clock& clock, std::function<bool()> ending) {
    return std::make_unique<EspeakSpeech>(playback, &clock, std::move(ending));
}
