// What the host says to the user, in the system's own Japanese voice, and the
// caption its message boxes carry. UTF-16, for the W functions.
#pragma once

#include "sorvane_version.h"

inline constexpr wchar_t kProductTitle[] = L"" SORVANE_PRODUCT_NAME;

// The renderer program is not beside the host.
inline constexpr wchar_t kRendererMissingText[] = L"Sorvane.dll が同じﾌｫﾙﾀﾞに見つかりません！";

// "設定" could not write the settings file (a folder the user may not
// write to, a read-only file).
inline constexpr wchar_t kSettingsNotSavedText[] = L"設定を Sorvane.ini に書き込めません！";

// The music file chosen has a name the system's code page cannot write, and
// no short name that it can: neither the settings file nor the player could
// name it.
inline constexpr wchar_t kUnwritableFileNameText[] =
    L"選んだﾌｧｲﾙの名前には、このﾊﾟｿｺﾝの文字で表せない文字が含まれています。\n"
    L"ﾌｧｲﾙ名を変えてから、もう一度選んでください。";
