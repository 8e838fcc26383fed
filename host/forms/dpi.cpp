#include "dpi.h"

#include "system_library.h"
#include "twips.h"

namespace {

// Looked up, not imported: the program must still start on Windows 7 and 8.
using GetDpiForWindowFunction = UINT(WINAPI*)(HWND);
using AdjustWindowRectExForDpiFunction = BOOL(WINAPI*)(LPRECT, DWORD, BOOL, DWORD, UINT);

}  // namespace

int WindowDpi(HWND window)
{
    static const auto getDpi = SystemFunction<GetDpiForWindowFunction>(L"user32.dll", "GetDpiForWindow");
    const UINT dpi = getDpi && window ? getDpi(window) : 0;
    return dpi > 0 ? static_cast<int>(dpi) : ScreenDpi();
}

void ResizeClientTo(HWND window, int width, int height, DWORD style, DWORD exStyle, int dpi)
{
    static const auto adjustForDpi = SystemFunction<AdjustWindowRectExForDpiFunction>(L"user32.dll", "AdjustWindowRectExForDpi");
    RECT frame{0, 0, width, height};
    if (!adjustForDpi || !adjustForDpi(&frame, style, FALSE, exStyle, static_cast<UINT>(dpi)))
        AdjustWindowRectEx(&frame, style, FALSE, exStyle);
    constexpr UINT kSizeOnly = SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE;
    SetWindowPos(window, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top, kSizeOnly);
    // A frame drawn at another resolution than the one asked about (a
    // monitor change the system has not finished) is measured instead.
    RECT client{};
    GetClientRect(window, &client);
    if (client.right == width && client.bottom == height) return;
    RECT placed{};
    GetWindowRect(window, &placed);
    SetWindowPos(window, nullptr, 0, 0, placed.right - placed.left + width - client.right,
                 placed.bottom - placed.top + height - client.bottom, kSizeOnly);
}
