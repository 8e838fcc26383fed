#include "form.h"

#include "application.h"
#include "dpi.h"
#include "keyboard_target.h"

#include <utility>
#include <vector>

namespace {

constexpr wchar_t kFormClassName[] = L"SorvaneForm";
// Where the system would put a new top-level window, at the size it would give it.
constexpr OwnedWindow::Placement kDefaultPlacement{CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT};
// A screen that gives no resolution is taken at the standard 96.
constexpr int kStandardDpi = 96;
// Posted when a handler ends with a new layout waiting.
constexpr UINT kLayOutWhenFreeMessage = WM_APP;

// Counts one more running for as long as it lives.
class Running {
public:
    explicit Running(int& count) : count_(++count) {}
    ~Running() { --count_; }
    Running(const Running&) = delete;
    Running& operator=(const Running&) = delete;

private:
    int& count_;
};

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
    dpi_ = WindowDpi(Handle());
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

int Form::Dpi() const
{
    const int dpi = dpi_ > 0 ? dpi_ : ScreenDpi();
    return dpi > 0 ? dpi : kStandardDpi;
}

RECT Form::Pixels(const TwipLayout& layout) const
{
    const int left = ToPixels(layout.left), top = ToPixels(layout.top);
    return {left, top, left + ToPixels(layout.width), top + ToPixels(layout.height)};
}

void Form::RunHandler(const std::function<void()>& handler)
{
    {
        const Running running(handlersRunning_);
        handler();
    }
    if (handlersRunning_ == 0 && pendingLayout_ && Handle()) PostMessageW(Handle(), kLayOutWhenFreeMessage, 0, 0);
}

void Form::LayOutWhenFree()
{
    // A new scale arriving while a layout moves the window is laid out next,
    // at the resolution asked for last.
    while (handlersRunning_ == 0 && layoutsRunning_ == 0 && pendingLayout_ && Handle()) {
        const Layout layout = *std::exchange(pendingLayout_, std::nullopt);
        const Running running(layoutsRunning_);
        const RECT& to = layout.suggested;
        SetWindowPos(Handle(), nullptr, to.left, to.top, to.right - to.left, to.bottom - to.top,
                     SWP_NOZORDER | SWP_NOACTIVATE);
        dpi_ = layout.dpi;
        LayOutAgain();
    }
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
    case WM_DPICHANGED:
        pendingLayout_ = Layout{LOWORD(wParam), *reinterpret_cast<const RECT*>(lParam)};
        LayOutWhenFree();
        return 0;
    case kLayOutWhenFreeMessage:
        LayOutWhenFree();
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
