// The pixel format asked of every OpenGL window that draws the scene: the
// renderer's own, the tests' hidden window and the benchmark's reference
// window, so that all of them draw into buffers of one kind.
#pragma once

#include <windows.h>

// Gives a window's device context the driver's closest format to a
// double-buffered RGBA one of `colourBits` with a 16-bit depth buffer, for
// OpenGL to draw into the window. False when the driver has no such format
// or the context will not take it (a window's format is set once).
bool SetOpenGlPixelFormat(HDC dc, int colourBits);
