// Owners for OpenGL object names. They are released with GL calls, so the
// context that made them must still be current when an owner lets go:
// whoever holds them ends them before the context goes.
#pragma once

#include "unique_handle.h"

#include <windows.h>
#include <GL/gl.h>

namespace handle_traits {

struct GlTexture {
    using Handle = GLuint;
    static Handle None() noexcept { return 0; }
    static void Release(Handle h) noexcept { glDeleteTextures(1, &h); }
};

struct GlList {
    using Handle = GLuint;
    static Handle None() noexcept { return 0; }
    static void Release(Handle h) noexcept { glDeleteLists(h, 1); }
};

}  // namespace handle_traits

using UniqueGlTexture = UniqueHandle<handle_traits::GlTexture>;
using UniqueGlList = UniqueHandle<handle_traits::GlList>;
