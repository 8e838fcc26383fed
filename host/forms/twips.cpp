#include "twips.h"

#include <windows.h>

#include <cmath>

namespace {

constexpr int kStandardTwipsPerPixel = 15;

}  // namespace

int TwipsPerPixel()
{
    const HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return dpi > 0 ? kTwipsPerInch / dpi : kStandardTwipsPerPixel;
}

int ToPixels(double twips) { return static_cast<int>(std::floor(twips / TwipsPerPixel())); }
