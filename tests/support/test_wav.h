#pragma once
// Real, silent PCM WAV files for the tests that hand a file to the player: the player replaces
// a file it cannot find with the blank sound, so a test that follows a file needs it to exist.
#include <string>
#include <vector>

#include "platform/wav_file.h"

// Writes `seconds` of silence at 8 kHz, 16-bit mono to `path` and gives the path back.
inline std::string writeTestWav(const std::string& path, double seconds = 1.0) {
    const AudioFormat format{8000, 16, 1};
    writeWav(path, format, std::vector<float>(static_cast<size_t>(seconds * format.sampleRate), 0.0f));
    return path;
}
