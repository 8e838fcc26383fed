// Fonts of the forms' controls, made from their stored descriptions.
#pragma once

#include "property_bag.h"
#include "win32_handles.h"

#include <string>

// The face a control gets for the face it asks for: the face itself when the
// system has it; for a Japanese proportional Gothic that it lacks, the closest
// one it has; otherwise the face asked for, left to the font mapper.
std::wstring InstalledFace(const std::wstring& face);

// The font every label and button of the host's forms is designed with:
// "ＭＳ Ｐゴシック", 9.75 points, normal weight, the Shift-JIS character set.
FontDescription DesignFont();

// A font of the description's face (as InstalledFace finds it), size in points
// at the resolution, weight, style and character set.
UniqueFont CreateFontOf(const FontDescription& font, int dpi);
