// A picture box: a child window that holds other controls, with a persistent
// image and windowless controls of its own.
#pragma once

#include "control_layer.h"
#include "owned_window.h"

#include <windows.h>

class PictureBox final : public OwnedWindow {
public:
    // A visible box at the given pixels of the parent's client area.
    PictureBox(HWND parent, const RECT& bounds, COLORREF background);

    ControlLayer& Layer() { return layer_; }

private:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void PaintContent(HDC dc) override { layer_.Paint(dc); }

    ControlLayer layer_;
};
