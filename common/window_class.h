// One owner for every window class the programs register: registered when
// the owner is made, given back when it goes.
#pragma once

#include "unique_handle.h"

#include <windows.h>

namespace handle_traits {

// A class registered by this program's module, known by its atom.
struct WindowClass {
    using Handle = ATOM;
    static Handle None() noexcept { return 0; }
    static void Release(Handle h) noexcept { UnregisterClassW(MAKEINTRESOURCEW(h), GetModuleHandleW(nullptr)); }
};

}  // namespace handle_traits

using UniqueWindowClass = UniqueHandle<handle_traits::WindowClass>;

// Registers the class for this program's module (the class's hInstance is
// set to it); none when the system refuses it.
inline UniqueWindowClass RegisterWindowClass(WNDCLASSW windowClass)
{
    windowClass.hInstance = GetModuleHandleW(nullptr);
    return UniqueWindowClass(RegisterClassW(&windowClass));
}

inline UniqueWindowClass RegisterWindowClass(WNDCLASSA windowClass)
{
    windowClass.hInstance = GetModuleHandleW(nullptr);
    return UniqueWindowClass(RegisterClassA(&windowClass));
}
