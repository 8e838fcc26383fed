#include "shell_platform.h"

#include "system_library.h"

#include <shellapi.h>

namespace {

class RealShell final : public ShellPlatform {
public:
    void Execute(HWND owner, const char* operation, const char* file, const char* parameters, const char* directory,
                 int showCommand) override
    {
        static const auto shellExecute = SystemFunction<decltype(&ShellExecuteA)>(L"shell32.dll", "ShellExecuteA");
        if (shellExecute) shellExecute(owner, operation, file, parameters, directory, showCommand);
    }
};

RealShell realShell;
ShellPlatform* currentShell = &realShell;

}  // namespace

ShellPlatform& CurrentShellPlatform() { return *currentShell; }

void UseShellPlatform(ShellPlatform* platform) { currentShell = platform ? platform : &realShell; }
