// A picture box: a child window that holds other controls, with a persistent
// image and windowless controls of its own.
#pragma once

#include "control_layer.h"
#include "win32_handles.h"

#include <windows.h>

class PictureBox {
public:
    // A visible box at the given pixels of the parent's client area.
    PictureBox(HWND parent, const RECT& bounds, COLORREF background);
    ~PictureBox();
    PictureBox(const PictureBox&) = delete;
    PictureBox& operator=(const PictureBox&) = delete;

    HWND Handle() const { return window_.get(); }
    ControlLayer& Layer() { return layer_; }

private:
    template <typename Owner>
    friend LRESULT CALLBACK OwnedWindowProc(HWND, UINT, WPARAM, LPARAM);
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

    UniqueWindow window_;
    ControlLayer layer_;
};
