#include "weather/weather_requests.h"

#include <string_view>

#include "app/app.h"
#include "core/file_read.h"
#include "core/form.h"

namespace weather {
namespace {
int operatorDepth = 0;   // one UI thread
}

OperatorRequest::OperatorRequest() { ++operatorDepth; }
OperatorRequest::~OperatorRequest() { --operatorDepth; }

bool operatorIsAsking() { return operatorDepth > 0; }

void tellFileProblem(Form& form, const std::string& boxTitle, const std::string& boxText, const std::string& logLine) {
    form.LogError(logLine);
    if (operatorIsAsking()) form.app().dialogs().messageBox(boxTitle, boxText, MsgButtons::Ok, MsgIcon::None);
}

std::string WeatherText::named(const std::string& path) const {
    return read || problem.empty() ? path : path + " (" + problem + ")";
}

namespace {
WeatherText unread(const FileRead& file) {
    WeatherText t;
    if (file.existed) t.problem = file.why;
    return t;
}

bool lineBreak(char c) { return c == '\r' || c == '\n'; }
}  // namespace

WeatherText lastLineOf(const std::string& path) {
    const FileRead file = readFileTail(path, kMostWeatherBytes);
    if (!file.ok) return unread(file);
    std::string_view bytes = file.bytes;
    // A final line end closes the last line; it opens no empty one after it.
    if (bytes.size() >= 2 && bytes.substr(bytes.size() - 2) == "\r\n")
        bytes.remove_suffix(2);
    else if (!bytes.empty() && lineBreak(bytes.back()))
        bytes.remove_suffix(1);
    size_t start = bytes.size();
    while (start > 0 && !lineBreak(bytes[start - 1])) --start;
    WeatherText t;
    t.read = true;
    if (start == 0 && !file.whole)
        t.problem = "its last line is longer than " + std::to_string(kMostWeatherBytes) + " bytes";
    else
        t.text = std::string(bytes.substr(start));
    return t;
}

WeatherText joinedLinesOf(const std::string& path) {
    const FileRead file = readFileHead(path, kMostWeatherBytes);
    if (!file.ok) return unread(file);
    WeatherText t;
    t.read = true;
    t.text.reserve(file.bytes.size());
    for (const char c : file.bytes)
        if (!lineBreak(c)) t.text += c;
    if (!file.whole) t.problem = "only its first " + std::to_string(kMostWeatherBytes) + " bytes are read";
    return t;
}

}  // namespace weather
