// Reference: the renderer's eleven quads (ten additive textured layers and a
// blended overlay) with the same GL state, written out plainly.
//   reference_quads.exe [SECONDS]
#include "bench_clock.h"
#include "reference_window.h"

#include <cmath>
#include <cstdlib>
#include <vector>

namespace {

GLuint Texture(int size, const std::vector<unsigned char>& rgb)
{
    GLuint name = 0;
    glGenTextures(1, &name);
    glBindTexture(GL_TEXTURE_2D, name);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glTexImage2D(GL_TEXTURE_2D, 0, 3, size, size, 0, GL_RGB, GL_UNSIGNED_BYTE, rgb.data());
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_REPEAT);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    return name;
}

}  // namespace

int main(int argc, char** argv)
{
    const double seconds = argc > 1 ? std::atof(argv[1]) : 10.0;
    ReferenceWindow window;
    if (!OpenReferenceWindow(window)) return 1;

    std::vector<unsigned char> stars(512 * 512 * 3, 0);
    unsigned state = 7;
    for (int i = 0; i < 300; ++i) {
        state = state * 214013u + 2531011u;
        const unsigned at = (state >> 8) % (512u * 512u);
        stars[at * 3] = stars[at * 3 + 1] = stars[at * 3 + 2] = 230;
    }
    const GLuint starTexture = Texture(512, stars);
    const GLuint blackTexture = Texture(1, {0, 0, 0});

    const GLuint starList = glGenLists(2), overlayList = starList + 1;
    glNewList(starList, GL_COMPILE);
    glBegin(GL_QUADS);
    glTexCoord2f(-0.02f, 1.02f); glVertex3f(-1, 1, 0);
    glTexCoord2f(1.02f, 1.02f); glVertex3f(1, 1, 0);
    glTexCoord2f(1.02f, -0.02f); glVertex3f(1, -1, 0);
    glTexCoord2f(-0.02f, -0.02f); glVertex3f(-1, -1, 0);
    glEnd();
    glEndList();
    glNewList(overlayList, GL_COMPILE);
    glBindTexture(GL_TEXTURE_2D, blackTexture);
    glBegin(GL_QUADS);
    glTexCoord2i(0, 1); glVertex2i(-1, 1);
    glTexCoord2i(1, 1); glVertex2i(1, 1);
    glTexCoord2i(1, 0); glVertex2i(1, -1);
    glTexCoord2i(0, 0); glVertex2i(-1, -1);
    glEnd();
    glEndList();

    glEnable(GL_TEXTURE_2D);
    glClearColor(0.0f, 0.0f, 0.0f, 0.5f);
    const DWORD start = GetTickCount();
    RunFrames(window, seconds, "eleven plain quads", [&] {
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        const float t = static_cast<float>(GetTickCount() - start) / 1000.0f;
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        glEnable(GL_BLEND);
        glDisable(GL_DEPTH_TEST);
        glOrtho(-1, 1, -0.75, 0.75, -1, 1);
        glBindTexture(GL_TEXTURE_2D, starTexture);
        glBlendFunc(GL_SRC_ALPHA, GL_ONE);
        glColor4f(1, 1, 1, 0.7f);
        for (int i = 0; i < 10; ++i) {
            const float x = 0.025f * static_cast<float>(i) * std::sin(static_cast<float>(i) * 0.5f + t);
            const float y = 0.025f * static_cast<float>(i) * std::cos(static_cast<float>(i) * 0.5f + t);
            glPushMatrix();
            glTranslatef(x, y, 0);
            glRotatef(t * 30.0f, 0, 0, 1);
            glCallList(starList);
            glPopMatrix();
        }
        glLoadIdentity();
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        glColor4f(1, 1, 1, 0.95f);
        glBlendFunc(GL_SRC_ALPHA, GL_SRC_ALPHA);
        glDepthMask(GL_FALSE);
        glCallList(overlayList);
        glDepthMask(GL_TRUE);
        glEnable(GL_DEPTH_TEST);
        glDisable(GL_BLEND);
    });
    CloseReferenceWindow(window);
    return 0;
}
