// DTMF dispatch: any digit string reaches every window's handler without a failure reaching the
// error log and without ending the program.
#include <cstddef>
#include <cstdint>
#include <string>

#include "fuzz_station.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string input(reinterpret_cast<const char*>(data), size);
    auto s = fuzz::newStation();
    // Each line is one DTMF string, a little time apart.
    std::size_t start = 0;
    int strings = 0;
    while (start <= input.size() && strings < 8) {
        std::size_t end = input.find('\n', start);
        if (end == std::string::npos) end = input.size();
        s->node().receiveDtmf(input.substr(start, end - start));
        s->advance(2);
        start = end + 1;
        ++strings;
    }
    s->advance(10);
    fuzz::requireNoInternalError(*s);
    return 0;
}
