// A bare full-screen GL window for the reference programs: the same display
// mode, pixel format and swap interval as the renderer, none of its code but
// the pixel format's request.
#pragma once

#include "pixel_format.h"

#include <windows.h>
#include <GL/gl.h>

struct ReferenceWindow {
    HWND window = nullptr;
    HDC dc = nullptr;
    HGLRC context = nullptr;
};

inline LRESULT CALLBACK ReferenceProc(HWND w, UINT m, WPARAM wp, LPARAM lp)
{
    return DefWindowProcA(w, m, wp, lp);
}

inline constexpr int kReferenceColourBits = 32;

inline bool OpenReferenceWindow(ReferenceWindow& r)
{
    DEVMODEA mode{};
    mode.dmSize = sizeof mode;
    mode.dmPelsWidth = 1024;
    mode.dmPelsHeight = 768;
    mode.dmBitsPerPel = kReferenceColourBits;
    mode.dmFields = DM_BITSPERPEL | DM_PELSWIDTH | DM_PELSHEIGHT;
    if (ChangeDisplaySettingsA(&mode, CDS_FULLSCREEN) != DISP_CHANGE_SUCCESSFUL) return false;
    WNDCLASSA windowClass{};
    windowClass.style = CS_OWNDC;
    windowClass.lpfnWndProc = ReferenceProc;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "SorvaneReference";
    RegisterClassA(&windowClass);
    r.window = CreateWindowExA(WS_EX_APPWINDOW, windowClass.lpszClassName, "Sorvane reference",
                               WS_POPUP | WS_VISIBLE, 0, 0, 1024, 768, nullptr, nullptr, windowClass.hInstance,
                               nullptr);
    if (!r.window) return false;
    r.dc = GetDC(r.window);
    if (!SetOpenGlPixelFormat(r.dc, kReferenceColourBits)) return false;
    r.context = wglCreateContext(r.dc);
    if (!r.context || !wglMakeCurrent(r.dc, r.context)) return false;
    using SwapIntervalProc = BOOL(WINAPI*)(int);
    if (auto swapInterval = reinterpret_cast<SwapIntervalProc>(
            reinterpret_cast<void*>(wglGetProcAddress("wglSwapIntervalEXT"))))
        swapInterval(0);
    glViewport(0, 0, 1024, 768);
    return true;
}

inline void CloseReferenceWindow(ReferenceWindow& r)
{
    wglMakeCurrent(nullptr, nullptr);
    wglDeleteContext(r.context);
    ReleaseDC(r.window, r.dc);
    DestroyWindow(r.window);
    ChangeDisplaySettingsA(nullptr, 0);
}

// Runs `frame` back to back for the given seconds, between message polls.
template <typename Frame>
inline void RunFrames(ReferenceWindow& r, double seconds, const char* name, Frame frame)
{
    FrameMeter meter;
    bool started = false;
    MSG message;
    for (;;) {
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
        frame();
        SwapBuffers(r.dc);
        if (!started) {
            started = true;
            meter.Start();
        } else {
            meter.CountFrame();
        }
        if (meter.ElapsedSeconds() >= seconds) break;
    }
    meter.Print(name);
}
