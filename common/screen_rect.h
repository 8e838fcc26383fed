// A rectangle on the screen, in virtual-screen pixels, right and bottom
// exclusive as the platform's RECT: one type for both programs' rules (the
// unit tests and the native build link them together). Plain C++.
#pragma once

struct ScreenRect {
    int left = 0, top = 0, right = 0, bottom = 0;

    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    bool IsEmpty() const { return right <= left || bottom <= top; }
    friend bool operator==(const ScreenRect&, const ScreenRect&) = default;
};
