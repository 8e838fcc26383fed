// The star-field scene: ten additive layers of the star picture circling and
// turning under an overlay that fades the frame in from black.
#pragma once

#include <cstdint>

// Called once the GL context is current: textures, lists, seed; installs
// DrawScene as the frame routine. Always true.
bool StartScene();

// Loads the two pictures and builds the lists for the given period.
void InitScene(std::int32_t periodMs);

// Draws one frame; always 0. Leaves the GL attribute and matrix stacks as it
// found them.
int DrawScene();
