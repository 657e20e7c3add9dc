#include "platform/wav_file.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <fstream>

#include "core/file_write.h"
#include "core/paths.h"

namespace {
void put16(std::string& b, std::uint16_t v) {
    b += static_cast<char>(v & 0xff);
    b += static_cast<char>(v >> 8);
}
void put32(std::string& b, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) b += static_cast<char>((v >> (8 * i)) & 0xff);
}
std::uint32_t get32(const unsigned char* p) { return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<std::uint32_t>(p[3]) << 24); }
std::uint16_t get16(const unsigned char* p) { return static_cast<std::uint16_t>(p[0] | (p[1] << 8)); }

std::vector<float> tone(double hz, double seconds, int rate, double level) {
    std::vector<float> s(static_cast<size_t>(seconds * rate));
    for (size_t i = 0; i < s.size(); ++i) {
        const double t = static_cast<double>(i) / rate;
        const double ramp = std::min({1.0, t / 0.01, (seconds - t) / 0.01});  // no clicks
        s[i] = static_cast<float>(level * ramp * std::sin(2 * M_PI * hz * t));
    }
    return s;
}

// The whole file: header and samples.
std::string wavBytes(const AudioFormat& format, const std::vector<float>& samples) {
    const int bytesPerSample = format.bitsPerSample / 8;
    std::string data;
    data.reserve(samples.size() * static_cast<size_t>(bytesPerSample * format.channels));
    for (float f : samples) {
        const float c = std::max(-1.0f, std::min(1.0f, f));
        for (int ch = 0; ch < format.channels; ++ch) {
            if (bytesPerSample == 1)
                data += static_cast<char>(static_cast<std::uint8_t>(std::lround(c * 127.0f) + 128));
            else
                put16(data, static_cast<std::uint16_t>(static_cast<std::int16_t>(std::lround(c * 32767.0f))));
        }
    }
    std::string h = "RIFF";
    put32(h, static_cast<std::uint32_t>(36 + data.size()));
    h += "WAVEfmt ";
    put32(h, 16);
    put16(h, 1);
    put16(h, static_cast<std::uint16_t>(format.channels));
    put32(h, static_cast<std::uint32_t>(format.sampleRate));
    put32(h, static_cast<std::uint32_t>(format.sampleRate * format.channels * bytesPerSample));
    put16(h, static_cast<std::uint16_t>(format.channels * bytesPerSample));
    put16(h, static_cast<std::uint16_t>(format.bitsPerSample));
    h += "data";
    put32(h, static_cast<std::uint32_t>(data.size()));
    return h + data;
}
}  // namespace

void writeWav(const std::string& path, const AudioFormat& format, const std::vector<float>& samples) {
    const std::string bytes = wavBytes(format, samples);
    if (std::string why = replaceFile(path, bytes, accessOf(path)); !why.empty()) throw PlatformError(why);
}

std::optional<WavInfo> readWavInfo(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return std::nullopt;
    unsigned char head[12];
    if (!in.read(reinterpret_cast<char*>(head), 12) || std::memcmp(head, "RIFF", 4) || std::memcmp(head + 8, "WAVE", 4))
        return std::nullopt;
    WavInfo info;
    std::uint32_t byteRate = 0;
    bool haveFmt = false;
    unsigned char chunk[8];
    while (in.read(reinterpret_cast<char*>(chunk), 8)) {
        const std::uint32_t size = get32(chunk + 4);
        if (!std::memcmp(chunk, "fmt ", 4)) {
            unsigned char fmt[16];
            if (size < 16 || !in.read(reinterpret_cast<char*>(fmt), 16)) return std::nullopt;
            info.format.channels = get16(fmt + 2);
            info.format.sampleRate = static_cast<int>(get32(fmt + 4));
            byteRate = get32(fmt + 8);
            info.format.bitsPerSample = get16(fmt + 14);
            haveFmt = true;
            in.seekg(size - 16 + (size & 1), std::ios::cur);
        } else if (!std::memcmp(chunk, "data", 4)) {
            if (!haveFmt || byteRate == 0) return std::nullopt;
            info.seconds = static_cast<double>(size) / byteRate;
            return info;
        } else {
            in.seekg(size + (size & 1), std::ios::cur);
        }
    }
    return std::nullopt;
}

void installSoundFiles(const std::string& dataFolder) {
    ensureFolder(dataFolder);
    const AudioFormat fmt{22050, 16, 1};
    // Each is made only where nothing has its name: a link there is left alone, not written through.
    std::string failures;
    auto make = [&](const char* name, const std::vector<float>& samples) {
        const std::string path = joinPath(dataFolder, name);
        if (fileExists(path)) return;
        if (std::string why = createNewFile(path, wavBytes(fmt, samples)); !why.empty())
            failures += (failures.empty() ? "" : "; ") + why;
    };
    make("Blank.wav", std::vector<float>(static_cast<size_t>(fmt.sampleRate / 2), 0.0f));  // half a second of silence
    make("IP.wav", tone(880.0, 0.15, fmt.sampleRate, 0.5));
    auto rf = tone(660.0, 0.1, fmt.sampleRate, 0.5);
    const auto rf2 = tone(990.0, 0.1, fmt.sampleRate, 0.5);
    rf.insert(rf.end(), rf2.begin(), rf2.end());
    make("RF.wav", rf);
    if (!failures.empty()) throw PlatformError(failures);
}
