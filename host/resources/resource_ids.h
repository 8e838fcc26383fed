#pragma once

// The screen-saver control panel reads the saver's name from string 1 and its
// icon from the first icon group, so both ids are fixed.
#define IDS_DESCRIPTION 1
#define IDI_SORVANE     1

// Pictures the forms hold.
#define IDB_STAR_FIELD  101
#define IDB_BLACK_PIXEL 102
#define IDB_PREVIEW     103

// The gradient button's six state pictures.
#define IDB_BUTTON_NORMAL           111
#define IDB_BUTTON_HIGHLIGHT        112
#define IDB_BUTTON_SELECTED         113
#define IDB_BUTTON_PRESSED          114
#define IDB_BUTTON_HIGHLIGHT_SELECT 115
#define IDB_BUTTON_DISABLE          116

// The settings dialog's own icon, its two selection marks and the pointer
// over its link.
#define IDI_SETTINGS_DIALOG 2
#define IDB_MARK_UNSELECTED 121
#define IDB_MARK_SELECTED   122
#define IDC_LINK_POINTER    131
