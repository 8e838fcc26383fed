#include "picture_box.h"

#include "window_procedure.h"

namespace {

constexpr wchar_t kPictureBoxClassName[] = L"SorvanePictureBox";

}  // namespace

PictureBox::PictureBox(HWND parent, const RECT& bounds, COLORREF background)
{
    static const ATOM registered = RegisterOwnedWindowClass<PictureBox>(kPictureBoxClassName);
    (void)registered;
    // Tabbing goes on into the controls the box holds.
    CreateWindowExW(WS_EX_CONTROLPARENT, kPictureBoxClassName, L"", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN,
                    bounds.left, bounds.top, bounds.right - bounds.left, bounds.bottom - bounds.top, parent, nullptr,
                    GetModuleHandleW(nullptr), this);
    layer_.Attach(window_.get(), background);
}

PictureBox::~PictureBox()
{
    if (window_) SetWindowLongPtrW(window_.get(), GWLP_USERDATA, 0);
}

LRESULT PictureBox::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCDESTROY) {
        // Destroyed with its form: the handle is gone, not to be destroyed again.
        const HWND self = window_.release();
        SetWindowLongPtrW(self, GWLP_USERDATA, 0);
        return DefWindowProcW(self, message, wParam, lParam);
    }
    if (const auto handled = layer_.HandleMessage(message, wParam, lParam)) return *handled;
    return DefWindowProcW(window_.get(), message, wParam, lParam);
}
