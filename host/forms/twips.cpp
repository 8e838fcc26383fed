#include "twips.h"

#include "win32_handles.h"

#include <windows.h>

#include <cmath>

int ScreenDpi()
{
    static const int dpi = GetDeviceCaps(ScreenDc().get(), LOGPIXELSY);
    return dpi;
}

int TwipsToPixels(double twips, int dpi) { return static_cast<int>(std::floor(twips * dpi / kTwipsPerInch)); }

int ToPixels(double twips)
{
    // A screen that gives no resolution is taken at the standard 96.
    constexpr int kStandardDpi = 96;
    const int dpi = ScreenDpi();
    return TwipsToPixels(twips, dpi > 0 ? dpi : kStandardDpi);
}
