#include "cover_windows.h"

namespace {

constexpr char kCoverClassName[] = "SorvaneCover";
// Disabled and never activated: a click on a cover goes nowhere, and the
// keyboard stays with the renderer's window. Tool windows stay out of the
// taskbar; topmost keeps other programs' windows under the cover.
constexpr DWORD kCoverStyle = WS_POPUP | WS_DISABLED;
constexpr DWORD kCoverExStyle = WS_EX_NOACTIVATE | WS_EX_TOOLWINDOW | WS_EX_TOPMOST;
constexpr UINT kPlaceFlags = SWP_NOACTIVATE;

LRESULT CALLBACK CoverWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_MOUSEACTIVATE: return MA_NOACTIVATE;
    // Answered here: the default answer for a disabled window is HTERROR's,
    // and every click on a black monitor would beep. The cursor stays hidden.
    case WM_SETCURSOR: return TRUE;
    // Only the renderer's window ends the run.
    case WM_CLOSE: return 0;
    case WM_PAINT: {
        PaintGuard paint(window);
        RECT client{};
        GetClientRect(window, &client);
        FillRect(paint.Dc(), &client, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
        return 0;
    }
    // WM_PAINT fills it all.
    case WM_ERASEBKGND: return 1;
    default: return DefWindowProcA(window, message, wParam, lParam);
    }
}

BOOL CALLBACK AddMonitor(HMONITOR monitor, HDC, LPRECT, LPARAM list)
{
    MONITORINFO info{};
    info.cbSize = sizeof info;
    if (GetMonitorInfoA(monitor, &info)) {
        const RECT& r = info.rcMonitor;
        reinterpret_cast<std::vector<MonitorArea>*>(list)->push_back(
            {{r.left, r.top, r.right, r.bottom}, (info.dwFlags & MONITORINFOF_PRIMARY) != 0});
    }
    return TRUE;
}

}  // namespace

std::vector<MonitorArea> CurrentMonitors()
{
    std::vector<MonitorArea> monitors;
    EnumDisplayMonitors(nullptr, nullptr, AddMonitor, reinterpret_cast<LPARAM>(&monitors));
    return monitors;
}

bool CoverWindows::RegisterClassOnce()
{
    if (class_) return true;
    WNDCLASSA coverClass{};
    coverClass.lpfnWndProc = CoverWndProc;
    coverClass.lpszClassName = kCoverClassName;
    class_ = RegisterWindowClass(coverClass);
    return static_cast<bool>(class_);
}

void CoverWindows::Place(HWND owner, const std::vector<ScreenRect>& rects, bool visible)
{
    if (rects.size() < windows_.size()) windows_.resize(rects.size());
    if (!rects.empty() && !RegisterClassOnce()) return;
    for (std::size_t i = 0; i < rects.size(); ++i) {
        const ScreenRect& r = rects[i];
        if (i < windows_.size()) {
            SetWindowPos(windows_[i].get(), HWND_TOPMOST, r.left, r.top, r.Width(), r.Height(),
                         kPlaceFlags | (visible ? SWP_SHOWWINDOW : SWP_HIDEWINDOW));
            continue;
        }
        UniqueWindow cover(CreateWindowExA(kCoverExStyle, kCoverClassName, "", kCoverStyle, r.left, r.top,
                                           r.Width(), r.Height(), owner, nullptr, GetModuleHandleW(nullptr),
                                           nullptr));
        // A monitor left uncovered is no reason to end the run.
        if (!cover) continue;
        if (visible) ShowWindow(cover.get(), SW_SHOWNOACTIVATE);
        windows_.push_back(std::move(cover));
    }
}

void CoverWindows::Show()
{
    for (const UniqueWindow& cover : windows_) ShowWindow(cover.get(), SW_SHOWNOACTIVATE);
}

void CoverWindows::Clear()
{
    windows_.clear();
    class_.reset();
}
