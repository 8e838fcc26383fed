// What a container window (a form or a picture box) keeps for its client area:
// a persistent image that drawing goes to and that every repaint shows, and
// the windowless controls drawn over it, which get their mouse events here.
#pragma once

#include "surface.h"
#include "windowless_control.h"

#include <windows.h>

#include <optional>
#include <vector>

class ControlLayer {
public:
    ControlLayer() = default;
    ControlLayer(const ControlLayer&) = delete;
    ControlLayer& operator=(const ControlLayer&) = delete;

    // Gives the layer its window: the persistent image takes the client
    // area's size, cleared to the background colour.
    void Attach(HWND window, COLORREF background);
    // The persistent image's device context (none before Attach).
    HDC Surface() const { return surface_.Dc(); }
    int ScaleWidth() const { return width_; }
    int ScaleHeight() const { return height_; }

    // Controls are drawn in the order added; the last added is on top.
    void Add(WindowlessControl& control);
    void RemoveAll();
    // Shows the image and the controls again.
    void Refresh() const;
    // The image with the controls over it: the window's whole client area.
    void Paint(HDC dc) const;

    // Handles the mouse over the controls and their pointers; nothing for
    // messages it leaves to the window.
    std::optional<LRESULT> HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

private:
    WindowlessControl* ControlAt(POINT point) const;

    HWND window_ = nullptr;
    PersistentSurface surface_;
    int width_ = 0, height_ = 0;
    std::vector<WindowlessControl*> controls_;
    WindowlessControl* pressed_ = nullptr;
};
