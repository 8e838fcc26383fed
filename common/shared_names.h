// Names the two programs, the tools and the tests must agree on. The host
// finds the renderer only by its window title and hands it its pictures only
// by these paths: a name changed on one side alone would end every run
// silently after the host's wait for the renderer.
#pragma once

#include <string_view>

// The renderer's full-screen window; its end is the end of the run.
inline constexpr char kRendererWindowTitle[] = "Sorvane_VC";

// The work folder, and the two pictures the host writes there and the
// renderer loads (ANSI paths).
inline constexpr char kWorkFolder[] = "C:\\k_rova";
inline constexpr char kStarPicturePath[] = "C:\\k_rova\\Sorvane01.bmp";
inline constexpr char kOverlayPicturePath[] = "C:\\k_rova\\Sorvane02.bmp";
static_assert(std::string_view(kStarPicturePath).starts_with(kWorkFolder));
static_assert(std::string_view(kOverlayPicturePath).starts_with(kWorkFolder));

// Captions of the host's forms. A running host is known by the first two.
inline constexpr wchar_t kSaverFormCaption[] = L"Sorvane_Main";
inline constexpr wchar_t kSettingsDialogCaption[] = L"<Sorvane>";
inline constexpr wchar_t kPreviewFormCaption[] = L"Preview Window";
