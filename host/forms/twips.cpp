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

namespace {

// 0 until a form sets it: the screen's then.
int formDpi = 0;

}  // namespace

int FormDpi()
{
    // A screen that gives no resolution is taken at the standard 96.
    constexpr int kStandardDpi = 96;
    const int dpi = formDpi > 0 ? formDpi : ScreenDpi();
    return dpi > 0 ? dpi : kStandardDpi;
}

void SetFormDpi(int dpi) { formDpi = dpi; }

int ToPixels(double twips) { return TwipsToPixels(twips, FormDpi()); }
