#include "echolink/forced_release.h"

#include <time.h>
#include <unistd.h>

#include <atomic>
#include <cstdint>

namespace {
std::atomic<unsigned> heldNow{0};
std::atomic<std::int64_t> stationMsAtChange{0};    // the station clock at the last change
std::atomic<std::int64_t> steadyMsAtChange{0};     // the monotonic clock then
static_assert(std::atomic<std::int64_t>::is_always_lock_free && std::atomic<unsigned>::is_always_lock_free);

std::int64_t steadyMs() {
    timespec t{};
    clock_gettime(CLOCK_MONOTONIC, &t);   // async-signal-safe
    return static_cast<std::int64_t>(t.tv_sec) * 1000 + t.tv_nsec / 1000000;
}

// "hh:mm:ss.mmm " for a station time, without the library (no locale, no allocation).
char* putStamp(char* at, std::int64_t localMs) {
    std::int64_t ofDay = localMs % 86400000;
    if (ofDay < 0) ofDay += 86400000;
    const std::int64_t parts[] = {ofDay / 3600000, ofDay / 60000 % 60, ofDay / 1000 % 60};
    for (const std::int64_t p : parts) {
        *at++ = static_cast<char>('0' + p / 10);
        *at++ = static_cast<char>('0' + p % 10);
        *at++ = ':';
    }
    at[-1] = '.';
    const std::int64_t ms = ofDay % 1000;
    *at++ = static_cast<char>('0' + ms / 100);
    *at++ = static_cast<char>('0' + ms / 10 % 10);
    *at++ = static_cast<char>('0' + ms % 10);
    *at++ = ' ';
    return at;
}

void writeRelease(std::int64_t stamp, const char* what) {
    char line[64];
    char* at = putStamp(line, stamp);
    while (*what) *at++ = *what++;
    *at++ = '\n';
    [[maybe_unused]] const ssize_t n = ::write(STDOUT_FILENO, line, static_cast<size_t>(at - line));
}
}  // namespace

void publishHeldOnAir(unsigned held, LocalMs stationNow) {
    stationMsAtChange.store(stationNow);
    steadyMsAtChange.store(steadyMs());
    heldNow.store(held);
}

void releaseHeldOnAir() {
    const unsigned held = heldNow.exchange(0);
    const std::int64_t stamp = stationMsAtChange.load() + (steadyMs() - steadyMsAtChange.load());
    if (held & held_on_air::Key) writeRelease(stamp, "KEY off");
    if (held & held_on_air::Rts) writeRelease(stamp, "RTS off");
    if (held & held_on_air::Dtr) writeRelease(stamp, "DTR off");
}
