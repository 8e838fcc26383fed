// Owners for the Win32 handles the programs hold.
#pragma once

#include "unique_handle.h"

#include <windows.h>

namespace handle_traits {

struct Module {
    using Handle = HMODULE;
    static Handle None() noexcept { return nullptr; }
    static void Release(Handle h) noexcept { FreeLibrary(h); }
};

// Kernel objects whose "none" is INVALID_HANDLE_VALUE (files).
struct File {
    using Handle = HANDLE;
    static Handle None() noexcept { return INVALID_HANDLE_VALUE; }
    static void Release(Handle h) noexcept { CloseHandle(h); }
};

// Kernel objects whose "none" is null (mappings, processes, threads, events).
struct Kernel {
    using Handle = HANDLE;
    static Handle None() noexcept { return nullptr; }
    static void Release(Handle h) noexcept { CloseHandle(h); }
};

}  // namespace handle_traits

using UniqueModule = UniqueHandle<handle_traits::Module>;
using UniqueFile = UniqueHandle<handle_traits::File>;
using UniqueKernelHandle = UniqueHandle<handle_traits::Kernel>;
