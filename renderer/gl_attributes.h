// OpenGL 1.1's attribute groups, all of them: what a frame and the overlay
// save and restore around their drawing.
#pragma once

#include <windows.h>
#include <GL/gl.h>

// glPushAttrib's mask of every group that OpenGL 1.1 defines: the twenty bits
// from GL_CURRENT_BIT (bit 0) to GL_SCISSOR_BIT (bit 19), 0x000FFFFF. Spelled
// out, not taken from GL_ALL_ATTRIB_BITS, which other gl.h headers define as
// 0xFFFFFFFF to take in the groups of later versions (multisampling): the
// frame and the overlay save the same state whichever header builds them.
inline constexpr GLbitfield kAllAttributeBits = (GLbitfield{GL_SCISSOR_BIT} << 1) - 1;
