#include "core/transcript_writer.h"

#include <pthread.h>
#include <unistd.h>

#include <csignal>

#include <cerrno>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <thread>

struct TranscriptWriter::State {
    Sink sink;
    std::size_t capacity;
    std::mutex mutex;
    std::condition_variable changed;
    std::deque<std::string> lines;
    std::size_t dropped = 0;
    bool busy = false;       // the writer holds a batch it is writing
    bool stopping = false;
    bool readerGone = false;

    // The writer thread: takes everything waiting, writes it outside the lock.
    void run() {
        std::unique_lock<std::mutex> lock(mutex);
        for (;;) {
            changed.wait(lock, [&] { return stopping || !lines.empty(); });
            if (lines.empty()) return;
            std::string chunk;
            if (dropped > 0) chunk = droppedLine(dropped, lines.front()) + '\n';
            dropped = 0;
            for (const auto& l : lines) chunk += l + '\n';
            lines.clear();
            busy = true;
            lock.unlock();
            const bool ok = sink(chunk);
            lock.lock();
            busy = false;
            if (!ok) {
                readerGone = true;
                lines.clear();
                changed.notify_all();
                return;
            }
            changed.notify_all();
        }
    }
};

TranscriptWriter::TranscriptWriter(Sink sink, std::size_t capacity) : state_(std::make_shared<State>()) {
    state_->sink = std::move(sink);
    state_->capacity = capacity == 0 ? 1 : capacity;
    // The thread owns a share of the state, so it may outlive this object when the reader stalls.
    // It starts with every signal blocked: signals are the loop's business, never the writer's.
    sigset_t all, previous;
    sigfillset(&all);
    pthread_sigmask(SIG_SETMASK, &all, &previous);
    std::thread([state = state_] { state->run(); }).detach();
    pthread_sigmask(SIG_SETMASK, &previous, nullptr);
}

TranscriptWriter::~TranscriptWriter() { finish(std::chrono::milliseconds(2000)); }

void TranscriptWriter::push(std::string line) {
    std::lock_guard<std::mutex> lock(state_->mutex);
    if (state_->readerGone || state_->stopping) return;
    if (state_->lines.size() >= state_->capacity) {
        state_->lines.pop_front();
        ++state_->dropped;
    }
    state_->lines.push_back(std::move(line));
    state_->changed.notify_all();
}

void TranscriptWriter::finish(std::chrono::milliseconds grace) {
    std::unique_lock<std::mutex> lock(state_->mutex);
    state_->stopping = true;
    state_->changed.notify_all();
    state_->changed.wait_for(lock, grace, [&] {
        return state_->readerGone || (state_->lines.empty() && !state_->busy);
    });
}

TranscriptWriter::Sink TranscriptWriter::fileDescriptorSink(int fd) {
    return [fd](const std::string& chunk) {
        std::size_t done = 0;
        while (done < chunk.size()) {
            const ssize_t n = ::write(fd, chunk.data() + done, chunk.size() - done);
            if (n < 0 && errno == EINTR) continue;
            if (n <= 0) return false;
            done += static_cast<std::size_t>(n);
        }
        return true;
    };
}

std::string TranscriptWriter::droppedLine(std::size_t count, const std::string& nextLine) {
    // "hh:mm:ss.mmm " leads a stamped line.
    const bool stamped = nextLine.size() > 13 && nextLine[2] == ':' && nextLine[5] == ':' && nextLine[8] == '.' &&
                         nextLine[12] == ' ';
    return (stamped ? nextLine.substr(0, 13) : std::string()) + "DROPPED " + std::to_string(count);
}

LineToWriterBuffer::int_type LineToWriterBuffer::overflow(int_type c) {
    if (traits_type::eq_int_type(c, traits_type::eof())) return traits_type::not_eof(c);
    const char ch = traits_type::to_char_type(c);
    xsputn(&ch, 1);
    return c;
}

std::streamsize LineToWriterBuffer::xsputn(const char* s, std::streamsize n) {
    for (std::streamsize i = 0; i < n; ++i) {
        if (s[i] == '\n') {
            writer_.push(std::move(partial_));
            partial_.clear();
        } else {
            partial_ += s[i];
        }
    }
    return n;
}
