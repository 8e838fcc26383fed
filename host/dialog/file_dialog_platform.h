// The seam between the settings dialog and the system's open-file dialog.
// The default is the real GetOpenFileNameW; tests put a scripted one in its
// place.
#pragma once

#include <windows.h>

#include <commdlg.h>

class FileDialogPlatform {
public:
    virtual ~FileDialogPlatform() = default;
    // GetOpenFileNameW(record): nonzero when a file was chosen.
    virtual BOOL OpenFileName(OPENFILENAMEW& record) = 0;
};

// The open-file dialog the settings dialog uses now.
FileDialogPlatform& CurrentFileDialogPlatform();

// Puts another open-file dialog in place; nullptr puts the real one back.
void UseFileDialogPlatform(FileDialogPlatform* platform);
