#include "file_dialog_platform.h"

#include "system_library.h"

namespace {

// comdlg32 is loaded only when the user asks for a file.
class RealFileDialog final : public FileDialogPlatform {
public:
    BOOL OpenFileName(OPENFILENAMEW& record) override
    {
        static const auto getOpenFileName =
            SystemFunction<decltype(&GetOpenFileNameW)>(L"comdlg32.dll", "GetOpenFileNameW");
        return getOpenFileName ? getOpenFileName(&record) : FALSE;
    }
};

RealFileDialog realFileDialog;
FileDialogPlatform* currentFileDialog = &realFileDialog;

}  // namespace

FileDialogPlatform& CurrentFileDialogPlatform() { return *currentFileDialog; }

void UseFileDialogPlatform(FileDialogPlatform* platform)
{
    currentFileDialog = platform ? platform : &realFileDialog;
}
