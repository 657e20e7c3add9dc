#pragma once
// Building test pages: hostile ones are a piece of markup repeated many times.
#include <string>

inline std::string times(const std::string& piece, int n) {
    std::string s;
    s.reserve(piece.size() * static_cast<std::size_t>(n));
    for (int i = 0; i < n; ++i) s += piece;
    return s;
}
