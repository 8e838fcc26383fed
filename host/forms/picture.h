// A picture held by a control: a device-independent bitmap of the program's
// resources, drawable and savable as a bitmap file.
#pragma once

#include "win32_handles.h"

#include <windows.h>

#include <cstdint>
#include <vector>

class Picture {
public:
    Picture() = default;
    // The bitmap resource with this id of the program.
    static Picture FromResource(int resourceId);

    explicit operator bool() const { return static_cast<bool>(bitmap_); }
    HBITMAP Bitmap() const { return bitmap_.get(); }
    int Width() const { return width_; }
    int Height() const { return height_; }

    // Draws the picture at its natural size with its top-left corner at (x, y),
    // cut to the given width and height.
    void Draw(HDC dc, int x, int y, int width, int height) const;

private:
    UniqueBitmap bitmap_;
    int width_ = 0;
    int height_ = 0;
};

// The picture as the bytes of an uncompressed 24-bit Windows bitmap file;
// none when it has no pixels to give.
std::vector<std::uint8_t> BitmapFileOf(const Picture& picture);
