#include "system_library.h"

#include "win32_handles.h"

#include <delayimp.h>

#include <cassert>
#include <map>
#include <string>

namespace {

using SetDefaultDllDirectoriesFunction = BOOL(WINAPI*)(DWORD);

// The delay-load helper asks before it loads a DLL by its bare name: it gets
// the system folder's copy instead.
FARPROC WINAPI LoadDelayedDllFromSystemFolder(unsigned notification, PDelayLoadInfo info)
{
    if (notification != dliNotePreLoadLibrary || !info || !info->szDll) return nullptr;
    const std::string ascii = info->szDll;  // DLL names in an import table are ASCII
    const std::wstring name(ascii.begin(), ascii.end());
    return reinterpret_cast<FARPROC>(LoadSystemLibrary(name.c_str()));
}

void LimitDllSearchToSystemFolder()
{
    // Windows 7 has it only with its loader update (KB2533623). Without it the
    // current folder at least leaves the search, and every DLL loaded by name
    // here is loaded by its full path in the system folder.
    const auto setDefault =
        SystemFunction<SetDefaultDllDirectoriesFunction>(L"kernel32.dll", "SetDefaultDllDirectories");
    if (!setDefault || !setDefault(LOAD_LIBRARY_SEARCH_SYSTEM32)) SetDllDirectoryW(L"");
}

// The program's own delay import directory, filled in after its link.
void BindDelayLoadedDlls()
{
    const auto* image = reinterpret_cast<const BYTE*>(GetModuleHandleW(nullptr));
    const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(image);
    const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(image + dos->e_lfanew);
    const IMAGE_DATA_DIRECTORY& directory = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_DELAY_IMPORT];
    if (directory.VirtualAddress == 0) return;
    for (auto* descriptor = reinterpret_cast<const IMAGE_DELAYLOAD_DESCRIPTOR*>(image + directory.VirtualAddress);
         descriptor->DllNameRVA != 0; ++descriptor) {
        const auto* name = reinterpret_cast<const char*>(image + descriptor->DllNameRVA);
        [[maybe_unused]] const HRESULT bound = __HrLoadAllImportsForDll(name);
        assert(SUCCEEDED(bound) && "a delay-loaded DLL is missing from the system folder");
    }
}

}  // namespace

// Declared by <delayimp.h>; the helper reads it before each load.
PfnDliHook __pfnDliNotifyHook2 = LoadDelayedDllFromSystemFolder;

void LoadSystemDlls()
{
    LimitDllSearchToSystemFolder();
    BindDelayLoadedDlls();
}

HMODULE LoadSystemLibrary(const wchar_t* name)
{
    if (HMODULE module = LoadLibraryExW(name, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32)) return module;
    if (GetLastError() != ERROR_INVALID_PARAMETER) return nullptr;
    // A loader without the flag: the full path, and the DLL's own folder (the
    // system's) for what it needs in turn.
    wchar_t folder[MAX_PATH];
    const UINT length = GetSystemDirectoryW(folder, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return nullptr;
    const std::wstring path = std::wstring(folder, length) + L"\\" + name;
    return LoadLibraryExW(path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
}

HMODULE SystemLibrary(const wchar_t* name)
{
    static std::map<std::wstring, UniqueModule> loaded;
    UniqueModule& module = loaded[name];
    if (!module) module.reset(LoadSystemLibrary(name));
    return module.get();
}
