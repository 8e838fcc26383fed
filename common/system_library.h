// DLLs from the system's own folder only. Windows looks for a DLL that is not
// one of its Known DLLs in the program's folder first, and the programs may
// lie in Downloads beside anybody's file: so each program limits the search
// before anything else runs, its delay-loaded DLLs (the GL ones, winmm,
// msimg32) come from the system folder, and so do those loaded by hand
// (comdlg32, shell32 and ole32, which only the dialog needs).
#pragma once

#include <windows.h>

// The first call of WinMain: every later search for a DLL by name, the
// system's own (winmm's drivers) included, looks in the system folder alone;
// then the program's delay-loaded DLLs are loaded from there, all their
// functions bound at once (the delay-load stubs of this toolchain lose a
// call's floating-point arguments, GL's, on the call that binds it).
void LoadSystemDlls();

// The library from the system's own folder, never one planted beside the
// program; none when it cannot be loaded. The caller owns the reference.
HMODULE LoadSystemLibrary(const wchar_t* name);

// The same, loaded once and kept to the program's end.
HMODULE SystemLibrary(const wchar_t* name);

// A function of that library; none when either is missing.
template <typename Function>
Function SystemFunction(const wchar_t* library, const char* name)
{
    const HMODULE module = SystemLibrary(library);
    const FARPROC found = module ? GetProcAddress(module, name) : nullptr;
    return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(found));
}
