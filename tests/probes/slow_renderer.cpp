// Stands in for the renderer when a test needs one that is slow to start: it
// waits two seconds (or as long as its build says), then shows a full-screen window titled "Sorvane_VC" until
// Escape or close.
#include "shared_names.h"

#include <windows.h>

namespace {

#ifndef SORVANE_RENDERER_DELAY_MS
#define SORVANE_RENDERER_DELAY_MS 2000
#endif
constexpr DWORD kStartDelayMs = SORVANE_RENDERER_DELAY_MS;

LRESULT CALLBACK SlowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if ((message == WM_KEYDOWN && wParam == VK_ESCAPE) || message == WM_CLOSE) {
        DestroyWindow(window);
        return 0;
    }
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    Sleep(kStartDelayMs);
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = SlowProc;
    windowClass.hInstance = instance;
    windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    windowClass.lpszClassName = "SorvaneSlowRenderer";
    RegisterClassA(&windowClass);
    HWND window = CreateWindowExA(0, windowClass.lpszClassName, kRendererWindowTitle, WS_POPUP | WS_VISIBLE, 0, 0, 1024,
                                  768, nullptr, nullptr, instance, nullptr);
    if (!window) return 1;
    SetForegroundWindow(window);
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return 0;
}
