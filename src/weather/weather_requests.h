#pragma once
// Who asks for a weather report decides how a problem with the weather program's files is told.
// The operator at a button gets a message box as well; a timer or a DTMF request never waits on
// a box, so there the error log alone carries it.
#include <cstddef>
#include <string>

class Form;

namespace weather {

// Held for the length of an operator's button action.
class OperatorRequest {
public:
    OperatorRequest();
    ~OperatorRequest();
    OperatorRequest(const OperatorRequest&) = delete;
    OperatorRequest& operator=(const OperatorRequest&) = delete;
};

bool operatorIsAsking();

// Logs `logLine`; when the operator asked, also shows `boxText` in a message box with `title`.
void tellFileProblem(Form& form, const std::string& boxTitle, const std::string& boxText, const std::string& logLine);

// What a reader took from a file of the weather program. A line ends at CR, CR LF or LF; a final
// line end opens no further line. Only so many bytes are read, whatever the line breaks, so a
// file of one endless line never holds the station.
constexpr std::size_t kMostWeatherBytes = 65536;
struct WeatherText {
    bool read = false;      // false: the file is missing or is no readable file
    std::string text;
    std::string problem;    // why it was not read, or what of it was not read
    // The path as the log names it: with the reason when something there is no readable file.
    std::string named(const std::string& path) const;
};
// The file's last line; none (and the problem) when that line is longer than the bytes read.
WeatherText lastLineOf(const std::string& path);
// The file's lines joined with nothing between them, from its first bytes only.
WeatherText joinedLinesOf(const std::string& path);

}  // namespace weather
