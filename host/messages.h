// What the host says to the user, in the system's own Japanese voice, and the
// caption its message boxes carry. UTF-16, for the W functions.
#pragma once

#include "sorvane_version.h"

inline constexpr wchar_t kProductTitle[] = L"" SORVANE_PRODUCT_NAME;

// The renderer program is not beside the host.
inline constexpr wchar_t kRendererMissingText[] = L"Sorvane.dll が同じﾌｫﾙﾀﾞに見つかりません！";

