// A persistent drawing surface: a memory bitmap the size of a control that
// drawing goes to and that every repaint shows.
#pragma once

#include "win32_handles.h"

#include <windows.h>

#include <optional>

class PersistentSurface {
public:
    // A fresh surface of the given size (at least 1 x 1), compatible with the screen.
    void Resize(int width, int height)
    {
        selected_.reset();
        dc_.reset();
        const UniqueWindowDc screen = ScreenDc();
        dc_.reset(CreateCompatibleDC(screen.get()));
        bitmap_.reset(CreateCompatibleBitmap(screen.get(), width > 1 ? width : 1, height > 1 ? height : 1));
        selected_.emplace(dc_.get(), bitmap_.get());
    }

    explicit operator bool() const { return static_cast<bool>(dc_); }
    HDC Dc() const { return dc_.get(); }

private:
    // Declared so that they go in reverse: the bitmap leaves the DC, the DC
    // goes, then the bitmap.
    UniqueBitmap bitmap_;
    UniqueMemoryDc dc_;
    std::optional<SelectedObject> selected_;
};
