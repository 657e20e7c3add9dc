#include "weather/weather_requests.h"

#include <filesystem>
#include <fstream>
#include <sstream>

#include "app/app.h"
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

bool readLines(const std::string& path, std::vector<std::string>& lines) {
    lines.clear();
    std::error_code ec;
    if (path.empty() || std::filesystem::is_directory(path, ec)) return false;
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    std::stringstream buffer;
    buffer << in.rdbuf();
    if (in.bad()) return false;
    const std::string text = buffer.str();
    std::string line;
    bool open = false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\r' || c == '\n') {
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
            lines.push_back(line);
            line.clear();
            open = false;
        } else {
            line += c;
            open = true;
        }
    }
    if (open) lines.push_back(line);
    return true;
}

}  // namespace weather
