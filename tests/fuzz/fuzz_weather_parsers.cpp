// The forecast and warning parsers: any forecast or warning file is read and sorted without a
// failure reaching the error log.
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>

#include "fuzz_station.h"
#include "weather/forecast_parser_window.h"
#include "weather/full_warning_window.h"
#include "weather/warning_parser_window.h"
#include "weather/warning_summary_window.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string input(reinterpret_cast<const char*>(data), size);
    auto s = fuzz::newStation(false);
    const std::string dataDir = s->app().folders().home + "/wxex/data";
    std::filesystem::create_directories(dataDir);
    std::ofstream(dataDir + "/metar.txt", std::ios::binary | std::ios::trunc) << input;
    std::ofstream(dataDir + "/warning.txt", std::ios::binary | std::ios::trunc) << input;
    App& app = s->app();
    app.act([&] {
        app.form115().GetForcastFile();
        app.form115().SortForcast();
    });
    app.act([&] {
        app.form121().GetForcastFile();
        app.form121().SortForcast();
    });
    app.act([&] {
        app.form113().GetForcastFile();
        app.form113().SortForcast();
    });
    app.act([&] {
        app.form122().GetForcastFile();
        app.form122().SortForcast();
    });
    fuzz::requireNoInternalError(*s);
    return 0;
}
