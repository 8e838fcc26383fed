// System DLLs that only the settings dialog needs (the open-file dialog's
// comdlg32, the shell's shell32), loaded the first time the dialog calls
// into them and kept to the program's end. A full-screen run and the preview
// never load them: each would hold memory for the whole run.
#pragma once

#include <windows.h>

// The library from the system's own folder (never one planted beside the
// program), loaded once; none when it cannot be loaded.
HMODULE SystemLibrary(const wchar_t* name);

// A function of that library; none when either is missing.
template <typename Function>
Function SystemFunction(const wchar_t* library, const char* name)
{
    const HMODULE module = SystemLibrary(library);
    const FARPROC found = module ? GetProcAddress(module, name) : nullptr;
    return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(found));
}
