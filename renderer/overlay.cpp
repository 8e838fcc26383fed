#include "overlay.h"

#include "gl_attributes.h"

namespace {

struct OverlayCorner {
    GLint s, t, x, y;
};
constexpr OverlayCorner kOverlayQuad[] = {
    {0, 1, -1, 1},
    {1, 1, 1, 1},
    {1, 0, 1, -1},
    {0, 0, -1, -1},
};

}  // namespace

void Overlay::BuildList()
{
    displayList.reset(glGenLists(1));
    glNewList(displayList.get(), GL_COMPILE);
    glBindTexture(GL_TEXTURE_2D, texture);
    glBegin(GL_QUADS);
    for (const OverlayCorner& corner : kOverlayQuad) {
        glTexCoord2i(corner.s, corner.t);
        glVertex2i(corner.x, corner.y);
    }
    glEnd();
    glEndList();
}

void Overlay::Draw() const
{
    if (!displayList) return;
    glPushAttrib(kAllAttributeBits);
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
    if (blend) {
        glColor4fv(color);
        glEnable(GL_BLEND);
        glBlendFunc(srcFactor, dstFactor);
    } else {
        glColor3fv(color);
    }
    glDepthMask(depthMask);
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    glCallList(displayList.get());
    glDepthMask(GL_TRUE);
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
    glPopMatrix();
    glPopAttrib();
}
