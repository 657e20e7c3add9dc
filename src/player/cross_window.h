#pragma once
// Small readers of other windows' controls. The player only needs a control's value or shown
// text; these overloads keep it working whichever control kind the owning window chose.
#include <string>

#include "core/controls.h"
#include "core/text.h"

namespace player_detail {
inline int controlValue(const CheckBox& c) { return c.value(); }
inline int controlValue(const TextBox& t) { return clampToInt(val(t.text())); }
inline int controlValue(const OptionButton& o) { return o.value() ? 1 : 0; }

inline const std::string& shownText(const TextBox& t) { return t.text(); }
inline const std::string& shownText(const Label& l) { return l.caption(); }
inline const std::string& shownText(const ComboBox& c) { return c.text(); }

inline void setShownText(TextBox& t, const std::string& s) { t.setText(s); }
inline void setShownText(Label& l, const std::string& s) { l.setCaption(s); }

// Colours as the toolkit writes them, &HBBGGRR.
constexpr std::int64_t kRed = 0x0000FF;         // (255, 0, 0)
constexpr std::int64_t kLightGreen = 0x80FF80;  // (128, 255, 128)
constexpr std::int64_t kGreen = 0x00C000;       // (0, 192, 0)
constexpr std::int64_t kButtonFace = -1;        // the system's button-face colour
}  // namespace player_detail
