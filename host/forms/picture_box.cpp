#include "picture_box.h"

namespace {

constexpr wchar_t kPictureBoxClassName[] = L"SorvanePictureBox";

}  // namespace

PictureBox::PictureBox(HWND parent, const RECT& bounds, COLORREF background)
{
    // Tabbing goes on into the controls the box holds.
    CreateOwnedWindow(kPictureBoxClassName, nullptr, WS_EX_CONTROLPARENT, L"", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN,
                      {bounds.left, bounds.top, bounds.right - bounds.left, bounds.bottom - bounds.top}, parent);
    layer_.Attach(Handle(), background);
}

LRESULT PictureBox::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (const auto handled = layer_.HandleMessage(message, wParam, lParam)) return *handled;
    return OwnedWindow::HandleMessage(message, wParam, lParam);
}
