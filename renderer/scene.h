// The star-field scene: ten additive layers of the star picture circling and
// turning under an overlay that fades the frame in from black.
#pragma once

#include "gl_handles.h"
#include "overlay.h"
#include "scene_frame.h"

#include <windows.h>
#include <GL/gl.h>

#include <cstdint>
#include <optional>

// What the scene made in the GL context; released, in reverse order, while
// that context is still current.
struct SceneObjects {
    UniqueGlTexture starTexture;
    UniqueGlTexture overlayTexture;
    UniqueGlList starList;
    Overlay overlay;
};

// The scene of one run: its generator, its frame state and its GL objects.
struct Scene {
    LinearCongruentialGenerator generator;
    RandomSource random{generator};
    SceneFrame frame;
    std::optional<SceneObjects> objects;
};

// Called once the GL context is current: swap interval, textures, lists,
// seed. DrawScene then draws the frames.
void StartScene(Scene& scene);

// Deletes the scene's textures and lists; called while their context is
// still current, before it goes.
void EndScene(Scene& scene);

// Loads the two pictures and builds the lists for the given period.
void InitScene(Scene& scene, std::int32_t periodMs);

// Advances the scene to the present moment and draws it: one frame. Leaves
// the GL attribute and matrix stacks as it found them.
void DrawScene(Scene& scene);

// The pieces of a frame, in the order DrawScene uses them.

// Compiles the star-dust quad: 2 x 2 around the origin, its texture
// coordinates running from -0.02 to 1.02.
UniqueGlList BuildStarList();

// Makes `fade` the fade-in overlay: the given picture, blended so that it
// scales every pixel by its alpha, which starts at 0; builds its list.
void SetUpFadeOverlay(Overlay& fade, GLuint texture);

// The orthographic 4:3 window and the additive layer state: `texture`, each
// layer adding 0.7 of its texels. Leaves the projection matrix current.
void SetUpLayers(GLuint texture);

// One layer: `list` drawn turned by `rotation` degrees about its centre and
// moved to (x, y).
void DrawLayer(GLuint list, GLfloat x, GLfloat y, GLfloat rotation);
