// The resolution of the monitor a window stands on, and a window's frame for
// a client area at a resolution, where the system can tell them (Windows 10
// from 1607 on); the screen's resolution elsewhere.
#pragma once

#include <windows.h>

int WindowDpi(HWND window);

// Sizes the window so that its client area is exactly width x height: its
// frame taken first as the system gives it for that resolution, then as the
// window really has it.
void ResizeClientTo(HWND window, int width, int height, DWORD style, DWORD exStyle, int dpi);
