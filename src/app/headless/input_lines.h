#pragma once
// Standard input one line at a time, watched together with the ending signals, so a signal
// that arrives while the console waits for input is seen at once.
#include <string>

class InputLines {
public:
    enum class Got { Line, End, Signal };
    // `signalFd` as from takeEndingSignals(); -1 watches the input alone.
    InputLines(int inputFd, int signalFd) : input_(inputFd), signals_(signalFd) {}
    Got next(std::string& line);

private:
    bool takeLine(std::string& line);
    int input_;
    int signals_;
    std::string buffer_;
    bool ended_ = false;
};
