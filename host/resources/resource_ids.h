#pragma once

// The screen-saver control panel reads the saver's name from string 1 and its
// icon from the first icon group, so both ids are fixed.
#define IDS_DESCRIPTION 1
#define IDI_SORVANE     1

// Pictures the forms hold.
#define IDB_STAR_FIELD  101
#define IDB_BLACK_PIXEL 102
#define IDB_PREVIEW     103
