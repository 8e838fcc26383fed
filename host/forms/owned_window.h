// A window that belongs to one C++ object: forms, picture boxes and buttons
// all follow it. The object is found from its window through GWLP_USERDATA,
// set at WM_NCCREATE; it handles every message from then on, paints in one
// place for the screen and for WM_PRINTCLIENT, and lets go of its handle at
// WM_NCDESTROY, whoever destroyed the window.
#pragma once

#include "win32_handles.h"

#include <windows.h>

class OwnedWindow {
public:
    // Where a window is created, as CreateWindowEx takes it (CW_USEDEFAULT
    // allowed).
    struct Placement {
        int x, y, width, height;
    };

    OwnedWindow(const OwnedWindow&) = delete;
    OwnedWindow& operator=(const OwnedWindow&) = delete;

    HWND Handle() const { return window_.get(); }

protected:
    OwnedWindow() = default;
    // A window still there goes with its object, without reaching the
    // object's handlers on the way.
    virtual ~OwnedWindow();

    // Creates this object's window of the class (registered on first use,
    // with the given background). False when there is no window.
    bool CreateOwnedWindow(const wchar_t* className, HBRUSH background, DWORD exStyle, const wchar_t* caption,
                           DWORD style, Placement placement, HWND parent);
    // Destroys the window now, without its last messages reaching the object.
    void DestroyOwnedWindow();

    // Every message while the window exists. The default paints through
    // PaintContent and leaves the rest to DefWindowProcW.
    virtual LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    // Draws the whole client area, for WM_PAINT and WM_PRINTCLIENT alike. The
    // default fills it with the class's background.
    virtual void PaintContent(HDC dc);
    // The window is being destroyed from outside (its parent went, or the
    // system ended it). Its handle is still valid during the call and let go
    // right after.
    virtual void OnWindowDestroyed() {}

private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    UniqueWindow window_;
};
