// The star-field scene's per-frame decisions: elapsed time, fade, where each
// layer circles and how it turns, and the random rotation steps. Plain C++
// with the clock and the generator's seed handed in, so that tests can drive
// any moment of a run.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>

inline constexpr std::size_t kLayerCount = 10;
// Milliseconds per unit of scene time: the fade lasts 0.1 unit (5 s), a new
// rotation step comes every 0.1 unit, the orbit turns 50 radians per unit.
inline constexpr std::int32_t kScenePeriodMs = 50000;
// The layers turn by the rotation step once in this many milliseconds, in
// proportion between: the look of a 60 Hz display that draws a frame per
// refresh, whatever rate the frames really come at.
inline constexpr double kRotationStepMs = 1000.0 / 60.0;

// The C run-time's generator: s := s x 214013 + 2531011 (mod 2^32), output
// (s >> 16) & 0x7FFF.
class LinearCongruentialGenerator {
public:
    void Seed(std::uint32_t seed) { state_ = seed; }
    int Next()
    {
        state_ = state_ * 214013u + 2531011u;
        return static_cast<int>((state_ >> 16) & 0x7FFF);
    }

private:
    std::uint32_t state_ = 1;
};

// Rotation steps' source of randomness, over the process-wide generator.
class RandomSource {
public:
    explicit RandomSource(LinearCongruentialGenerator& generator) : generator_(generator) {}
    // Seeds with the calendar time in whole seconds.
    void Seed();
    void SeedWith(std::uint32_t seconds) { generator_.Seed(seconds); }
    // (output mod 10000) x 0.0001 in single precision: 0 to 0.9999.
    float NextUnit();

private:
    LinearCongruentialGenerator& generator_;
};

// Times are 64-bit milliseconds, which do not wrap in any run; angles are
// kept within one turn, where single precision is fine, so the motion is as
// smooth after weeks as in the first minute.
struct SceneFrame {
    std::int32_t periodMs = 0;
    bool firstFrame = true;
    std::uint64_t startTick = 0;
    // The tick count of the frame before: the layers turn by the time since.
    std::uint64_t lastTick = 0;
    float sceneTime = 0;
    // True once a frame at or after the end of the fade has drawn the overlay
    // at full alpha.
    bool fadeDone = false;
    std::array<float, kLayerCount> layerX{};
    std::array<float, kLayerCount> layerY{};
    // Degrees, within one turn either way.
    std::array<float, kLayerCount> layerRotation{};
    std::int32_t lastStepIndex = 0;
    float rotationStep = 0;
};

// Resets the frame state for a new scene with the given period.
void InitSceneFrame(SceneFrame& frame, std::int32_t periodMs);

// Advances the state to the tick count `now` (GetTickCount64's milliseconds).
// The layers turn by the rotation step for every kRotationStepMs since the
// frame before; the first frame turns them by one such step.
// Gives the overlay's new alpha while the fade-in lasts, 1 on the first
// frame at or after its end (however long the frames before took), nothing
// after it.
std::optional<float> AdvanceFrame(SceneFrame& frame, std::uint64_t now, RandomSource& random);
