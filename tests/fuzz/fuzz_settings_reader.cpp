// The settings reader: any file reads without failing, and any value written reads back as
// written (line breaks stored as blanks).
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <string>

#include <unistd.h>

#include "core/settings.h"

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
    return 0;
}
