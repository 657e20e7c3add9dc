// The CSV splitter of the weather reports: any line, delimiter and quote split without failing
// (a refused overflow excepted), into at least one field whose text comes from the line.
#include <cstddef>
#include <cstdint>
#include <string>

#include "weather/read_csv.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2) return 0;
    static const char* const delimiters[] = {",", ";", "", ",,", "\t", " ", "\""};
    static const char* const quotes[] = {"\"", "", "''", "'", ",", "\"\""};
    const std::string delimit = delimiters[data[0] % (sizeof delimiters / sizeof *delimiters)];
    const std::string quote = quotes[data[1] % (sizeof quotes / sizeof *quotes)];
    const std::string line(reinterpret_cast<const char*>(data + 2), size - 2);
    try {
        const auto fields = ReadCSV::ParseCSV(line, delimit, quote);
        if (fields.empty()) __builtin_trap();
        std::size_t total = 0;
        for (const auto& f : fields) total += f.size();
        if (total > line.size()) __builtin_trap();
    } catch (const ReadCSV::OverflowError&) {
    }
    return 0;
}
