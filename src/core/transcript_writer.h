#pragma once
// Hands output lines to a writer thread through a bounded buffer, so a reader that stalls (a
// paused terminal, a stuck logger, a pipe nobody reads) never holds up the loop. When the buffer
// is full the oldest waiting lines give way to the newest, and the next write says how many were
// dropped. A reader that goes away ends the writing, not the program.
#include <chrono>
#include <cstddef>
#include <functional>
#include <memory>
#include <streambuf>
#include <string>

class TranscriptWriter {
public:
    // Writes one chunk in full; false when the reader is gone for good.
    using Sink = std::function<bool(const std::string& chunk)>;
    static constexpr std::size_t kDefaultCapacity = 10'000;

    explicit TranscriptWriter(Sink sink, std::size_t capacity = kDefaultCapacity);
    ~TranscriptWriter();   // finish() with a short grace
    TranscriptWriter(const TranscriptWriter&) = delete;
    TranscriptWriter& operator=(const TranscriptWriter&) = delete;

    // Queues one line (without its line end). Never blocks on the reader.
    void push(std::string line);
    // Waits up to `grace` for the queued lines to be written, then lets the writer go; a reader
    // still stalled then loses what is left.
    void finish(std::chrono::milliseconds grace);

    // A sink writing to a file descriptor (partial writes and interruptions resumed).
    static Sink fileDescriptorSink(int fd);
    // "hh:mm:ss.mmm DROPPED N", stamped like the line that follows the gap where it has a stamp.
    static std::string droppedLine(std::size_t count, const std::string& nextLine);

private:
    struct State;
    std::shared_ptr<State> state_;
};

// A stream buffer that hands each complete line to a writer; put on std::cout, every line the
// program prints goes through the writer in the order it was printed.
class LineToWriterBuffer : public std::streambuf {
public:
    explicit LineToWriterBuffer(TranscriptWriter& writer) : writer_(writer) {}

protected:
    int_type overflow(int_type c) override;
    std::streamsize xsputn(const char* s, std::streamsize n) override;

private:
    TranscriptWriter& writer_;
    std::string partial_;
};
