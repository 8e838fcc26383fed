#include "control_layer.h"

#include "mouse_button.h"
#include "screen.h"
#include "win32_handles.h"

#include <windowsx.h>

#include <algorithm>

void ControlLayer::Attach(HWND window, COLORREF background)
{
    window_ = window;
    RECT client{};
    GetClientRect(window, &client);
    width_ = client.right;
    height_ = client.bottom;
    surface_.Resize(width_, height_);
    const UniqueBrush brush(CreateSolidBrush(background));
    FillRect(surface_.Dc(), &client, brush.get());
}

void ControlLayer::Add(WindowlessControl& control) { controls_.push_back(&control); }

void ControlLayer::RemoveAll()
{
    controls_.clear();
    pressed_ = nullptr;
}

void ControlLayer::Refresh() const
{
    if (window_) InvalidateRect(window_, nullptr, FALSE);
}

void ControlLayer::Paint(HDC dc) const
{
    if (surface_) BitBlt(dc, 0, 0, width_, height_, surface_.Dc(), 0, 0, SRCCOPY);
    for (const WindowlessControl* control : controls_)
        if (control->visible) control->Draw(dc);
}

WindowlessControl* ControlLayer::ControlAt(POINT point) const
{
    // The topmost control under the point: the last added.
    for (auto it = controls_.rbegin(); it != controls_.rend(); ++it)
        if ((*it)->visible && PtInRect(&(*it)->bounds, point)) return *it;
    return nullptr;
}

std::optional<LRESULT> ControlLayer::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN: {
        WindowlessControl* control = ControlAt({GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
        if (!control) return std::nullopt;
        // The release belongs to the control pressed, wherever it happens.
        pressed_ = control;
        SetCapture(window_);
        if (control->MouseDown) control->MouseDown(MouseButtonOf(message));
        return 0;
    }
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP: {
        WindowlessControl* pressed = std::exchange(pressed_, nullptr);
        if (!pressed) return std::nullopt;
        if (GetCapture() == window_) ReleaseCapture();
        // Only the controls still there count (a handler may have cleared them),
        // and only the left button clicks.
        const bool stillThere = std::find(controls_.begin(), controls_.end(), pressed) != controls_.end();
        if (message == WM_LBUTTONUP && stillThere && pressed == ControlAt({GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}) &&
            pressed->Click)
            pressed->Click();
        return 0;
    }
    case WM_SETCURSOR: {
        if (reinterpret_cast<HWND>(wParam) != window_ || LOWORD(lParam) != HTCLIENT) return std::nullopt;
        if (const HCURSOR screenCursor = ScreenCursor()) {
            SetCursor(screenCursor);
            return TRUE;
        }
        POINT pointer{};
        GetCursorPos(&pointer);
        ScreenToClient(window_, &pointer);
        const WindowlessControl* control = ControlAt(pointer);
        if (!control || !control->pointer) return std::nullopt;
        SetCursor(control->pointer);
        return TRUE;
    }
    default:
        return std::nullopt;
    }
}
