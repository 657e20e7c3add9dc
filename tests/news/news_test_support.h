#pragma once
// A station whose news player reads the settings a test gives it, with the weather program's
// files at hand for weather bulletins. The player's own transmission is not part of these tests:
// what the news player hands to it (file, volume, slider) is what they look at.
#include <map>
#include <string>

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

struct NewsStation : weathertest::WeatherStation {
    // Thursday 10 December 2026.
    explicit NewsStation(const std::map<std::string, std::string>& settings = {},
                         const std::string& start = "2026-12-10 07:58:50")
        : WeatherStation(start) {
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
    // The file the news player last handed to the player, taken so that the next hand-over shows.
    std::string takeHandedFile() {
        std::string f = player().txtFile.text();
        player().txtFile.setText("");
        return f;
    }
    // The player has put the bulletin's first transmission on the air ...
    void onAir() {
        if (news().ferrin2 == 1) news().ferrin2 = 0;
        player().Label1.setCaption("42");
    }
    // ... and has come to its end: the progress timer runs the chain.
    void fileEnds() {
        player().Label1.setCaption("0");
        s.app().act([&] { news().EndOfBulletin(); });
    }
    int count(const std::string& prefix) { return s.transcript().count(prefix); }
    std::string spokenWav() { return s.app().form3().wavfile.text(); }
};

}  // namespace newstest
