#include "scene_frame.h"

#include <cmath>
#include <ctime>

namespace {

constexpr float kFadeEnd = 0.1f;                 // scene time at which the fade stops
constexpr float kFadeRate = 10.0f;               // alpha per unit of scene time
constexpr double kLayerPhase = 0.5;              // radians between neighbouring layers
constexpr double kOrbitRate = 50.0;              // radians per unit of scene time
constexpr double kLayerSpacing = 0.1f;           // single-precision constant, widened
constexpr double kOrbitScale = 0.25;
constexpr double kStepsPerUnit = 10.0;           // rotation steps per unit of scene time
constexpr double kStepRange = 10.0, kStepOffset = 5.0;  // steps from -5 to just under 5 degrees
constexpr int kUnitModulus = 10000;
constexpr float kUnitScale = 0.0001f;

}  // namespace

void RandomSource::Seed() { SeedWith(static_cast<std::uint32_t>(std::time(nullptr))); }

float RandomSource::NextUnit() { return static_cast<float>(generator_.Next() % kUnitModulus) * kUnitScale; }

void InitSceneFrame(SceneFrame& frame, std::int32_t periodMs)
{
    frame.periodMs = periodMs;
    frame.layerRotation.fill(0.0f);
    frame.lastStepIndex = -1;
}

std::optional<float> AdvanceFrame(SceneFrame& frame, std::uint32_t now, RandomSource& random)
{
    if (frame.firstFrame) {
        frame.firstFrame = false;
        frame.startTick = now;
    }
    // Unsigned difference: a tick count that wraps during the run does not disturb it.
    const std::uint32_t elapsed = now - frame.startTick;
    frame.sceneTime = static_cast<float>(static_cast<double>(elapsed) / frame.periodMs);

    std::optional<float> fadeAlpha;
    if (frame.sceneTime < kFadeEnd) fadeAlpha = frame.sceneTime * kFadeRate;

    for (std::size_t i = 0; i < kLayerCount; ++i) {
        const auto layer = static_cast<double>(i);
        const auto angle = static_cast<double>(
            static_cast<float>(layer * kLayerPhase + static_cast<double>(frame.sceneTime) * kOrbitRate));
        frame.layerX[i] = static_cast<float>(layer * kLayerSpacing * std::sin(angle) * kOrbitScale);
        frame.layerY[i] = static_cast<float>(layer * kLayerSpacing * std::cos(angle) * kOrbitScale);

        if (i <= 1) {
            const auto stepIndex = static_cast<std::int32_t>(std::trunc(static_cast<double>(frame.sceneTime) * kStepsPerUnit));
            if (stepIndex != frame.lastStepIndex) {
                // The layer that meets a new step keeps its rotation this frame.
                frame.lastStepIndex = stepIndex;
                frame.rotationStep = static_cast<float>(static_cast<double>(random.NextUnit()) * kStepRange - kStepOffset);
            } else {
                frame.layerRotation[i] += frame.rotationStep;
            }
        } else {
            frame.layerRotation[i] = frame.layerRotation[i - 1];
        }
    }
    return fadeAlpha;
}
