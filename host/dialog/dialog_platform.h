// The seam between the settings dialog and the shell's calls it makes: the
// link's ShellExecuteA and the open-file dialog. The default is the real
// pair, loaded only when the user asks for one; tests put a recorder in its
// place. The caller enters COM first.
#pragma once

#include <windows.h>

#include <commdlg.h>

class DialogPlatform {
public:
    virtual ~DialogPlatform() = default;
    // ShellExecuteA(owner, operation, file, parameters, directory, showCommand).
    virtual void Execute(HWND owner, const char* operation, const char* file, const char* parameters,
                         const char* directory, int showCommand) = 0;
    // GetOpenFileNameW(record): nonzero when a file was chosen.
    virtual BOOL OpenFileName(OPENFILENAMEW& record) = 0;
};

// The calls the dialog makes now.
DialogPlatform& CurrentDialogPlatform();

// Puts others in place; nullptr puts the real ones back.
void UseDialogPlatform(DialogPlatform* platform);
