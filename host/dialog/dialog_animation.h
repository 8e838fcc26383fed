// The settings dialog's flights (module Sorvane_B): a caption outline from the
// pointer's place at load to the window when it opens, and back when it closes.
#pragma once

#include <windows.h>

void AnimateDialogOpen(HWND window);
void AnimateDialogClose(HWND window);
