// OpenGL 1.1's attribute groups, all of them: what a frame and the overlay
// save and restore around their drawing.
#pragma once

#include <windows.h>
#include <GL/gl.h>

inline constexpr GLbitfield kAllAttributeBits = 0x000FFFFF;
