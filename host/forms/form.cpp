#include "form.h"

#include "application.h"
#include "keyboard_target.h"

#include <utility>
#include <vector>

namespace {

constexpr wchar_t kFormClassName[] = L"SorvaneForm";
// Where the system would put a new top-level window, at the size it would give it.
constexpr OwnedWindow::Placement kDefaultPlacement{CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT};

}  // namespace

Form::Form(std::wstring caption) : caption_(std::move(caption)) {}

Form::~Form()
{
    // A form that goes without being unloaded takes its window with it,
    // without running handlers on a half-destroyed object.
    DestroyOwnedWindow();
    StopCounting();
}

void Form::Load()
{
    if (IsLoaded()) return;
    if (!CreateOwnedWindow(kFormClassName, reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1), ExStyle(), caption_.c_str(),
                           Style(), kDefaultPlacement, Parent()))
        return;
    counted_ = true;
    Application::FormLoaded();
    CreateControls();
    Form_Load();
}

void Form::ShowWindowFirstTime()
{
    if (!shown_) {
        shown_ = true;
        Form_Resize();
    }
    if (IsLoaded()) ShowWindow(Handle(), SW_SHOW);
}

void Form::Show()
{
    Load();
    if (IsLoaded()) ShowWindowFirstTime();
}

void Form::ShowModal()
{
    Load();
    if (!IsLoaded()) return;
    // Other top-level windows of the thread take no input while this one is up.
    std::vector<HWND> disabled;
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND other, LPARAM list) {
            auto& windows = *reinterpret_cast<std::vector<HWND>*>(list);
            if (IsWindowEnabled(other) && IsWindowVisible(other)) windows.push_back(other);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&disabled));
    for (HWND other : disabled) EnableWindow(other, FALSE);
    ShowWindowFirstTime();
    if (!IsLoaded()) return;
    // The first control in the tab order that can take the focus gets it.
    if (const HWND first = GetNextDlgTabItem(Handle(), nullptr, FALSE)) SetFocus(first);

    MSG message{};
    while (IsLoaded() && GetMessageW(&message, nullptr, 0, 0) > 0) {
        // Tab and Shift+Tab move between the form's controls. A command made
        // of a key (Enter, Escape) tells its handler whether it was held down.
        keyRepeatInHandling_ = message.message == WM_KEYDOWN && IsKeyRepeat(message.lParam);
        const bool dialogKey = IsLoaded() && IsDialogMessageW(Handle(), &message);
        keyRepeatInHandling_ = false;
        if (dialogKey) continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    for (HWND other : disabled)
        if (IsWindow(other)) EnableWindow(other, TRUE);
    if (message.message == WM_QUIT && IsLoaded()) PostQuitMessage(static_cast<int>(message.wParam));
}

bool Form::Unload()
{
    if (!IsLoaded() || unloading_) return !IsLoaded();
    bool cancel = false;
    QueryUnload(cancel);
    if (cancel) return false;
    FinishUnload(true);
    return true;
}

void Form::FinishUnload(bool destroyWindow)
{
    unloading_ = true;
    Form_Unload();
    if (destroyWindow) DestroyOwnedWindow();
    unloading_ = false;
    StopCounting();
}

void Form::StopCounting()
{
    if (std::exchange(counted_, false)) Application::FormUnloaded();
}

void Form::OnWindowDestroyed()
{
    if (!unloading_ && counted_) FinishUnload(false);
}

HWND Form::FocusedControl() const
{
    if (!active_) return focusBeforeDeactivation_;
    const HWND focus = GetFocus();
    return focus && IsChild(Handle(), focus) ? focus : nullptr;
}

void Form::GiveFocusTo(HWND control)
{
    if (active_)
        SetFocus(control);
    else
        focusBeforeDeactivation_ = control;
}

LRESULT Form::OnMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    return OwnedWindow::HandleMessage(message, wParam, lParam);
}

LRESULT Form::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_SIZE:
        if (shown_ && IsWindowVisible(Handle())) Form_Resize();
        return 0;
    case WM_CLOSE:
        Unload();
        return 0;
    case WM_ACTIVATE:
        active_ = LOWORD(wParam) != WA_INACTIVE;
        if (!active_) {
            const HWND focus = GetFocus();
            if (focus && IsChild(Handle(), focus)) focusBeforeDeactivation_ = focus;
        } else if (HIWORD(wParam) == 0 && focusBeforeDeactivation_ && IsChild(Handle(), focusBeforeDeactivation_) &&
                   IsWindowEnabled(focusBeforeDeactivation_) && IsWindowVisible(focusBeforeDeactivation_)) {
            SetFocus(focusBeforeDeactivation_);
            return 0;
        }
        return OnMessage(message, wParam, lParam);
    default:
        return OnMessage(message, wParam, lParam);
    }
}
