// Web-page text extraction: any page, with any content type, gives plain UTF-8 text.
#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/html_text.h"

namespace {
bool validUtf8(const std::string& s) {
    std::size_t i = 0;
    while (i < s.size()) {
        const auto c = static_cast<unsigned char>(s[i]);
        const int more = c < 0x80 ? 0 : (c >> 5) == 0x6 ? 1 : (c >> 4) == 0xE ? 2 : (c >> 3) == 0x1E ? 3 : -1;
        if (more < 0 || i + more >= s.size() + (more == 0 ? 1 : 0)) return false;
        for (int k = 1; k <= more; ++k)
            if ((static_cast<unsigned char>(s[i + k]) >> 6) != 0x2) return false;
        i += more + 1;
    }
    return true;
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string input(reinterpret_cast<const char*>(data), size);
    // The first line is the server's Content-Type header, the rest the page.
    const auto nl = input.find('\n');
    const std::string contentType = nl == std::string::npos ? "" : input.substr(0, nl);
    const std::string page = nl == std::string::npos ? input : input.substr(nl + 1);
    if (!validUtf8(htmlToUtf8(page, contentType))) __builtin_trap();
    if (!validUtf8(htmlBodyText(page, contentType))) __builtin_trap();
    return 0;
}
