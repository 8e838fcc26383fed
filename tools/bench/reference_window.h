// A bare full-screen GL window for the reference programs: the same display
// mode and pixel format as the renderer, none of its code but the pixel
// format's request. Its swaps never wait for the retrace: a reference
// measures what its frames cost, not the display's rate.
#pragma once

#include "pixel_format.h"
#include "screen_shape.h"

#include <windows.h>
#include <GL/gl.h>

struct ReferenceWindow {
    HWND window = nullptr;
    HDC dc = nullptr;
    HGLRC context = nullptr;
};

inline bool OpenReferenceWindow(ReferenceWindow& r)
{
    DEVMODEA mode{};
    mode.dmSize = sizeof mode;
    mode.dmPelsWidth = kSceneScreenWidth;
    mode.dmPelsHeight = kSceneScreenHeight;
    mode.dmBitsPerPel = kSceneScreenBits;
    mode.dmFields = DM_BITSPERPEL | DM_PELSWIDTH | DM_PELSHEIGHT;
    if (ChangeDisplaySettingsA(&mode, CDS_FULLSCREEN) != DISP_CHANGE_SUCCESSFUL) return false;
    WNDCLASSA windowClass{};
    windowClass.style = CS_OWNDC;
    windowClass.lpfnWndProc = DefWindowProcA;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "SorvaneReference";
    RegisterClassA(&windowClass);
    r.window = CreateWindowExA(WS_EX_APPWINDOW, windowClass.lpszClassName, "Sorvane reference",
                               WS_POPUP | WS_VISIBLE, 0, 0, kSceneScreenWidth, kSceneScreenHeight, nullptr, nullptr,
                               windowClass.hInstance, nullptr);
    if (!r.window) return false;
    r.dc = GetDC(r.window);
    if (!SetOpenGlPixelFormat(r.dc, kSceneScreenBits)) return false;
    r.context = wglCreateContext(r.dc);
    if (!r.context || !wglMakeCurrent(r.dc, r.context)) return false;
    using SwapIntervalProc = BOOL(WINAPI*)(int);
    if (auto swapInterval = reinterpret_cast<SwapIntervalProc>(
            reinterpret_cast<void*>(wglGetProcAddress("wglSwapIntervalEXT"))))
        swapInterval(0);
    glViewport(0, 0, kSceneScreenWidth, kSceneScreenHeight);
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
    MSG message;
    do {
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
        frame();
        SwapBuffers(r.dc);
        meter.CountFrame();
    } while (meter.ElapsedSeconds() < seconds);
    meter.Print(name);
}
