#include "scene.h"

#include "image.h"
#include "overlay.h"
#include "scene_frame.h"
#include "screen_shape.h"
#include "shared_names.h"
#include "swap_interval.h"

#include <windows.h>
#include <GL/gl.h>

namespace {

// Each layer adds this fraction of its picture to the frame.
constexpr GLfloat kLayerAlpha = 0.7f;
// The orthographic window: 2 wide and as high as the screen's shape makes
// it (1.5 for 4:3).
constexpr GLdouble kOrthoHalfWidth = 1.0, kOrthoDepth = 1.0;
constexpr GLdouble kOrthoHalfHeight = kOrthoHalfWidth * kSceneScreenHeight / kSceneScreenWidth;

struct StarCorner {
    GLfloat s, t, x, y, z;
};
// Texture coordinates run a little past the picture on every side, so a thin
// band of the opposite edge shows along each edge of a layer.
constexpr StarCorner kStarQuad[] = {
    {-0.02f, 1.02f, -1.0f, 1.0f, 0.0f},
    {1.02f, 1.02f, 1.0f, 1.0f, 0.0f},
    {1.02f, -0.02f, 1.0f, -1.0f, 0.0f},
    {-0.02f, -0.02f, -1.0f, -1.0f, 0.0f},
};

// A picture's texture; none when the picture did not load.
UniqueGlTexture LoadSceneTexture(const char* path)
{
    GLuint name = 0;
    LoadTexture(path, &name, GL_REPEAT, GL_REPEAT);
    return UniqueGlTexture(name);
}

}  // namespace

UniqueGlList BuildStarList()
{
    UniqueGlList list(glGenLists(1));
    glNewList(list.get(), GL_COMPILE);
    glBegin(GL_QUADS);
    for (const StarCorner& corner : kStarQuad) {
        glTexCoord2f(corner.s, corner.t);
        glVertex3f(corner.x, corner.y, corner.z);
    }
    glEnd();
    glEndList();
    return list;
}

void SetUpFadeOverlay(Overlay& fade, GLuint texture)
{
    // Source and destination both scaled by alpha: over the black picture
    // every pixel becomes alpha x its value, black while alpha is 0.
    fade.texture = texture;
    fade.depthMask = GL_FALSE;
    fade.blend = true;
    fade.srcFactor = GL_SRC_ALPHA;
    fade.dstFactor = GL_SRC_ALPHA;
    fade.color[0] = fade.color[1] = fade.color[2] = 1.0f;
    fade.color[3] = 0.0f;
    fade.BuildList();
}

void SetUpLayers(GLuint texture)
{
    // The layers' moves are applied to the projection matrix, after the
    // orthographic projection; the model-view matrix stays the identity.
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glEnable(GL_BLEND);
    glDisable(GL_DEPTH_TEST);
    glOrtho(-kOrthoHalfWidth, kOrthoHalfWidth, -kOrthoHalfHeight, kOrthoHalfHeight, -kOrthoDepth, kOrthoDepth);

    glBindTexture(GL_TEXTURE_2D, texture);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE);
    glColor4f(1.0f, 1.0f, 1.0f, kLayerAlpha);
}

void DrawLayer(GLuint list, GLfloat x, GLfloat y, GLfloat rotation)
{
    glTranslatef(x, y, 0.0f);
    glRotatef(rotation, 0.0f, 0.0f, 1.0f);
    glCallList(list);
    glRotatef(-rotation, 0.0f, 0.0f, 1.0f);
    glTranslatef(-x, -y, 0.0f);
}

void StartScene(Scene& scene)
{
    // Buffer swaps wait for the display where the driver lets them: no
    // frame is drawn that the display cannot show.
    SetSwapInterval(true);
    glEnable(GL_TEXTURE_2D);
    glEnable(GL_DEPTH_TEST);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    InitScene(scene, kScenePeriodMs);
}

void EndScene(Scene& scene) { scene.objects.reset(); }

void InitScene(Scene& scene, std::int32_t periodMs)
{
    SceneObjects& objects = scene.objects.emplace();
    objects.starTexture = LoadSceneTexture(kStarPicturePath);
    objects.overlayTexture = LoadSceneTexture(kOverlayPicturePath);
    objects.starList = BuildStarList();
    SetUpFadeOverlay(objects.overlay, objects.overlayTexture.get());

    scene.random.Seed();
    InitSceneFrame(scene.frame, periodMs);
}

void DrawScene(Scene& scene)
{
    SceneObjects& objects = *scene.objects;
    SceneFrame& frame = scene.frame;
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();

    if (const auto fadeAlpha = AdvanceFrame(frame, GetTickCount64(), scene.random))
        objects.overlay.color[3] = *fadeAlpha;

    SetUpLayers(objects.starTexture.get());
    for (std::size_t i = 0; i < kLayerCount; ++i)
        DrawLayer(objects.starList.get(), frame.layerX[i], frame.layerY[i], frame.layerRotation[i]);

    objects.overlay.Draw();
    glEnable(GL_DEPTH_TEST);
    glDisable(GL_BLEND);
    glMatrixMode(GL_MODELVIEW);
    glPopMatrix();
}
