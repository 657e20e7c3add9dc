#pragma once
// What the player's tests share: audio files of known length, and the transcript with the
// tick count at which each line went out.
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "news/news_player_window.h"
#include "player/player_window.h"
#include "speech/courtesy_window.h"
#include "speech/idents_window.h"
#include "support/station_fixture.h"

// An audio file in the data folder that the virtual player plays for `seconds`.
inline std::string audioFile(Station& s, const std::string& name, double seconds) {
    s.dataFolder().write(name, "audio");
    const std::string path = s.dataFile(name);
    s.audio->setLength(path, seconds);
    return path;
}

// Every transcript line with the tick count at which it was written.
class TimedTranscript {
public:
    explicit TimedTranscript(Station& s) : s_(s) {
        s.transcript().onLine([this](const std::string&) {
            lines.emplace_back(s_.clock().tickCount(), s_.transcript().lines().back());
        });
    }
    std::vector<std::pair<std::int64_t, std::string>> lines;
    // Tick of the n-th (0-based) line starting with `prefix`, or -1.
    std::int64_t at(const std::string& prefix, int n = 0) const {
        for (const auto& [tick, line] : lines)
            if (line.rfind(prefix, 0) == 0 && n-- == 0) return tick;
        return -1;
    }
    std::vector<std::string> keyAndPlay() const {
        std::vector<std::string> out;
        for (const auto& l : lines)
            if (l.second.rfind("KEY", 0) == 0 || l.second.rfind("PLAY", 0) == 0 || l.second == "STOP")
                out.push_back(l.second);
        return out;
    }
private:
    Station& s_;
};

// Starts a transmission as other windows do: request, then TXFile.
inline void transmit(Station& s, const std::string& path, const std::string& volume = "0") {
    s.app().act([&] {
        Form1& p = s.app().form1();
        p.txtFile.setText(path);
        p.TempVolSet.setText(volume);
        p.TXFile();
    });
}
