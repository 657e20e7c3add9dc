#include "app/headless/input_lines.h"

#include <poll.h>
#include <unistd.h>

#include <cerrno>

#include "app/ending_signals.h"

bool InputLines::takeLine(std::string& line) {
    const auto end = buffer_.find('\n');
    if (end == std::string::npos) {
        if (!ended_ || buffer_.empty()) return false;
        line = std::move(buffer_);   // the last line may lack its line end
        buffer_.clear();
        return true;
    }
    line = buffer_.substr(0, end);
    buffer_.erase(0, end + 1);
    return true;
}

InputLines::Got InputLines::next(std::string& line) {
    for (;;) {
        if (takeLine(line)) return Got::Line;
        if (ended_) return Got::End;
        pollfd fds[2] = {{input_, POLLIN, 0}, {signals_, POLLIN, 0}};
        const int n = ::poll(fds, signals_ >= 0 ? 2 : 1, -1);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) {
            ended_ = true;
            continue;
        }
        if (signals_ >= 0 && (fds[1].revents & POLLIN) && readEndingSignal(signals_) != 0) return Got::Signal;
        if (fds[0].revents & (POLLIN | POLLHUP | POLLERR | POLLNVAL)) {
            char buf[65536];
            const ssize_t got = ::read(input_, buf, sizeof buf);
            if (got < 0 && (errno == EINTR || errno == EAGAIN)) continue;
            if (got <= 0) ended_ = true;
            else buffer_.append(buf, static_cast<size_t>(got));
        }
    }
}
