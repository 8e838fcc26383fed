// Owners for the Win32 handles the programs hold.
#pragma once

#include "unique_handle.h"

#include <windows.h>

namespace handle_traits {

// Kernel objects whose "none" is INVALID_HANDLE_VALUE (files).
struct File {
    using Handle = HANDLE;
    static Handle None() noexcept { return INVALID_HANDLE_VALUE; }
    static void Release(Handle h) noexcept { CloseHandle(h); }
};

}  // namespace handle_traits

using UniqueModule = UniqueHandle<ReleasedBy<HMODULE, FreeLibrary>>;
using UniqueFile = UniqueHandle<handle_traits::File>;
// Kernel objects whose "none" is null (mappings, processes, threads, events).
using UniqueKernelHandle = UniqueHandle<ReleasedBy<HANDLE, CloseHandle>>;
// A view of a file mapping.
using UniqueMappedView = UniqueHandle<ReleasedBy<const void*, UnmapViewOfFile>>;
// A memory device context made with CreateCompatibleDC.
using UniqueMemoryDc = UniqueHandle<ReleasedBy<HDC, DeleteDC>>;
// Fonts, bitmaps and brushes, each kept as its own type.
using UniqueFont = UniqueHandle<ReleasedBy<HFONT, DeleteObject>>;
using UniqueBitmap = UniqueHandle<ReleasedBy<HBITMAP, DeleteObject>>;
using UniqueBrush = UniqueHandle<ReleasedBy<HBRUSH, DeleteObject>>;
using UniqueWindow = UniqueHandle<ReleasedBy<HWND, DestroyWindow>>;
// A hook on a thread's messages, from SetWindowsHookEx.
using UniqueHook = UniqueHandle<ReleasedBy<HHOOK, UnhookWindowsHookEx>>;
// An OpenGL rendering context; one current on the calling thread stops
// being current as it is deleted.
using UniqueGlContext = UniqueHandle<ReleasedBy<HGLRC, wglDeleteContext>>;

// A window's device context from GetDC, given back with ReleaseDC.
class UniqueWindowDc {
public:
    UniqueWindowDc() noexcept = default;
    UniqueWindowDc(HWND window, HDC dc) noexcept : dc_(dc ? WindowDc{window, dc} : WindowDc{}) {}

    HDC get() const noexcept { return dc_.get().dc; }
    explicit operator bool() const noexcept { return static_cast<bool>(dc_); }
    void reset() noexcept { dc_.reset(); }

private:
    struct WindowDc {
        HWND window = nullptr;
        HDC dc = nullptr;
        friend bool operator==(const WindowDc&, const WindowDc&) = default;
    };
    struct Traits {
        using Handle = WindowDc;
        static Handle None() noexcept { return {}; }
        static void Release(Handle h) noexcept { ReleaseDC(h.window, h.dc); }
    };
    UniqueHandle<Traits> dc_;
};

// A device context of the whole screen, for measuring and for making
// compatible bitmaps.
inline UniqueWindowDc ScreenDc() { return UniqueWindowDc(nullptr, GetDC(nullptr)); }

// An object selected into a device context for the guard's life; the object
// it replaced goes back when the guard ends.
class SelectedObject {
public:
    SelectedObject(HDC dc, HGDIOBJ object) noexcept : dc_(dc), replaced_(SelectObject(dc, object)) {}
    ~SelectedObject()
    {
        if (*this) SelectObject(dc_, replaced_);
    }
    SelectedObject(const SelectedObject&) = delete;
    SelectedObject& operator=(const SelectedObject&) = delete;

    // False when the object could not be selected.
    explicit operator bool() const noexcept
    {
        // HGDI_ERROR, written without the macro's sign-changing conversion.
        return replaced_ != nullptr && replaced_ != reinterpret_cast<HGDIOBJ>(LONG_PTR{-1});
    }

private:
    HDC dc_;
    HGDIOBJ replaced_;
};

// The mouse cursor hidden for the owner's life: the system counts each
// ShowCursor(FALSE), and only as many TRUEs show it again.
class HiddenCursor {
public:
    HiddenCursor() noexcept { ShowCursor(FALSE); }
    ~HiddenCursor() { ShowCursor(TRUE); }
    HiddenCursor(const HiddenCursor&) = delete;
    HiddenCursor& operator=(const HiddenCursor&) = delete;
};

// BeginPaint and EndPaint around one WM_PAINT.
class PaintGuard {
public:
    explicit PaintGuard(HWND window) noexcept : window_(window), dc_(BeginPaint(window, &paint_)) {}
    ~PaintGuard() { EndPaint(window_, &paint_); }
    PaintGuard(const PaintGuard&) = delete;
    PaintGuard& operator=(const PaintGuard&) = delete;

    HDC Dc() const noexcept { return dc_; }

private:
    HWND window_;
    PAINTSTRUCT paint_{};
    HDC dc_;
};
