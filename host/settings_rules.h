// Rules of the settings file and of paths. Plain C++ over ANSI text, walked
// a character at a time with the code page's lead-byte test.
#pragma once

#include "ansi_characters.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// The music sources (the settings file's category): none, the audio CD, one
// music file. What each is and shows is in its row of the music sources.
inline constexpr std::int16_t kNoMusicCategory = 0;
inline constexpr std::int16_t kCdCategory = 1;
inline constexpr std::int16_t kMusicFileCategory = 2;

// Decimal text as a number: optional blanks around it, a sign, a fraction and
// an exponent. Nothing for text that is not such a number.
std::optional<double> DecimalNumber(std::string_view text);

// A setting's value as a 16-bit number: decimal text with optional blanks
// around it, a sign, a fraction and an exponent, rounded down to a whole
// number. Nothing for text that is not a number or a whole number outside
// -32768 to 32767.
std::optional<std::int16_t> SettingNumber(std::string_view text);

// A number setting's value once its text has been read from the file: 0 for
// empty text, the number when the text is one, else the value it had.
std::int16_t NumberSettingFrom(std::string_view text, std::int16_t current);

// The music source once the music file is known: the music-file category
// without a usable file is no music, so that a run never tries to play a file
// that is not there.
std::int16_t CategoryForMusicFile(std::int16_t category, bool hasUsableFile);

// The folder part of a path: up to its last ":" or "\" character, without a
// final "\".
std::string FolderOfPath(std::string_view path, LeadByteTest isLeadByte);

// The program's folder from the program's full path: no final "\" except for
// a drive's root folder ("C:\").
std::string ProgramFolderOf(std::string_view programPath, LeadByteTest isLeadByte);

// The path without one final "\" character, as the file-exists test opens it.
std::string_view WithoutFinalBackslash(std::string_view path, LeadByteTest isLeadByte);

// Joins the program folder and a file name that starts with "\" as plain text
// (a root folder gives two backslashes in a row).
std::string JoinProgramPath(std::string_view programFolder, std::string_view backslashName);
