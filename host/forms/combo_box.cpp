#include "combo_box.h"

#include "keyboard_target.h"

#include <vector>

namespace {

constexpr int kDroppedListHeight = 200;
// CB_GETITEMHEIGHT and CB_SETITEMHEIGHT address the text field as item -1.
constexpr auto kSelectionField = static_cast<WPARAM>(-1);

}  // namespace

ComboBox::ComboBox(HWND parent, const RECT& bounds, HFONT font)
{
    window_.reset(CreateWindowExW(0, L"COMBOBOX", L"",
                                  WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWN | CBS_AUTOHSCROLL,
                                  bounds.left, bounds.top, bounds.right - bounds.left,
                                  bounds.bottom - bounds.top + kDroppedListHeight, parent, nullptr,
                                  GetModuleHandleW(nullptr), nullptr));
    SetWindowLongPtrW(window_.get(), GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    systemProcedure_ = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(window_.get(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(WatchDestruction)));
    SendMessageW(window_.get(), WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    // The text field takes the height it was given, whatever the font.
    const auto fieldHeight = bounds.bottom - bounds.top;
    const auto itemHeight = static_cast<int>(SendMessageW(window_.get(), CB_GETITEMHEIGHT, kSelectionField, 0));
    RECT collapsed{};
    GetWindowRect(window_.get(), &collapsed);
    const int frame = (collapsed.bottom - collapsed.top) - itemHeight;
    if (itemHeight > 0 && fieldHeight > frame)
        SendMessageW(window_.get(), CB_SETITEMHEIGHT, kSelectionField, fieldHeight - frame);
}

ComboBox::~ComboBox()
{
    if (!window_) return;
    // The system's procedure alone sees the window out.
    SetWindowLongPtrW(window_.get(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(systemProcedure_));
    SetWindowLongPtrW(window_.get(), GWLP_USERDATA, 0);
}

LRESULT CALLBACK ComboBox::WatchDestruction(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto* self = reinterpret_cast<ComboBox*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    const WNDPROC system = self->systemProcedure_;
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(system));
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        self->window_.release();
    }
    return CallWindowProcW(system, window, message, wParam, lParam);
}

std::wstring ComboBox::Text() const
{
    std::vector<wchar_t> text(static_cast<std::size_t>(GetWindowTextLengthW(window_.get())) + 1);
    GetWindowTextW(window_.get(), text.data(), static_cast<int>(text.size()));
    return text.data();
}

void ComboBox::SetText(const std::wstring& text) { SetWindowTextW(window_.get(), text.c_str()); }

void ComboBox::AddItem(const std::wstring& item)
{
    SendMessageW(window_.get(), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
}

void ComboBox::ClearList() { SendMessageW(window_.get(), CB_RESETCONTENT, 0, 0); }

int ComboBox::ListCount() const { return static_cast<int>(SendMessageW(window_.get(), CB_GETCOUNT, 0, 0)); }

std::wstring ComboBox::List(int index) const
{
    const auto length = SendMessageW(window_.get(), CB_GETLBTEXTLEN, static_cast<WPARAM>(index), 0);
    if (length < 0) return {};
    std::vector<wchar_t> text(static_cast<std::size_t>(length) + 1);
    SendMessageW(window_.get(), CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.data()));
    return text.data();
}

bool ComboBox::Enabled() const { return IsWindowEnabled(window_.get()) != FALSE; }

void ComboBox::SetEnabled(bool enabled)
{
    if (!enabled) HandOnFocusBeforeDisabling(window_.get());
    EnableWindow(window_.get(), enabled ? TRUE : FALSE);
}
