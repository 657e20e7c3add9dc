#pragma once
// For the life of the program, everything printed on standard output goes through a writer
// thread, so the loop never waits on whoever reads it; a reader that goes away is no reason to
// end (SIGPIPE is ignored and the writer simply stops).
#include <memory>

#include "core/transcript_writer.h"

class StandardOutput {
public:
    StandardOutput();
    ~StandardOutput();   // writes what is left, for a short while at most
    StandardOutput(const StandardOutput&) = delete;
    StandardOutput& operator=(const StandardOutput&) = delete;

private:
    TranscriptWriter writer_;
    LineToWriterBuffer buffer_;
    std::streambuf* previous_;
};
