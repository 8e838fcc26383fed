#pragma once

// The screen-saver control panel reads the saver's name from string 1 and its
// icon from the first icon group, so both ids are fixed.
#define IDS_DESCRIPTION 1
#define IDI_SORVANE     1
