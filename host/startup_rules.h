// The host's reading of its command line. Plain C++ over the ANSI bytes.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// The arguments of a full command line: the program's own path (quoted or
// not) and the blanks after it left out, the rest exactly as passed.
std::string_view ArgumentText(std::string_view commandLine);

// The second character of the argument text, upper-cased; empty when the
// text has fewer than two characters. The first character is never looked at.
std::string ModeLetter(std::string_view argumentText);

// The preview's parent handle: the text from its fourth character on, read as
// the platform's lenient numeric conversion reads it (blanks skipped, reading
// stops at the first character that cannot continue a number, no digits give
// 0), then the nearest 32-bit signed integer.
std::int32_t PreviewParentHandle(std::string_view argumentText);
