#include "dialog_platform.h"

#include "system_library.h"

#include <shellapi.h>

namespace {

class RealDialogPlatform final : public DialogPlatform {
public:
    void Execute(HWND owner, const char* operation, const char* file, const char* parameters, const char* directory,
                 int showCommand) override
    {
        static const auto shellExecute = SystemFunction<decltype(&ShellExecuteA)>(L"shell32.dll", "ShellExecuteA");
        if (shellExecute) shellExecute(owner, operation, file, parameters, directory, showCommand);
    }
    BOOL OpenFileName(OPENFILENAMEW& record) override
    {
        static const auto getOpenFileName =
            SystemFunction<decltype(&GetOpenFileNameW)>(L"comdlg32.dll", "GetOpenFileNameW");
        return getOpenFileName ? getOpenFileName(&record) : FALSE;
    }
};

RealDialogPlatform realPlatform;
DialogPlatform* currentPlatform = &realPlatform;

}  // namespace

DialogPlatform& CurrentDialogPlatform() { return *currentPlatform; }

void UseDialogPlatform(DialogPlatform* platform) { currentPlatform = platform ? platform : &realPlatform; }
