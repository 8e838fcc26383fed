#include "program.h"

#include <windows.h>

StartedProgram StartProgram(const std::string& path, int showCommand)
{
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = static_cast<WORD>(showCommand);
    PROCESS_INFORMATION process{};
    // The command line is the quoted path alone, in a buffer of its own:
    // CreateProcess may write to it.
    std::string commandLine = "\"" + path + "\"";
    if (!CreateProcessA(path.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &process))
        return {};
    // Only the process is watched; its first thread's handle goes at once.
    const UniqueKernelHandle thread(process.hThread);
    return {UniqueKernelHandle(process.hProcess), process.dwProcessId};
}

bool ProcessHasEnded(const UniqueKernelHandle& process)
{
    return !process || WaitForSingleObject(process.get(), 0) != WAIT_TIMEOUT;
}
