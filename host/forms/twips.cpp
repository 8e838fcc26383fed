#include "twips.h"

#include "win32_handles.h"

#include <windows.h>

#include <cmath>

namespace {

constexpr int kStandardTwipsPerPixel = 15;

}  // namespace

int ScreenDpi()
{
    static const int dpi = GetDeviceCaps(ScreenDc().get(), LOGPIXELSY);
    return dpi;
}

int TwipsPerPixel()
{
    const int dpi = ScreenDpi();
    return dpi > 0 ? kTwipsPerInch / dpi : kStandardTwipsPerPixel;
}

int ToPixels(double twips) { return static_cast<int>(std::floor(twips / TwipsPerPixel())); }
