// Where the settings dialog's controls stand and what they look like: the
// geometry in twips as the form stores it, the colours as 0x00BBGGRR.
#pragma once

#include "forms/twips.h"

#include <windows.h>

#include <array>

namespace dialog_layout {

inline constexpr int kClientWidth = 7440, kClientHeight = 3645;
inline constexpr COLORREF kDialogBackground = 0x00C0C0C0;
inline constexpr COLORREF kBoxBackground = 0x00E0E0E0;
inline constexpr COLORREF kWhiteText = 0x00FFFFFF, kBlackText = 0x00000000;

// On the dialog.
inline constexpr TwipLayout kPic_C{180, 240, 7035, 2475};
inline constexpr TwipLayout kCredit{180, 2760, 4500, 195};  // above the buttons and the link, below the box
inline constexpr TwipLayout kLbl_URL{180, 3120, 3105, 195};
inline constexpr TwipLayout kCmd_Set{4860, 3000, 1155, 375};
inline constexpr TwipLayout kCmd_Can{6060, 3000, 1155, 375};
// Outside the client area: they only keep the two mark pictures.
inline constexpr std::array<TwipLayout, 2> kImg_Ra{{{8040, 300, 180, 180}, {8040, 600, 180, 180}}};

// In the music box, from its top-left corner; the sources stand in their rows.
inline constexpr TwipLayout kShape3{300, 300, 1695, 315};
inline constexpr TwipLayout kLbl15{300, 360, 1665, 195};
inline constexpr TwipLayout kBGM_Repeat{1680, 780, 615, 300};
inline constexpr TwipLayout kLbl14{2340, 840, 990, 195};
inline constexpr TwipLayout kCmd_File{420, 1740, 615, 315};
inline constexpr TwipLayout kLbl_Fname{1080, 1740, 5595, 495};

}  // namespace dialog_layout
