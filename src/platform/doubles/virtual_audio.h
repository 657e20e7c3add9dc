#pragma once
// A player whose position moves with the (virtual) clock: the files' lengths are real, the
// sound is not. Used by tests and by the virtual-time console.
#include <functional>
#include <map>
#include <optional>

#include "core/clock.h"
#include "platform/audio.h"

class VirtualAudioService final : public AudioService {
public:
    // Lengths come from the WAV header where there is one, else from `setLength`, else `fallbackSeconds`.
    explicit VirtualAudioService(const Clock& clock) : clock_(clock) {}
    std::unique_ptr<AudioPlayer> newPlayer() override;
    void setLength(const std::string& path, double seconds) { lengths_[path] = seconds; }
    void setLengthProbe(std::function<std::optional<double>(const std::string&)> probe) { probe_ = std::move(probe); }
    double fallbackSeconds = 3.0;
    std::optional<double> lengthOf(const std::string& path) const;
private:
    const Clock& clock_;
    std::map<std::string, double> lengths_;
    std::function<std::optional<double>(const std::string&)> probe_;
};
