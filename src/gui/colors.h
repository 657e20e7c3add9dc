#pragma once
// Colours as the windows store them (&HBBGGRR) in Qt's terms.
#include <QColor>
#include <cstdint>
#include <optional>

// Nothing for the system default (-1) and for anything outside 0 .. &HFFFFFF.
inline std::optional<QColor> vbColor(std::int64_t c) {
    if (c < 0 || c > 0xFFFFFF) return std::nullopt;
    return QColor(static_cast<int>(c & 0xFF), static_cast<int>((c >> 8) & 0xFF), static_cast<int>((c >> 16) & 0xFF));
}

inline constexpr int kTwipsPerPixel = 15;
inline int twipsToPixels(int twips) { return twips / kTwipsPerPixel; }
