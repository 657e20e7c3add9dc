#include "app/standard_output.h"

#include <unistd.h>

#include <csignal>
#include <iostream>

StandardOutput::StandardOutput()
    : writer_((std::signal(SIGPIPE, SIG_IGN), TranscriptWriter::fileDescriptorSink(STDOUT_FILENO))),
      buffer_(writer_),
      previous_(std::cout.rdbuf(&buffer_)) {}

StandardOutput::~StandardOutput() {
    std::cout.flush();
    std::cout.rdbuf(previous_);
    writer_.finish(std::chrono::milliseconds(2000));
}
