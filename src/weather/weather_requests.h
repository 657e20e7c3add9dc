#pragma once
// Who asks for a weather report decides how a problem with the weather program's files is told.
// The operator at a button gets a message box as well; a timer or a DTMF request never waits on
// a box, so there the error log alone carries it.
#include <string>
#include <vector>

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

// Reads a text file of the weather program as its lines (a line ends at CR, CR LF or LF; a final
// line end opens no further line). False when the file cannot be opened or read.
bool readLines(const std::string& path, std::vector<std::string>& lines);

}  // namespace weather
