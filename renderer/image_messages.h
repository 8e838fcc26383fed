// The texts the image loader shows, and the bounded formatting of the one
// that names the file. Plain C++.
#pragma once

#include "ansi_characters.h"
#include "dib_layout.h"

#include <cstddef>
#include <string>
#include <string_view>

inline constexpr std::string_view kOutOfMemoryText = "Out of memory.";
inline constexpr std::string_view kUnknownFormatText = "Unknown DIB file format.";
inline constexpr std::string_view kConversionErrorText = "Image file conversion error.";
// The caption of every box the loader shows.
inline constexpr wchar_t kErrorCaption[] = L"Error";

// The "Failed to open" text fits a buffer of this many bytes, its
// terminating NUL included.
inline constexpr std::size_t kOpenFailureBufferSize = 256;

// "Failed to open DIB file <path>.\n", at most kOpenFailureBufferSize - 1
// bytes: a path too long for that is cut at a character boundary and ends in
// "...".
std::string FormatOpenFailure(std::string_view path, LeadByteTest isLeadByte);

// The message for a file the checks refused.
std::string_view MessageForFault(DibFault fault);
