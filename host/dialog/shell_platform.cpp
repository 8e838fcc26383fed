#include "shell_platform.h"

#include "system_library.h"

#include <objbase.h>
#include <shellapi.h>

namespace {

// COM on the dialog's thread, from the first shell call to the end of the
// dialog. ole32 is loaded as shell32 is, only when the link is used.
class ComApartment {
public:
    void Enter()
    {
        if (entered_) return;
        static const auto initialize = SystemFunction<decltype(&CoInitializeEx)>(L"ole32.dll", "CoInitializeEx");
        // S_FALSE (already initialised on this thread) also wants its
        // CoUninitialize.
        entered_ = initialize && SUCCEEDED(initialize(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE));
    }
    void Leave()
    {
        if (!entered_) return;
        entered_ = false;
        if (const auto uninitialize = SystemFunction<decltype(&CoUninitialize)>(L"ole32.dll", "CoUninitialize"))
            uninitialize();
    }

private:
    bool entered_ = false;
};

ComApartment comApartment;

class RealShell final : public ShellPlatform {
public:
    void Execute(HWND owner, const char* operation, const char* file, const char* parameters, const char* directory,
                 int showCommand) override
    {
        comApartment.Enter();
        static const auto shellExecute = SystemFunction<decltype(&ShellExecuteA)>(L"shell32.dll", "ShellExecuteA");
        if (shellExecute) shellExecute(owner, operation, file, parameters, directory, showCommand);
    }
};

RealShell realShell;
ShellPlatform* currentShell = &realShell;

}  // namespace

void EndShellUse() { comApartment.Leave(); }

ShellPlatform& CurrentShellPlatform() { return *currentShell; }

void UseShellPlatform(ShellPlatform* platform) { currentShell = platform ? platform : &realShell; }
