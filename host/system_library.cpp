#include "system_library.h"

#include "win32_handles.h"

#include <map>
#include <string>

HMODULE SystemLibrary(const wchar_t* name)
{
    static std::map<std::wstring, UniqueModule> loaded;
    UniqueModule& module = loaded[name];
    if (!module) {
        module.reset(LoadLibraryExW(name, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32));
        // Windows 7 without its loader update does not know the flag; there
        // these libraries are known DLLs, taken from the system folder anyway.
        if (!module && GetLastError() == ERROR_INVALID_PARAMETER) module.reset(LoadLibraryW(name));
    }
    return module.get();
}
