// How far the scene's outer layer moves from one frame to the next, and how
// far the layers turn, driven through the scene's per-frame rules with a
// scripted millisecond clock: for the smoothness tests and the
// scene_smoothness tool alike. Plain C++.
#pragma once

#include "scene_frame.h"
#include "seeded_scene.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>

// The orthographic window is 2 units across the 1024-pixel screen.
inline constexpr double kScenePixelsPerUnit = 512.0;
inline constexpr std::uint64_t kMsPerDay = 86'400'000;
// The tick count at the run's first frame.
inline constexpr std::uint64_t kSceneRunStart = 1'000'000;

struct MoveRange {
    double smallest = std::numeric_limits<double>::max();
    double largest = 0;
};

// The outer layer's smallest and largest move, in pixels, over `seconds` of
// frames at a steady rate on a millisecond clock (16 or 17 ms apart at 60 a
// second), from `from` milliseconds into the run.
inline MoveRange OuterLayerMoves(int framesPerSecond, std::uint64_t from, double seconds)
{
    SeededScene scene(kSceneTestSeed);
    const SceneFrame& frame = scene.frame;
    scene.Advance(kSceneRunStart);
    MoveRange range;
    double lastX = 0, lastY = 0;
    const auto rate = static_cast<std::uint64_t>(framesPerSecond);
    const auto frames = static_cast<std::uint64_t>(seconds * framesPerSecond);
    for (std::uint64_t n = 0; n <= frames; ++n) {
        scene.Advance(kSceneRunStart + from + n * 1000 / rate);
        const double x = frame.layerX[kLayerCount - 1], y = frame.layerY[kLayerCount - 1];
        if (n > 0) {
            const double move = std::hypot(x - lastX, y - lastY) * kScenePixelsPerUnit;
            range.smallest = std::min(range.smallest, move);
            range.largest = std::max(range.largest, move);
        }
        lastX = x;
        lastY = y;
    }
    return range;
}

// The difference of two rotations as a picture shows them: modulo a turn.
inline double TurnDifference(double a, double b)
{
    const double d = std::fmod(std::fabs(a - b), 360.0);
    return std::min(d, 360.0 - d);
}

// How many degrees the layers turn, frame after frame, over `seconds` of
// frames at a steady rate from the run's start.
inline double DegreesTurned(int framesPerSecond, double seconds)
{
    SeededScene scene(kSceneTestSeed);
    const SceneFrame& frame = scene.frame;
    double turned = 0;
    float before = 0;
    const auto rate = static_cast<std::uint64_t>(framesPerSecond);
    const auto frames = static_cast<std::uint64_t>(seconds * framesPerSecond);
    for (std::uint64_t n = 0; n <= frames; ++n) {
        scene.Advance(kSceneRunStart + n * 1000 / rate);
        if (n > 0) turned += TurnDifference(frame.layerRotation[1], before);
        before = frame.layerRotation[1];
    }
    return turned;
}
