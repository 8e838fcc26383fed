// The work folder, held open while the saver writes its pictures into it.
// Any account may make "C:\k_rova", or make it a link to a folder of the
// user's, or make the pictures in it links: nothing is written through one.
#pragma once

#include "win32_handles.h"

#include <cstdint>
#include <span>

class WorkFolder {
public:
    // The work folder when it is a real folder at its own path; none
    // otherwise. While held it cannot be renamed, deleted or replaced.
    static WorkFolder Open();

    explicit operator bool() const { return static_cast<bool>(folder_); }

    // Makes the file at the path (ANSI, inside the folder) hold these bytes
    // alone. False, with nothing written, when there are no bytes, the folder
    // is not held, the file is a link, a folder or one of several names of one file, or it
    // cannot be written.
    bool WriteFile(const char* path, std::span<const std::uint8_t> bytes) const;

private:
    UniqueFile folder_;
};
