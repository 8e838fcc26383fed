#include "owned_window.h"

#include "window_class.h"

#include <map>
#include <string>

namespace {

// Each class once; later windows of a class find it registered. The classes
// stay for the program's life.
void RegisterOnce(const wchar_t* className, HBRUSH background, WNDPROC procedure)
{
    static std::map<std::wstring, UniqueWindowClass> registered;
    if (registered.contains(className)) return;
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = procedure;
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.hbrBackground = background;
    windowClass.lpszClassName = className;
    registered.emplace(className, RegisterWindowClass(windowClass));
}

}  // namespace

OwnedWindow::~OwnedWindow() { DestroyOwnedWindow(); }

bool OwnedWindow::CreateOwnedWindow(const wchar_t* className, HBRUSH background, DWORD exStyle,
                                    const wchar_t* caption, DWORD style, Placement placement, HWND parent)
{
    RegisterOnce(className, background, WindowProc);
    // The window procedure takes the handle into window_ as soon as it exists.
    const HWND created = CreateWindowExW(exStyle, className, caption, style, placement.x, placement.y,
                                         placement.width, placement.height, parent, nullptr,
                                         GetModuleHandleW(nullptr), this);
    if (!created) window_.release();
    return created != nullptr;
}

void OwnedWindow::DestroyOwnedWindow()
{
    if (!window_) return;
    SetWindowLongPtrW(window_.get(), GWLP_USERDATA, 0);
    window_.reset();
}

LRESULT OwnedWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_ERASEBKGND:
        // PaintContent covers the whole client area.
        return 1;
    case WM_PAINT: {
        const PaintGuard paint(Handle());
        PaintContent(paint.Dc());
        return 0;
    }
    case WM_PRINTCLIENT:
        PaintContent(reinterpret_cast<HDC>(wParam));
        return 0;
    default:
        return DefWindowProcW(Handle(), message, wParam, lParam);
    }
}

void OwnedWindow::PaintContent(HDC dc)
{
    RECT client{};
    GetClientRect(Handle(), &client);
    FillRect(dc, &client, reinterpret_cast<HBRUSH>(GetClassLongPtrW(Handle(), GCLP_HBRBACKGROUND)));
}

LRESULT CALLBACK OwnedWindow::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE) {
        auto* owner = static_cast<OwnedWindow*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(owner));
        owner->window_.reset(window);
    }
    auto* owner = reinterpret_cast<OwnedWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (!owner) return DefWindowProcW(window, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        owner->OnWindowDestroyed();
        // The handle is gone: never to be destroyed again by its object.
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        owner->window_.release();
        return DefWindowProcW(window, message, wParam, lParam);
    }
    return owner->HandleMessage(message, wParam, lParam);
}
