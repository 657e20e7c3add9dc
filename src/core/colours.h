#pragma once
// Colours several windows share, as the toolkit writes them: &HBBGGRR.
#include <cstdint>

namespace colours {
constexpr std::int64_t kRed = 0x0000FF;
constexpr std::int64_t kDarkRed = 0x000080;
constexpr std::int64_t kLightGreen = 0x80FF80;
constexpr std::int64_t kButtonFace = 0x8000000F;   // the system's button-face colour, by its index
constexpr std::int64_t kTooltipYellow = 0xE1FFFF;  // pale yellow
}  // namespace colours
