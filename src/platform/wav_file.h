#pragma once
// Plain PCM WAV files: the program's own sounds and the speech file are written with this.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/speech.h"

// Writes 16-bit or 8-bit PCM; samples are in [-1, 1]. The file is written whole beside `path` and
// renamed over it (keeping the mode of a file it replaces), so a failure (a full disk) leaves no
// half file and a link at `path` is replaced, not written through. Throws PlatformError.
void writeWav(const std::string& path, const AudioFormat& format, const std::vector<float>& samples);
struct WavInfo {
    AudioFormat format;
    double seconds = 0;
};
// Reads a PCM WAV header; nothing when the file is missing or not a WAV.
std::optional<WavInfo> readWavInfo(const std::string& path);
// The shipped sounds ("Blank.wav", "IP.wav", "RF.wav"), made in the data folder where missing;
// a name taken by something else (a link to nothing) is left alone and named in the PlatformError.
void installSoundFiles(const std::string& dataFolder);
