#include "settings_rules.h"

#include <charconv>
#include <cmath>
#include <limits>

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

}  // namespace

std::optional<double> DecimalNumber(std::string_view text)
{
    while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
    if (!text.empty() && text.front() == '+') text.remove_prefix(1);
    if (text.empty()) return std::nullopt;

    double value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || !std::isfinite(value)) return std::nullopt;
    return value;
}

std::optional<std::int16_t> SettingNumber(std::string_view text)
{
    const std::optional<double> value = DecimalNumber(text);
    if (!value) return std::nullopt;
    const double whole = std::floor(*value);
    if (whole < std::numeric_limits<std::int16_t>::min() || whole > std::numeric_limits<std::int16_t>::max())
        return std::nullopt;
    return static_cast<std::int16_t>(whole);
}

std::int16_t NumberSettingFrom(std::string_view text, std::int16_t current)
{
    if (text.empty()) return 0;
    return SettingNumber(text).value_or(current);
}

std::int16_t CategoryForMusicFile(std::int16_t category, bool hasUsableFile)
{
    return category == kMusicFileCategory && !hasUsableFile ? kNoMusicCategory : category;
}

std::string FolderOfPath(std::string_view path, LeadByteTest isLeadByte)
{
    const std::size_t last = LastCharacterOf(path, ":\\", isLeadByte);
    const std::string_view folder = last == std::string_view::npos ? std::string_view{} : path.substr(0, last + 1);
    return std::string(WithoutFinalBackslash(folder, isLeadByte));
}

std::string ProgramFolderOf(std::string_view programPath, LeadByteTest isLeadByte)
{
    const std::size_t last = LastCharacterOf(programPath, "\\", isLeadByte);
    if (last == std::string_view::npos) return {};
    std::string folder(programPath.substr(0, last));
    if (EndsWithCharacter(folder, ':', isLeadByte)) folder += '\\';
    return folder;
}

std::string_view WithoutFinalBackslash(std::string_view path, LeadByteTest isLeadByte)
{
    return EndsWithCharacter(path, '\\', isLeadByte) ? path.substr(0, path.size() - 1) : path;
}

std::string JoinProgramPath(std::string_view programFolder, std::string_view backslashName)
{
    return std::string(programFolder) + std::string(backslashName);
}
