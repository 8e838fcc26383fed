// Mouse buttons as the forms' events report them. The values are plain (no
// platform header), so that the rules can speak of them too.
#pragma once

#include <cstdint>

inline constexpr std::int16_t kLeftMouseButton = 1, kRightMouseButton = 2, kMiddleMouseButton = 4;

// The button of a mouse message (WM_LBUTTONDOWN and the rest); left for any
// other message.
std::int16_t MouseButtonOf(unsigned message);
