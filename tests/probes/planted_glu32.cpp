// A glu32.dll that somebody else left beside the programs: loading it leaves
// the file "planted-dll-loaded" in its own folder. It offers what the
// renderer takes from glu32, so that a program that loads it still starts.
#include <windows.h>

#include <string>

extern "C" __declspec(dllexport) void WINAPI gluPerspective(double, double, double, double) {}

BOOL WINAPI DllMain(HINSTANCE module, DWORD reason, LPVOID)
{
    if (reason != DLL_PROCESS_ATTACH) return TRUE;
    wchar_t path[MAX_PATH];
    const DWORD length = GetModuleFileNameW(module, path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return TRUE;
    std::wstring mark(path, length);
    mark.replace(mark.find_last_of(L'\\') + 1, std::wstring::npos, L"planted-dll-loaded");
    const HANDLE file = CreateFileW(mark.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
    return TRUE;
}
