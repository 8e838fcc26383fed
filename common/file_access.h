// Files through the C run-time, owned, and the one test both programs use for
// "the file is there": the run-time can open it for reading.
#pragma once

#include "unique_handle.h"

#include <cstdio>

namespace handle_traits {

struct StdioFile {
    using Handle = std::FILE*;
    static Handle None() noexcept { return nullptr; }
    static void Release(Handle h) noexcept { std::fclose(h); }
};

}  // namespace handle_traits

using UniqueStdioFile = UniqueHandle<handle_traits::StdioFile>;

// True when the run-time can open the file (an ANSI path) for reading; a
// missing or locked file, or no path, is false.
inline bool CanOpenForReading(const char* path)
{
    return path != nullptr && static_cast<bool>(UniqueStdioFile(std::fopen(path, "r")));
}
