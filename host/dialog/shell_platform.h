// The seam between the settings dialog's link and the shell. The default is
// the real ShellExecuteA; tests put a recorder in its place. The caller
// enters COM first.
#pragma once

#include <windows.h>

class ShellPlatform {
public:
    virtual ~ShellPlatform() = default;
    // ShellExecuteA(owner, operation, file, parameters, directory, showCommand).
    virtual void Execute(HWND owner, const char* operation, const char* file, const char* parameters,
                         const char* directory, int showCommand) = 0;
};

// The shell the dialog uses now.
ShellPlatform& CurrentShellPlatform();

// Puts another shell in place; nullptr puts the real one back.
void UseShellPlatform(ShellPlatform* platform);
