#include "form.h"

#include "application.h"

#include <vector>

namespace {

constexpr wchar_t kFormClassName[] = L"SorvaneForm";

}  // namespace

Form::Form(std::wstring caption) : caption_(std::move(caption)) {}

Form::~Form()
{
    if (window_) {
        // A form that goes without being unloaded takes its window with it,
        // without running handlers on a half-destroyed object.
        SetWindowLongPtrW(window_.get(), GWLP_USERDATA, 0);
        window_.reset();
        Application::FormUnloaded();
    }
}

void Form::Load()
{
    if (window_) return;
    static const ATOM registered =
        RegisterOwnedWindowClass<Form>(kFormClassName, reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
    (void)registered;
    // The window procedure takes the handle into window_ as soon as it exists.
    if (!CreateWindowExW(ExStyle(), kFormClassName, caption_.c_str(), Style(), CW_USEDEFAULT, CW_USEDEFAULT,
                         CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr, GetModuleHandleW(nullptr), this)) {
        window_.release();
        return;
    }
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
    if (window_) ShowWindow(window_.get(), SW_SHOW);
}

void Form::Show()
{
    Load();
    if (window_) ShowWindowFirstTime();
}

void Form::ShowModal()
{
    Load();
    if (!window_) return;
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
    if (!window_) return;
    // The first control in the tab order that can take the focus gets it.
    if (const HWND first = GetNextDlgTabItem(window_.get(), nullptr, FALSE)) SetFocus(first);

    MSG message{};
    while (window_ && GetMessageW(&message, nullptr, 0, 0) > 0) {
        // Tab and Shift+Tab move between the form's controls.
        if (window_ && IsDialogMessageW(window_.get(), &message)) continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    for (HWND other : disabled)
        if (IsWindow(other)) EnableWindow(other, TRUE);
    if (message.message == WM_QUIT && window_) PostQuitMessage(static_cast<int>(message.wParam));
}

bool Form::Unload()
{
    if (!window_ || unloading_) return !window_;
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
    SetWindowLongPtrW(window_.get(), GWLP_USERDATA, 0);
    if (destroyWindow)
        window_.reset();
    else
        window_.release();
    unloading_ = false;
    Application::FormUnloaded();
}

LRESULT Form::OnMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    return DefWindowProcW(window_.get(), message, wParam, lParam);
}

LRESULT Form::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_SIZE:
        if (shown_ && IsWindowVisible(window_.get())) Form_Resize();
        return 0;
    case WM_CLOSE:
        Unload();
        return 0;
    case WM_NCDESTROY: {
        // Destroyed from outside (a parent window that goes takes its child
        // windows with it): the form is unloaded all the same.
        const HWND self = window_.get();
        if (!unloading_ && self) FinishUnload(false);
        return self ? DefWindowProcW(self, message, wParam, lParam) : 0;
    }
    default:
        return OnMessage(message, wParam, lParam);
    }
}
