#pragma once
// A station whose news player reads the settings a test gives it, with news files in the data
// folder and the weather program's files at hand for weather bulletins. A settings value
// "@name" stands for the file `name` of the data folder.
#include <map>
#include <string>

#include "core/text.h"
#include "news/news_player_window.h"
#include "player/player_window.h"
#include "speech/idents_window.h"
#include "weather/weather_test_support.h"

namespace newstest {

inline std::string iniText(const std::map<std::string, std::string>& keys) {
    std::string text = "[SETTINGS]\n";
    for (const auto& [k, v] : keys) text += k + "=" + v + "\n";
    return text;
}

// The news files every station has, with their lengths in seconds.
inline const std::map<std::string, double>& newsFiles() {
    static const std::map<std::string, double> files = {
        {"one.mp3", 60}, {"two.mp3", 45}, {"three.mp3", 90}, {"second.mp3", 30}, {"short.mp3", 1}};
    return files;
}

struct NewsStation : weathertest::WeatherStation {
    // Thursday 10 December 2026.
    explicit NewsStation(std::map<std::string, std::string> settings = {},
                         const std::string& start = "2026-12-10 07:58:50")
        : WeatherStation(start) {
        for (const auto& [name, seconds] : newsFiles()) {
            s.dataFolder().write(name, "not really audio");
            s.audio->setLength(s.dataFile(name), seconds);
        }
        for (auto& [key, value] : settings)
            if (startsWith(value, "@")) value = s.dataFile(value.substr(1));
        if (!settings.empty()) s.writeSettings("newsabc.ini", iniText(settings));
        conditions("data.csv");
        forecast("metar.txt");
        // The launcher creates these at start-up.
        s.app().act([&] {
            s.app().form1();
            s.app().form3();
            s.app().form22();
            s.app().form24();
        });
    }
    Form24& news() { return s.app().form24(); }
    Form1& player() { return s.app().form1(); }
    Form3& idents() { return s.app().form3(); }
    std::string file(const std::string& name) { return s.dataFile(name); }
    int count(const std::string& prefix) { return s.transcript().count(prefix); }
    // How often the player started that file, at any volume.
    int plays(const std::string& path) { return count("PLAY " + ::quoted(path)); }
    int playsOf(const std::string& name) { return plays(file(name)); }
    std::string speechFile() { return idents().wavfile.text(); }
    // The texts rendered to the speech file, in order.
    std::vector<std::string> rendered() {
        std::vector<std::string> texts;
        for (const auto& [path, text] : s.speech->rendered) texts.push_back(text);
        return texts;
    }
};

}  // namespace newstest
