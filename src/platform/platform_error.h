#pragma once
#include <stdexcept>
#include <string>

// A platform service could not do what it was asked (no such file, no device, network down).
class PlatformError : public std::runtime_error {
public:
    explicit PlatformError(const std::string& what) : std::runtime_error(what) {}
};
