// The seam between the settings dialog's link and the shell. The default is
// the real ShellExecuteA; tests put a recorder in its place.
#pragma once

#include <windows.h>

class ShellPlatform {
public:
    virtual ~ShellPlatform() = default;
    // ShellExecuteA(owner, operation, file, parameters, directory, showCommand).
    virtual void Execute(HWND owner, const char* operation, const char* file, const char* parameters,
                         const char* directory, int showCommand) = 0;
};

// The shell's calls want COM on their thread (shell extensions may need
// it): initialised, apartment-threaded, before the first call, and ended
// with EndShellUse.
void EndShellUse();

// The shell the dialog uses now.
ShellPlatform& CurrentShellPlatform();

// Puts another shell in place; nullptr puts the real one back.
void UseShellPlatform(ShellPlatform* platform);
