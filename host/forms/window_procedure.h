// One window procedure for every window class of the host whose windows each
// belong to a C++ object: the object passed as the creation parameter is
// remembered at WM_NCCREATE, takes its window at once, and handles every
// message from then on.
#pragma once

#include <windows.h>

template <typename Owner>
LRESULT CALLBACK OwnedWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE) {
        auto* owner = static_cast<Owner*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(owner));
        owner->window_.reset(window);
    }
    auto* owner = reinterpret_cast<Owner*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    return owner ? owner->HandleMessage(message, wParam, lParam) : DefWindowProcW(window, message, wParam, lParam);
}

// Registers a window class whose windows each belong to a C++ object of type
// Owner (once per class: later calls find it registered and change nothing).
template <typename Owner>
ATOM RegisterOwnedWindowClass(const wchar_t* className, HBRUSH background = nullptr)
{
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = OwnedWindowProc<Owner>;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.hbrBackground = background;
    windowClass.lpszClassName = className;
    return RegisterClassW(&windowClass);
}
