// The settings reader: any file reads without failing, any value written reads back as written
// (line breaks stored as blanks), and any file given to a window loads into its controls without
// an internal failure; a file the reader could not understand is never written over.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>

#include <unistd.h>

#include "core/settings.h"
#include "fuzz_station.h"

namespace {
std::string tempPath(const char* tag) {
    return "/tmp/mvsmall-fuzz-settings-" + std::to_string(getpid()) + "-" + tag + ".ini";
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string input(reinterpret_cast<const char*>(data), size);

    // 1. The input as a whole settings file.
    const std::string path = tempPath("read");
    {
        std::ofstream(path, std::ios::binary | std::ios::trunc) << input;
        const SettingsFile f(path);
        for (const char* key : {"CHECK1", "TEXT1", "LEFT", "", "SETTINGS", "=", "[SETTINGS]"}) {
            (void)f.read(key, "default");
            (void)f.read(key, "default", 3);
            (void)f.has(key);
        }
        (void)f.read("OTHER", "KEY", "d", 255);
        // Every key the file names reads back something.
        std::size_t start = 0;
        while (start < input.size()) {
            std::size_t end = input.find('\n', start);
            if (end == std::string::npos) end = input.size();
            const std::string line = input.substr(start, end - start);
            if (const auto eq = line.find('='); eq != std::string::npos) (void)f.read(line.substr(0, eq), "");
            start = end + 1;
        }
    }

    // 2. The input as one value: written, saved, read again.
    const std::string path2 = tempPath("write");
    std::remove(path2.c_str());
    if (input.find('\0') == std::string::npos) {
        SettingsFile w(path2);
        w.write("VALUE", input);
        w.write("AFTER", "next");
        w.save();
        const SettingsFile r(path2);
        std::string expected = input;
        for (char& c : expected)
            if (c == '\r' || c == '\n') c = ' ';
        if (r.read("VALUE", "<missing>", 1u << 20) != expected) __builtin_trap();
        if (r.read("AFTER", "<missing>") != "next") __builtin_trap();
    }
    std::remove(path.c_str());
    std::remove(path2.c_str());

    // 3. The input as one window's settings file, loaded into a whole station and saved by every
    //    window: the first byte picks the file.
    static const char* const kFiles[] = {"identabc.ini",     "dtmfctrl.ini",   "MP3_PlayerABC.ini", "maroabc.ini",
                                         "mvcourtesy.ini",    "marogreeting.ini", "abcweather.ini",   "newsabc.ini",
                                         "maronewsmp3d.ini",  "netscheduler2.ini", "textmessage.ini", "messageforsysop.ini",
                                         "marodtmfhelpMP3.ini", "messagebox.ini"};
    if (size == 0) return 0;
    const std::string file = kFiles[data[0] % (sizeof kFiles / sizeof kFiles[0])];
    const std::string text = input.substr(1);
    auto station = fuzz::newStation(false);
    station->writeSettings(file, text);
    const bool damaged = !SettingsFile(station->settingsFile(file)).damage().empty();
    station->app().act([&] { station->app().createStartupWindows(); });
    station->app().act([&] {
        for (Form* f : station->app().existingForms()) f->SaveData();
    });
    fuzz::requireNoInternalError(*station);
    if (damaged) {
        std::ifstream in(station->settingsFile(file), std::ios::binary);
        const std::string after((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        if (after != text) __builtin_trap();
    }
    return 0;
}
