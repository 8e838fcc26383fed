// A star-field scene at the start of a run, its rotation steps drawn from a
// generator with a seed the test chooses: every run of the test meets the
// same steps. Plain C++.
#pragma once

#include "scene_frame.h"

#include <cstdint>
#include <optional>

// The seed of the runs whose particular steps do not matter.
inline constexpr std::uint32_t kSceneTestSeed = 12345;

struct SeededScene {
    // Without a seed the generator is as the C run time starts it, before
    // any seed is given.
    SeededScene() : random(generator) { InitSceneFrame(frame, kScenePeriodMs); }
    explicit SeededScene(std::uint32_t seed) : SeededScene() { random.SeedWith(seed); }
    // `random` draws from this object's own generator.
    SeededScene(const SeededScene&) = delete;
    SeededScene& operator=(const SeededScene&) = delete;

    // The frame drawn at the tick count `now`: the overlay's alpha while the
    // fade lasts.
    std::optional<float> Advance(std::uint64_t now) { return AdvanceFrame(frame, now, random); }

    LinearCongruentialGenerator generator;
    RandomSource random;
    SceneFrame frame;
};
