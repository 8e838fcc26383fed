#include "scene_frame.h"

#include <cmath>
#include <ctime>
#include <numbers>

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
constexpr float kFadeDoneAlpha = 1.0f;
constexpr double kFullTurnRadians = 2.0 * std::numbers::pi;
constexpr float kFullTurnDegrees = 360.0f;

// The same rotation, brought back within one turn either way, where single
// precision still holds the smallest step. Taking one turn off a value
// between one and two turns is exact: the wrap adds no rounding of its own.
// Only a frame after a long pause (minimised, the display off) turns the
// layers further than that.
float WithinOneTurn(double degrees)
{
    constexpr double fullTurn = kFullTurnDegrees;
    if (std::fabs(degrees) >= 2.0 * fullTurn) degrees = std::fmod(degrees, fullTurn);
    auto wrapped = static_cast<float>(degrees);
    if (wrapped >= kFullTurnDegrees) return wrapped - kFullTurnDegrees;
    if (wrapped <= -kFullTurnDegrees) return wrapped + kFullTurnDegrees;
    return wrapped;
}

}  // namespace

void RandomSource::Seed() { SeedWith(static_cast<std::uint32_t>(std::time(nullptr))); }

float RandomSource::NextUnit() { return static_cast<float>(generator_.Next() % kUnitModulus) * kUnitScale; }

void InitSceneFrame(SceneFrame& frame, std::int32_t periodMs)
{
    frame.periodMs = periodMs;
    frame.layerRotation.fill(0.0f);
    frame.lastStepIndex = -1;
}

std::optional<float> AdvanceFrame(SceneFrame& frame, std::uint64_t now, RandomSource& random)
{
    // How many 60 Hz frames' worth of turning this frame shows: one on the
    // first frame, as the first frame always showed.
    double stepsThisFrame = 1.0;
    if (frame.firstFrame) {
        frame.firstFrame = false;
        frame.startTick = now;
    } else {
        stepsThisFrame = now > frame.lastTick ? static_cast<double>(now - frame.lastTick) / kRotationStepMs : 0.0;
    }
    frame.lastTick = now;
    // 64 bits: no run lasts long enough for the elapsed time to wrap.
    const std::uint64_t elapsed = now - frame.startTick;
    const double exactSceneTime = static_cast<double>(elapsed) / frame.periodMs;
    frame.sceneTime = static_cast<float>(exactSceneTime);

    std::optional<float> fadeAlpha;
    if (frame.sceneTime < kFadeEnd) {
        fadeAlpha = frame.sceneTime * kFadeRate;
    } else if (!frame.fadeDone) {
        // Whatever the frames before left (a pause across the end, a stall),
        // the fade ends at full brightness.
        frame.fadeDone = true;
        fadeAlpha = kFadeDoneAlpha;
    }

    // The orbit's turns so far, taken off in double precision before the
    // angle becomes single precision.
    const double orbit = std::fmod(exactSceneTime * kOrbitRate, kFullTurnRadians);
    for (std::size_t i = 0; i < kLayerCount; ++i) {
        const auto layer = static_cast<double>(i);
        const auto angle = static_cast<double>(static_cast<float>(layer * kLayerPhase + orbit));
        frame.layerX[i] = static_cast<float>(layer * kLayerSpacing * std::sin(angle) * kOrbitScale);
        frame.layerY[i] = static_cast<float>(layer * kLayerSpacing * std::cos(angle) * kOrbitScale);

        if (i <= 1) {
            // From the single-precision scene time, as the steps always came:
            // after weeks its spacing moves a step's moment by under a second.
            const auto stepIndex = static_cast<std::int32_t>(std::trunc(static_cast<double>(frame.sceneTime) * kStepsPerUnit));
            if (stepIndex != frame.lastStepIndex) {
                // The layer that meets a new step keeps its rotation this frame.
                frame.lastStepIndex = stepIndex;
                frame.rotationStep = static_cast<float>(static_cast<double>(random.NextUnit()) * kStepRange - kStepOffset);
            } else {
                frame.layerRotation[i] = WithinOneTurn(static_cast<double>(frame.layerRotation[i]) +
                                                       static_cast<double>(frame.rotationStep) * stepsThisFrame);
            }
        } else {
            frame.layerRotation[i] = frame.layerRotation[i - 1];
        }
    }
    return fadeAlpha;
}
