// Text in the system's ANSI code page (what files, devices and the A functions
// see) and UTF-16 (what the user reads through the W functions).
#pragma once

#include "ansi_characters.h"

#include <windows.h>

#include <optional>
#include <string>
#include <string_view>

// The lead bytes of the system's ANSI code page, for the character rules.
inline bool IsAnsiLeadByte(unsigned char byte) { return IsDBCSLeadByte(byte) != FALSE; }

inline std::wstring WideFromAnsi(std::string_view ansi)
{
    if (ansi.empty()) return {};
    const int size = static_cast<int>(ansi.size());
    const int length = MultiByteToWideChar(CP_ACP, 0, ansi.data(), size, nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(length > 0 ? length : 0), L'\0');
    if (length > 0) MultiByteToWideChar(CP_ACP, 0, ansi.data(), size, wide.data(), length);
    return wide;
}

// The two calls of the conversion to the ANSI code page: the size, then the
// text; `usedDefault` says whether a character became the default one.
inline std::string AnsiFromWide(std::wstring_view wide, DWORD flags, BOOL* usedDefault)
{
    if (wide.empty()) return {};
    const int size = static_cast<int>(wide.size());
    const int length = WideCharToMultiByte(CP_ACP, flags, wide.data(), size, nullptr, 0, nullptr, usedDefault);
    std::string ansi(static_cast<std::size_t>(length > 0 ? length : 0), '\0');
    if (length > 0) WideCharToMultiByte(CP_ACP, flags, wide.data(), size, ansi.data(), length, nullptr, usedDefault);
    return ansi;
}

// The text in the ANSI code page when every character has a form there;
// nothing when one would become the code page's default character (or a
// look-alike: no best fit, which would name another file).
inline std::optional<std::string> ExactAnsiFromWide(std::wstring_view wide)
{
    BOOL usedDefault = FALSE;
    std::string ansi = AnsiFromWide(wide, WC_NO_BEST_FIT_CHARS, &usedDefault);
    if (usedDefault || (ansi.empty() && !wide.empty())) return std::nullopt;
    return ansi;
}

// Characters the code page lacks become its default character.
inline std::string AnsiFromWide(std::wstring_view wide) { return AnsiFromWide(wide, 0, nullptr); }

// A path's short name (8.3, where the volume keeps them) in the code page,
// every character kept: for a name the code page cannot write, or one too
// long for a device. None when the file system gives none, or the code page
// cannot write that either.
inline std::optional<std::string> ShortAnsiPath(const std::wstring& path)
{
    const DWORD size = GetShortPathNameW(path.c_str(), nullptr, 0);
    if (size == 0) return std::nullopt;
    std::wstring shortPath(size, L'\0');
    const DWORD length = GetShortPathNameW(path.c_str(), shortPath.data(), size);
    if (length == 0 || length >= size) return std::nullopt;
    shortPath.resize(length);
    return ExactAnsiFromWide(shortPath);
}
