#include "application.h"

#include <windows.h>

namespace {

constexpr UINT kProgramExitCode = 0;
int loadedForms = 0;

}  // namespace

namespace Application {

void RunMessageLoop()
{
    MSG message;
    while (loadedForms > 0 && GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

void EndProgram() { ExitProcess(kProgramExitCode); }

int LoadedFormCount() { return loadedForms; }

void FormLoaded() { ++loadedForms; }

void FormUnloaded()
{
    // The last form gone wakes the loop so that it can see that and end.
    if (--loadedForms == 0) PostThreadMessageW(GetCurrentThreadId(), WM_NULL, 0, 0);
}

}  // namespace Application
