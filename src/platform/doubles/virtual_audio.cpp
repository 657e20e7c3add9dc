#include "platform/doubles/virtual_audio.h"

#include <algorithm>

#include "core/paths.h"
#include "platform/wav_file.h"

namespace {
class VirtualPlayer final : public AudioPlayer {
public:
    VirtualPlayer(const VirtualAudioService& service, const Clock& clock) : service_(service), clock_(clock) {}
    void render(const std::string& path) override {
        if (!fileExists(path)) throw PlatformError("cannot render " + path + ": no such file");
        auto len = service_.lengthOf(path);
        if (!len) throw PlatformError("cannot render " + path + ": not an audio file");
        stop();
        file_ = path;
        duration_ = *len;
        base_ = 0;
    }
    const std::string& file() const override { return file_; }
    void run() override {
        if (running_ || file_.empty()) return;
        if (base_ >= duration_) return;
        running_ = true;
        startTick_ = clock_.tickCount();
    }
    void stop() override {
        base_ = position();
        running_ = false;
    }
    bool running() const override { return running_ && position() < duration_; }
    double position() const override {
        if (!running_) return base_;
        const double p = base_ + (clock_.tickCount() - startTick_) / 1000.0 * rate_;
        return std::min(p, duration_);
    }
    void setPosition(double s) override {
        base_ = std::clamp(s, 0.0, duration_);
        startTick_ = clock_.tickCount();
    }
    double duration() const override { return duration_; }
    double rate() const override { return rate_; }
    void setRate(double r) override {
        base_ = position();
        startTick_ = clock_.tickCount();
        rate_ = r > 0 ? r : 1.0;
    }
    long volume() const override { return volume_; }
    void setVolume(long v) override { volume_ = std::clamp(v, -10000L, 0L); }

private:
    const VirtualAudioService& service_;
    const Clock& clock_;
    std::string file_;
    double duration_ = 0, base_ = 0, rate_ = 1.0;
    std::int64_t startTick_ = 0;
    bool running_ = false;
    long volume_ = 0;
};
}  // namespace

std::unique_ptr<AudioPlayer> VirtualAudioService::newPlayer() { return std::make_unique<VirtualPlayer>(*this, clock_); }

std::optional<double> VirtualAudioService::lengthOf(const std::string& path) const {
    if (auto it = lengths_.find(path); it != lengths_.end()) return it->second;
    if (auto info = readWavInfo(path)) return info->seconds;
    if (probe_)
        if (auto s = probe_(path)) return s;
    return fallbackSeconds;
}
