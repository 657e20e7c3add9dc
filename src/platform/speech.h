#pragma once
// Text to speech, in place of the SAPI voice.
#include <string>
#include <vector>

#include "platform/platform_error.h"

struct AudioFormat {
    int sampleRate = 22050;
    int bitsPerSample = 16;
    int channels = 1;
    bool operator==(const AudioFormat&) const = default;
};

class SpeechService {
public:
    virtual ~SpeechService() = default;
    virtual std::vector<std::string> voices() = 0;
    virtual void setVoice(const std::string& name) = 0;
    virtual void setRate(int rate) = 0;        // -10 (slow) .. 10 (fast), 0 normal
    virtual void setVolume(int volume) = 0;    // 0 .. 100
    // Speaks to the sound device and returns when the speech has ended (the thread is blocked).
    virtual void speak(const std::string& text) = 0;
    // Renders the speech to a WAV file in the given format. Throws PlatformError.
    virtual void speakToWav(const std::string& text, const std::string& path, const AudioFormat& format) = 0;
};
