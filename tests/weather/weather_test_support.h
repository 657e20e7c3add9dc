#pragma once
// A station with the weather program's files put where the weather window looks by default
// (~/wxex/csv/data.csv, ~/wxex/data/metar.txt, ~/wxex/data/warning.txt under the test's home).
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "beacons/beacon_set1_window.h"
#include "speech/idents_window.h"
#include "support/station_fixture.h"
#include "weather/weather_window.h"

namespace weathertest {

inline std::string fixture(const std::string& name) { return std::string(MVSMALL_TEST_DATA) + "/weather/" + name; }

inline std::string readFixture(const std::string& name) {
    std::ifstream in(fixture(name), std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

struct WeatherStation {
    explicit WeatherStation(const std::string& start = "2026-12-10 15:31:00") : s(StationOptions{start}) {}

    std::string wxex(const std::string& relative) const { return s.app().folders().home + "/wxex/" + relative; }
    void put(const std::string& relative, const std::string& content) {
        const std::string path = wxex(relative);
        std::filesystem::create_directories(std::filesystem::path(path).parent_path());
        std::ofstream(path, std::ios::binary | std::ios::trunc) << content;
    }
    void conditions(const std::string& name) { put("csv/data.csv", readFixture(name)); }
    void forecast(const std::string& name) { put("data/metar.txt", readFixture(name)); }
    void warning(const std::string& name) { put("data/warning.txt", readFixture(name)); }
    void removeWarning() { std::filesystem::remove(wxex("data/warning.txt")); }

    Form114& w() { return s.app().form114(); }
    // The idents window's clock choice decides how the report speaks the hour; "12 Hr" is the
    // designed choice, so a test that expects "15 30 Hours" picks "24 Hr" itself.
    void twentyFourHourClock() { s.app().form3().Option2.setValue(true); }
    // The connected count the windows read is repainted from the node every second, so a test
    // connects real stations rather than writing the count.
    void connectStations(int count) {
        s.app().form22();
        for (int i = 1; i <= count; ++i) s.node().stationConnects("W" + std::to_string(i) + "TST");
        s.advance(1);
    }
    void disconnectStations(int count) {
        for (int i = 1; i <= count; ++i) s.node().stationDisconnects("W" + std::to_string(i) + "TST");
        s.advance(1);
    }
    // What the weather window last handed to the speak-now entry, taken so that the next call
    // starts from nothing.
    std::string takeSpoken() {
        std::string& t = s.app().form111().TempText;
        std::string r = t;
        t.clear();
        return r;
    }
    std::string takeStandBy() {
        std::string& t = s.app().form3().SayTheText;
        std::string r = t;
        t.clear();
        return r;
    }
    int logLines() { return s.transcript().count("LOG "); }

    mutable Station s;
};

}  // namespace weathertest
