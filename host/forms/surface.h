// A persistent drawing surface: a memory bitmap the size of a control that
// drawing goes to and that every repaint shows.
#pragma once

#include "win32_handles.h"

#include <windows.h>

class PersistentSurface {
public:
    PersistentSurface() = default;
    ~PersistentSurface() { Release(); }
    PersistentSurface(const PersistentSurface&) = delete;
    PersistentSurface& operator=(const PersistentSurface&) = delete;

    // A fresh surface of the given size (at least 1 x 1), compatible with the screen.
    void Resize(int width, int height)
    {
        Release();
        const HDC screen = GetDC(nullptr);
        dc_.reset(CreateCompatibleDC(screen));
        bitmap_.reset(CreateCompatibleBitmap(screen, width > 1 ? width : 1, height > 1 ? height : 1));
        ReleaseDC(nullptr, screen);
        oldBitmap_ = SelectObject(dc_.get(), bitmap_.get());
    }

    explicit operator bool() const { return static_cast<bool>(dc_); }
    HDC Dc() const { return dc_.get(); }

private:
    // The bitmap leaves the DC before either is deleted.
    void Release()
    {
        if (dc_ && oldBitmap_) SelectObject(dc_.get(), oldBitmap_);
        oldBitmap_ = nullptr;
        dc_.reset();
        bitmap_.reset();
    }

    UniqueMemoryDc dc_;
    UniqueGdiObject bitmap_;
    HGDIOBJ oldBitmap_ = nullptr;
};
