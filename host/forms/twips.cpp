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

