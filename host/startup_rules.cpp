#include "startup_rules.h"

#include <cmath>
#include <cstdlib>
#include <limits>

namespace {

constexpr std::size_t kModeLetterIndex = 1;
constexpr std::size_t kPreviewHandleStart = 3;

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// The lenient conversion: every blank is skipped; an optional sign, digits
// with an optional decimal point, and an optional exponent are read until a
// character that cannot continue the number.
double LenientNumber(std::string_view text)
{
    std::string number;
    enum class Stage { Sign, Whole, Fraction, ExponentSign, Exponent } stage = Stage::Sign;
    bool anyDigit = false;
    for (char c : text) {
        if (IsBlank(c)) continue;
        if ((c == '+' || c == '-') && (stage == Stage::Sign || stage == Stage::ExponentSign)) {
            number += c;
            stage = stage == Stage::Sign ? Stage::Whole : Stage::Exponent;
        } else if (IsDigit(c) && stage != Stage::ExponentSign) {
            number += c;
            if (stage == Stage::Sign) stage = Stage::Whole;
            if (stage != Stage::Exponent) anyDigit = true;
        } else if (c == '.' && (stage == Stage::Sign || stage == Stage::Whole)) {
            number += c;
            stage = Stage::Fraction;
        } else if ((c == 'e' || c == 'E' || c == 'd' || c == 'D') && anyDigit &&
                   (stage == Stage::Whole || stage == Stage::Fraction)) {
            number += 'e';
            stage = Stage::ExponentSign;
        } else if (IsDigit(c) && stage == Stage::ExponentSign) {
            number += c;
            stage = Stage::Exponent;
        } else {
            break;
        }
    }
    // An exponent marker without digits adds nothing: strtod stops before it.
    return anyDigit ? std::strtod(number.c_str(), nullptr) : 0.0;
}

}  // namespace

std::string_view ArgumentText(std::string_view commandLine, std::string_view modulePath, LeadByteTest isLeadByte)
{
    // '"', blank and tab are never second bytes in code page 932 (those are
    // 0x40 and up), so a byte scan finds them exactly.
    const auto isSeparator = [&](std::size_t at) { return commandLine[at] == ' ' || commandLine[at] == '\t'; };
    std::size_t at = 0;
    if (!commandLine.empty() && commandLine[0] == '"') {
        const std::size_t close = commandLine.find('"', 1);
        at = close == std::string_view::npos ? commandLine.size() : close + 1;
    } else if (!modulePath.empty() && StartsWithIgnoringAsciiCase(commandLine, modulePath, isLeadByte) &&
               (commandLine.size() == modulePath.size() || isSeparator(modulePath.size()))) {
        at = modulePath.size();
    } else {
        while (at < commandLine.size() && !isSeparator(at)) ++at;
    }
    while (at < commandLine.size() && isSeparator(at)) ++at;
    return commandLine.substr(at);
}

std::string ModeLetter(std::string_view argumentText, LeadByteTest isLeadByte)
{
    const std::size_t at = CharacterOffset(argumentText, kModeLetterIndex, isLeadByte);
    if (at == argumentText.size()) return {};
    return AsciiUpperText(argumentText.substr(at, CharacterSize(argumentText, at, isLeadByte)), isLeadByte);
}

StartUpPlan PlanStartUp(std::string_view argumentText, LeadByteTest isLeadByte)
{
    const std::string mode = ModeLetter(argumentText, isLeadByte);
    if (mode == "P") return {StartUpAction::Preview, false};
    if (mode == "C") return {StartUpAction::Settings, false};
    if (mode == "S") return {StartUpAction::Run, true};
    // Explorer's Configure on a screen saver passes nothing at all, and
    // Windows' convention reads that as "show the settings"; nothing in
    // Windows starts a run with an empty command line.
    if (argumentText.empty()) return {StartUpAction::Settings, false};
    return {StartUpAction::Quit, false};
}

std::int32_t PreviewParentHandle(std::string_view argumentText, LeadByteTest isLeadByte)
{
    const std::string_view digits = argumentText.substr(CharacterOffset(argumentText, kPreviewHandleStart, isLeadByte));
    const double value = std::nearbyint(LenientNumber(digits));  // halves go to the even neighbour
    constexpr double lowest = std::numeric_limits<std::int32_t>::min();
    constexpr double highest = std::numeric_limits<std::int32_t>::max();
    if (!(value >= lowest)) return std::numeric_limits<std::int32_t>::min();
    if (value > highest) return std::numeric_limits<std::int32_t>::max();
    return static_cast<std::int32_t>(value);
}
