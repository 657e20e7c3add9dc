#pragma once
// Audio playback, in place of a media filter graph: one file rendered into a stopped player.
#include <memory>
#include <string>

#include "platform/platform_error.h"

class AudioPlayer {
public:
    virtual ~AudioPlayer() = default;
    // Renders the file into a stopped player; its duration is known afterwards. Throws PlatformError.
    virtual void render(const std::string& path) = 0;
    virtual const std::string& file() const = 0;
    virtual void run() = 0;
    virtual void stop() = 0;                       // stays at its position
    virtual bool running() const = 0;
    virtual double position() const = 0;           // seconds; equals duration() at the end
    virtual void setPosition(double seconds) = 0;
    virtual double duration() const = 0;           // seconds
    virtual double rate() const = 0;
    virtual void setRate(double rate) = 0;
    virtual long volume() const = 0;               // hundredths of a decibel, 0 full, negative quieter
    virtual void setVolume(long hundredthsDb) = 0;
};

class AudioService {
public:
    virtual ~AudioService() = default;
    virtual std::unique_ptr<AudioPlayer> newPlayer() = 0;
};
