#include "font.h"

#include "twips.h"
#include "win32_handles.h"

#include <windows.h>

#include <array>
#include <cmath>
#include <cwchar>

namespace {

constexpr double kPointsPerInch = 72.0;

// Faces that read like the Japanese proportional Gothic of Windows, closest first.
constexpr std::array<const wchar_t*, 7> kProportionalGothics = {
    L"ＭＳ Ｐゴシック", L"MS PGothic", L"IPAPGothic", L"IPAexGothic", L"VL PGothic", L"TakaoPGothic", L"Noto Sans CJK JP"};

bool FaceIsInstalled(const std::wstring& face)
{
    LOGFONTW wanted{};
    wanted.lfCharSet = DEFAULT_CHARSET;
    if (face.size() >= LF_FACESIZE) return false;
    std::wcsncpy(wanted.lfFaceName, face.c_str(), LF_FACESIZE - 1);
    bool found = false;
    EnumFontFamiliesExW(
        ScreenDc().get(), &wanted,
        [](const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM seen) {
            *reinterpret_cast<bool*>(seen) = true;
            return 0;
        },
        reinterpret_cast<LPARAM>(&found), 0);
    return found;
}

bool IsProportionalGothic(const std::wstring& face)
{
    for (const wchar_t* gothic : kProportionalGothics)
        if (face == gothic) return true;
    return false;
}

}  // namespace

std::wstring InstalledFace(const std::wstring& face)
{
    if (FaceIsInstalled(face) || !IsProportionalGothic(face)) return face;
    for (const wchar_t* gothic : kProportionalGothics)
        if (FaceIsInstalled(gothic)) return gothic;
    return face;
}

FontDescription DesignFont()
{
    constexpr double kDesignPoints = 9.75;
    return {L"ＭＳ Ｐゴシック", kDesignPoints, FW_NORMAL, false, false, false, SHIFTJIS_CHARSET};
}

UniqueFont CreateFontOf(const FontDescription& font, int dpi)
{
    const int height = -static_cast<int>(std::lround(font.points * dpi / kPointsPerInch));
    return UniqueFont(CreateFontW(height, 0, 0, 0, font.weight, font.italic, font.underline, font.strikethrough,
                                       static_cast<DWORD>(font.charset), OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                                       DEFAULT_QUALITY, DEFAULT_PITCH, InstalledFace(font.name).c_str()));
}
