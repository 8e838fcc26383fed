#include "swap_interval.h"

#include <windows.h>

void SetSwapInterval(bool enable)
{
    using SwapIntervalProc = BOOL(WINAPI*)(int);
    const auto swapInterval =
        reinterpret_cast<SwapIntervalProc>(reinterpret_cast<void*>(wglGetProcAddress("wglSwapIntervalEXT")));
    if (swapInterval) swapInterval(enable ? 1 : 0);
}
