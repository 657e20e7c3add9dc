// Chat lines: any line EchoLink hands the station is shown, spoken or answered without a
// failure reaching the error log and without ending the program.
#include <cstddef>
#include <cstdint>
#include <string>

#include "fuzz_station.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string input(reinterpret_cast<const char*>(data), size);
    auto fresh = fuzz::newStation();
    // Each line of the input is one chat line, as EchoLink delivers them one by one.
    std::size_t start = 0;
    int lines = 0;
    while (start <= input.size() && lines < 16) {
        std::size_t end = input.find('\n', start);
        if (end == std::string::npos) end = input.size();
        fresh->node().receiveChat(input.substr(start, end - start));
        start = end + 1;
        ++lines;
    }
    fresh->advance(3);
    fuzz::requireNoInternalError(*fresh);
    return 0;
}
