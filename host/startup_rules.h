// The host's reading of its command line. Plain C++ over ANSI text, walked a
// character at a time with the code page's lead-byte test.
#pragma once

#include "ansi_characters.h"

#include <cstdint>
#include <string>
#include <string_view>

// The arguments of a full command line: the program's own path as Windows
// wrote it and the blanks after it left out, the rest exactly as passed. The
// path is quoted; or unquoted and the module's own path (`modulePath`),
// character by character, letters regardless of case, blanks included (an
// install folder such as "Taro Yamada"); or else the first blank-separated
// token.
std::string_view ArgumentText(std::string_view commandLine, std::string_view modulePath, LeadByteTest isLeadByte);

// The second character of the argument text, upper-cased; empty when the
// text has fewer than two characters. The first character is never looked at.
std::string ModeLetter(std::string_view argumentText, LeadByteTest isLeadByte);

// What the host does for its argument text. Every action but the preview first
// makes the work folder, loads the settings and checks for the renderer.
enum class StartUpAction {
    Preview,   // embed the preview in the window named by the text; nothing else
    Settings,  // show the settings dialog, then end
    Run,       // the full-screen run
    Quit,      // end at once
};

struct StartUpPlan {
    StartUpAction action = StartUpAction::Quit;
    // Hidden for the run and shown again at its end.
    bool hideCursor = false;
    friend bool operator==(const StartUpPlan&, const StartUpPlan&) = default;
};

// By the mode letter: "P", "C", "S"; an empty text (Explorer's Configure)
// shows the settings as "C" does; anything else quits.
StartUpPlan PlanStartUp(std::string_view argumentText, LeadByteTest isLeadByte);

// The preview's parent handle: the text from its fourth character on, read as
// the platform's lenient numeric conversion reads it (blanks skipped, reading
// stops at the first character that cannot continue a number, no digits give
// 0), then the nearest 32-bit signed integer.
std::int32_t PreviewParentHandle(std::string_view argumentText, LeadByteTest isLeadByte);
