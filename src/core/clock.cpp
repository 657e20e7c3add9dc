#include "core/clock.h"

#include <chrono>
#include <ctime>
#include <thread>

RealClock::RealClock() = default;

LocalMs RealClock::now() const {
    using namespace std::chrono;
    const auto sys = system_clock::now();
    const std::time_t secs = system_clock::to_time_t(sys);
    std::tm local{};
    localtime_r(&secs, &local);
    const auto ms = duration_cast<milliseconds>(sys.time_since_epoch()).count() % 1000;
    return (static_cast<LocalMs>(secs) + local.tm_gmtoff) * 1000 + ms;
}

std::int64_t RealClock::tickCount() const {
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

void RealClock::sleepFor(std::int64_t ms) {
    if (ms > 0) std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}
