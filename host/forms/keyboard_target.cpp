#include "keyboard_target.h"

#include <cstdint>

namespace {

constexpr wchar_t kKeyboardTargetClassName[] = L"SorvaneKeyboardTarget";
// Bit 30 of a key message: the key was down already.
constexpr std::uint64_t kRepeatBit = std::uint64_t{1} << 30;

}  // namespace

KeyboardTarget::KeyboardTarget(HWND parent)
{
    // Visible, so that the dialog box's tabbing stops here; of no size, so
    // that the pointer still reaches what lies under it.
    CreateOwnedWindow(kKeyboardTargetClassName, nullptr, 0, L"", WS_CHILD | WS_VISIBLE | WS_TABSTOP, {0, 0, 0, 0},
                      parent);
}

LRESULT KeyboardTarget::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_GETDLGCODE:
        if (const auto* key = reinterpret_cast<const MSG*>(lParam);
            key && key->message == WM_KEYDOWN && WantsKey && WantsKey(static_cast<UINT>(key->wParam)))
            return DLGC_WANTMESSAGE;
        return 0;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        if (FocusChanged) FocusChanged(message == WM_SETFOCUS);
        return 0;
    case WM_KEYDOWN:
        if (KeyDown) KeyDown(static_cast<UINT>(wParam), IsKeyRepeat(lParam));
        return 0;
    default:
        return OwnedWindow::HandleMessage(message, wParam, lParam);
    }
}

bool IsKeyRepeat(LPARAM keyData) { return (static_cast<std::uint64_t>(keyData) & kRepeatBit) != 0; }

void HandOnFocusBeforeDisabling(HWND control)
{
    const HWND focus = GetFocus();
    if (!control || !focus || (focus != control && !IsChild(control, focus))) return;
    const HWND dialog = GetAncestor(control, GA_ROOT);
    HWND next = GetNextDlgTabItem(dialog, control, FALSE);
    if (next == control || (next && IsChild(control, next))) next = nullptr;
    SetFocus(next ? next : dialog);
}
