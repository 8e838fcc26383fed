// Starting another program by path.
#pragma once

#include "win32_handles.h"

#include <string>

// Starts the program (an ANSI path) with no arguments and the given show
// command, without waiting for it. Gives its process, or none when it could
// not be started.
UniqueKernelHandle StartProgram(const std::string& path, int showCommand);

// True when the process has ended (or there is none).
bool ProcessHasEnded(const UniqueKernelHandle& process);
