// Rules of the settings file and of paths. Plain C++ over ANSI bytes.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// Decimal text as a number: optional blanks around it, a sign, a fraction and
// an exponent. Nothing for text that is not such a number.
std::optional<double> DecimalNumber(std::string_view text);

// A setting's value as a 16-bit number: decimal text with optional blanks
// around it, a sign, a fraction and an exponent, rounded down to a whole
// number. Nothing for text that is not a number or a whole number outside
// -32768 to 32767.
std::optional<std::int16_t> SettingNumber(std::string_view text);

// The folder part of a path: up to its last ":" or "\", without a final "\".
std::string FolderOfPath(std::string_view path);

// The program's folder from the program's full path: no final "\" except for
// a drive's root folder ("C:\").
std::string ProgramFolderOf(std::string_view programPath);

// Joins the program folder and a file name that starts with "\" as plain text
// (a root folder gives two backslashes in a row).
std::string JoinProgramPath(std::string_view programFolder, std::string_view backslashName);
