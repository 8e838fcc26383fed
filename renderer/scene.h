// The star-field scene: ten additive layers of the star picture circling and
// turning under an overlay that fades the frame in from black.
#pragma once

#include "gl_handles.h"
#include "overlay.h"

#include <windows.h>
#include <GL/gl.h>

#include <cstdint>

// Called once the GL context is current: textures, lists, seed. DrawScene
// then draws the frames.
void StartScene();

// Deletes the scene's textures and lists; called while their context is
// still current, before it goes.
void EndScene();

// Loads the two pictures and builds the lists for the given period.
void InitScene(std::int32_t periodMs);

// Draws one frame. Leaves the GL attribute and matrix stacks as it found them.
void DrawScene();

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
