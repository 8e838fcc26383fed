// Starting another program by path.
#pragma once

#include "win32_handles.h"

#include <string>

#include <windows.h>

// A program started by this one.
struct StartedProgram {
    UniqueKernelHandle process;  // none when it could not be started
    DWORD processId = 0;
};

// Starts the program (an ANSI path) with no arguments and the given show
// command, without waiting for it.
StartedProgram StartProgram(const std::string& path, int showCommand);

// True when the process has ended (or there is none).
bool ProcessHasEnded(const UniqueKernelHandle& process);
