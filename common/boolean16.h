// The 16-bit booleans the host's globals and the button's fields hold: true
// is all bits set, as the settings and the button's state machine store it.
#pragma once

#include <cstdint>

inline constexpr std::int16_t kTrue = -1, kFalse = 0;
