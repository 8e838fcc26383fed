// A full-screen textured quad with its own colour and blending, drawn over
// the scene: with the scene's settings it fades the frame in from black.
#pragma once

#include "gl_handles.h"

#include <windows.h>
#include <GL/gl.h>

class Overlay {
public:
    // Compiles the quad with `texture` bound into `displayList`, replacing
    // any list it had.
    void BuildList();
    // Draws the quad over the whole viewport, leaving all GL state as it was.
    void Draw() const;

    GLfloat color[4] = {1.0f, 1.0f, 1.0f, 1.0f};
    bool blend = false;
    GLenum srcFactor = GL_ONE;
    GLenum dstFactor = GL_ONE;
    GLuint texture = 0;
    GLboolean depthMask = GL_FALSE;
    UniqueGlList displayList;
};
