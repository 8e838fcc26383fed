// The screen the scene was made for: the display mode the renderer asks for,
// whose 4:3 shape the scene keeps on any other display. Plain C++.
#pragma once

inline constexpr int kSceneScreenWidth = 1024;
inline constexpr int kSceneScreenHeight = 768;
inline constexpr int kSceneScreenBits = 32;
