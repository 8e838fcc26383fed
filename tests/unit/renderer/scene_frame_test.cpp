// The scene's frame logic, driven through a run by a scripted clock and a
// seeded generator.
#include "scene_frame.h"
#include "scene_moves.h"
#include "seeded_scene.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <vector>

namespace {

class SceneRun : public testing::Test, protected SeededScene {
protected:
    SceneRun() : SeededScene(kSceneTestSeed) {}

    // One frame drawn `ms` milliseconds after the first (which starts at `start`).
    std::optional<float> FrameAt(std::uint64_t ms) { return Advance(start + ms); }

    std::uint64_t start = 1'000'000;
};

TEST_F(SceneRun, FirstFrameIsBlackAndTheFadeEndsAtFullBrightnessAtFiveSeconds)
{
    EXPECT_EQ(FrameAt(0), 0.0f) << "the first frame's overlay alpha scales it to black";
    EXPECT_NEAR(*FrameAt(2500), 0.5f, 1e-6f);
    const std::optional<float> last = FrameAt(4999);
    ASSERT_TRUE(last);
    EXPECT_LT(*last, 1.0f);
    EXPECT_GT(*last, 0.999f);
    EXPECT_EQ(FrameAt(5000), 1.0f) << "the first frame from 5000 ms on ends the fade";
    EXPECT_FALSE(FrameAt(5016)) << "after it the overlay colour is left as it was";
    EXPECT_FALSE(FrameAt(60000));
}

struct FadeCase {
    const char* name;
    std::vector<std::uint64_t> frames;  // ms after the first, which is at 0
};

TEST(SceneFade, EndsAtFullBrightnessWhateverFramesCameBefore)
{
    const FadeCase cases[] = {
        {"minimised from 2 s to 10 s", {0, 16, 2000, 10000}},
        {"stalled right after the first frame", {0, 6000}},
        {"the first frame after the fade's end", {0, 4999, 5000}},
    };
    for (const FadeCase& c : cases) {
        SeededScene scene;
        std::optional<float> alpha;
        for (const std::uint64_t ms : c.frames) alpha = scene.Advance(1000 + ms);
        EXPECT_EQ(alpha, 1.0f) << c.name;
        for (const float rotation : scene.frame.layerRotation)
            EXPECT_LT(std::fabs(rotation), 360.0f) << c.name << ": however long the pause, within one turn";
        EXPECT_FALSE(scene.Advance(1000 + c.frames.back() + 16)) << c.name << ": the fade plays once";
    }
}

TEST_F(SceneRun, LayersCircleTheCentreAndTurnTogether)
{
    for (std::uint32_t ms = 0; ms <= 30000; ms += 370) {
        FrameAt(ms);
        EXPECT_EQ(frame.layerX[0], 0.0f);
        EXPECT_EQ(frame.layerY[0], 0.0f);
        for (std::size_t i = 2; i < kLayerCount; ++i) EXPECT_EQ(frame.layerRotation[i], frame.layerRotation[1]);
        for (std::size_t i = 1; i < kLayerCount; ++i) {
            const double radius = std::hypot(frame.layerX[i], frame.layerY[i]);
            EXPECT_NEAR(radius, 0.025 * static_cast<double>(i), 1e-5) << "layer " << i << " at " << ms;
        }
    }
    // One radian per second, angle 0 straight above, each layer half a radian on.
    FrameAt(1000);
    const double angle = 3 * 0.5 + 1.0;
    EXPECT_NEAR(frame.layerX[3], 3 * 0.1 * std::sin(angle) * 0.25, 1e-6);
    EXPECT_NEAR(frame.layerY[3], 3 * 0.1 * std::cos(angle) * 0.25, 1e-6);
}

TEST_F(SceneRun, ANewRotationStepEveryFiveSecondsTakenFirstByLayerOne)
{
    FrameAt(0);
    const float firstStep = frame.rotationStep;
    EXPECT_EQ(frame.layerRotation[0], 0.0f) << "layer 0 keeps its rotation on the frame that draws a step";
    EXPECT_EQ(frame.layerRotation[1], firstStep);
    EXPECT_GE(firstStep, -5.0f);
    EXPECT_LT(firstStep, 5.0f);

    // 50 ms: three 60ths of a second, three steps' turn.
    FrameAt(50);
    EXPECT_EQ(frame.rotationStep, firstStep);
    EXPECT_FLOAT_EQ(frame.layerRotation[0], 3 * firstStep);
    EXPECT_FLOAT_EQ(frame.layerRotation[1], 4 * firstStep);

    FrameAt(4999);
    EXPECT_EQ(frame.rotationStep, firstStep);
    const float layer0Before = frame.layerRotation[0], layer1Before = frame.layerRotation[1];
    FrameAt(5000);
    EXPECT_EQ(frame.lastStepIndex, 1);
    EXPECT_NE(frame.rotationStep, firstStep);
    EXPECT_EQ(frame.layerRotation[0], layer0Before);
    // One millisecond after the frame before: 60 thousandths of a step.
    EXPECT_FLOAT_EQ(frame.layerRotation[1], layer1Before + 0.06f * frame.rotationStep);
    EXPECT_EQ(frame.layerRotation[9], frame.layerRotation[1]);
}

constexpr std::uint64_t kRunStart = kSceneRunStart;

TEST(SceneSmoothness, TheOuterLayerMovesAsSteadilyAfterWeeksAsInTheFirstMinute)
{
    struct Moment {
        const char* name;
        std::uint64_t from;
    };
    const Moment moments[] = {
        {"after 1 day", kMsPerDay},
        {"after 3 days", 3 * kMsPerDay},
        {"after 7 days", 7 * kMsPerDay},
        {"after 30 days", 30 * kMsPerDay},
        {"across 2^32 ms", (std::uint64_t{1} << 32) - 5000},
        {"after 60 days", 60 * kMsPerDay},
    };
    for (const int fps : {60, 1000}) {
        const MoveRange first = OuterLayerMoves(fps, 0, 60);
        for (const Moment& moment : moments) {
            const MoveRange later = OuterLayerMoves(fps, moment.from, 10);
            EXPECT_NEAR(later.smallest, first.smallest, 0.01 * first.smallest) << fps << " fps " << moment.name;
            EXPECT_NEAR(later.largest, first.largest, 0.01 * first.largest) << fps << " fps " << moment.name;
        }
    }
}

TEST(SceneSmoothness, PastTwoToTheThirtyTwoMillisecondsTheRunNeitherWrapsNorFadesAgain)
{
    SeededScene scene;
    scene.Advance(kRunStart);
    scene.Advance(kRunStart + 10000);
    EXPECT_FALSE(scene.Advance(kRunStart + (std::uint64_t{1} << 32) + 6144)) << "the picture must not go black again";
    EXPECT_FLOAT_EQ(scene.frame.sceneTime, static_cast<float>(static_cast<double>((std::uint64_t{1} << 32) + 6144) / kScenePeriodMs));
}

// The frame arithmetic as it first stood: single-precision scene time fed to
// the orbit and rotations summed without bound. The first minutes must look
// the same as they did.
struct FirstFrameArithmetic {
    float sceneTime = 0;
    std::array<float, kLayerCount> x{}, y{}, rotation{};
    std::int32_t lastStepIndex = -1;
    float step = 0;

    void Advance(std::uint32_t elapsed, RandomSource& random)
    {
        sceneTime = static_cast<float>(static_cast<double>(elapsed) / kScenePeriodMs);
        for (std::size_t i = 0; i < kLayerCount; ++i) {
            const auto layer = static_cast<double>(i);
            const auto a = static_cast<double>(static_cast<float>(layer * 0.5 + static_cast<double>(sceneTime) * 50.0));
            x[i] = static_cast<float>(layer * static_cast<double>(0.1f) * std::sin(a) * 0.25);
            y[i] = static_cast<float>(layer * static_cast<double>(0.1f) * std::cos(a) * 0.25);
            if (i > 1) {
                rotation[i] = rotation[i - 1];
                continue;
            }
            const auto k = static_cast<std::int32_t>(std::trunc(static_cast<double>(sceneTime) * 10.0));
            if (k != lastStepIndex) {
                lastStepIndex = k;
                step = static_cast<float>(static_cast<double>(random.NextUnit()) * 10.0 - 5.0);
            } else {
                rotation[i] += step;
            }
        }
    }
};

double HalfStepAbove(float value)
{
    return 0.5 * static_cast<double>(std::nextafter(value, 1e30f) - value);
}


TEST(SceneSmoothness, TheFirstMinutesGiveTheFirstPositionsAndRotations)
{
    // The first arithmetic draws its steps from a generator seeded alike.
    SeededScene scene(777), firstSteps(777);
    const SceneFrame& frame = scene.frame;
    FirstFrameArithmetic first;
    // What the millisecond clock may shift between the two: a frame drawn
    // 16 or 17 ms after the one before turns by 0.96 or 1.02 of a step
    // where one frame turned by exactly one, and within a step those shares
    // add up to the frames' count to under a millisecond's turn. Summed over
    // the steps drawn so far, for each of the two ways layer 0 and layer 1 meet
    // a step.
    double clockShare = 0;
    std::int32_t lastStep = -1;
    // Three minutes at 60 frames a second, frames 16 or 17 ms apart.
    for (std::uint32_t n = 0; n <= 3 * 60 * 60; ++n) {
        const std::uint32_t ms = n * 1000 / 60;
        scene.Advance(kRunStart + ms);
        first.Advance(ms, firstSteps.random);
        ASSERT_EQ(frame.sceneTime, first.sceneTime) << ms;
        ASSERT_EQ(frame.lastStepIndex, first.lastStepIndex) << ms;
        ASSERT_EQ(frame.rotationStep, first.step) << ms;
        if (first.lastStepIndex != lastStep) {
            lastStep = first.lastStepIndex;
            clockShare += 2 * 0.06 * std::fabs(static_cast<double>(first.step));
        }
        // The first arithmetic's own rounding of the angle: half a step of
        // the single-precision scene time, times the orbit's rate, and half a
        // step of the single-precision angle.
        const double angleRounding = (HalfStepAbove(first.sceneTime) * 50.0 + HalfStepAbove(first.sceneTime * 50.0f + 4.5f));
        for (std::size_t i = 0; i < kLayerCount; ++i) {
            const double tolerance = 0.025 * static_cast<double>(i) * angleRounding + 1e-7;
            ASSERT_NEAR(frame.layerX[i], first.x[i], tolerance) << "layer " << i << " at " << ms << " ms";
            ASSERT_NEAR(frame.layerY[i], first.y[i], tolerance) << "layer " << i << " at " << ms << " ms";
            // The unbounded sum carries its own rounding: a few thousand
            // degrees in single precision.
            ASSERT_LT(TurnDifference(frame.layerRotation[i], first.rotation[i]), 0.05 + clockShare)
                << "layer " << i << " at " << ms;
            ASSERT_LT(std::fabs(frame.layerRotation[i]), 360.0f);
        }
    }
}

// At a steady 60 frames a second, a step's turn a frame, as each frame once
// turned: frames 50 ms apart, where the millisecond clock is exact, are three
// such frames each.
TEST(SceneSmoothness, FramesFiftyMillisecondsApartTurnTheLayersAsThreeSixtyHertzFramesDid)
{
    // The first arithmetic draws its steps from a generator seeded alike.
    SeededScene scene(4242), firstSteps(4242);
    const SceneFrame& frame = scene.frame;
    FirstFrameArithmetic first;
    // The 60 Hz frames in between are drawn only by the first arithmetic,
    // within one step's time (a frame that meets a new step is a 60 Hz one).
    for (std::uint32_t n = 0; n < 300; ++n) {
        const std::uint32_t ms = n * 1000 / 60;
        first.Advance(ms, firstSteps.random);
        if (n % 3 != 0) continue;
        scene.Advance(kRunStart + ms);
        // Each sum rounds to single precision at every frame: a hundred
        // frames of half a unit in the last place of a few hundred degrees.
        for (std::size_t i = 0; i < kLayerCount; ++i)
            ASSERT_NEAR(frame.layerRotation[i], first.rotation[i], 1e-3) << "layer " << i << " at " << ms << " ms";
    }
}

// The layers turn through the same angle in a minute whatever the frame
// rate: a graphics card drawing thousands of frames a second must not spin
// the sky.
TEST(SceneSmoothness, TheLayersTurnThroughTheSameAngleAtAnyFrameRate)
{
    const double atSixty = DegreesTurned(60, 60);
    EXPECT_GT(atSixty, 60 * 60 * 1.0) << "a step of a few degrees every 60th of a second";
    for (const int fps : {25, 144, 1000, 5000})
        EXPECT_NEAR(DegreesTurned(fps, 60), atSixty, 0.01 * atSixty) << fps << " frames a second";
}

// A whole day at 1000 frames a second: 86.4 million frames, run natively
// only (the slow label).
TEST(SceneRunSlow, InTheLastHourOfADayEveryStepStillTurnsTheLayers)
{
    SeededScene scene(kSceneTestSeed);
    const SceneFrame& frame = scene.frame;
    std::uint64_t still = 0, stepping = 0;
    constexpr std::uint64_t lastHour = kMsPerDay - 3'600'000;
    for (std::uint64_t ms = 0; ms <= kMsPerDay; ++ms) {
        const std::array<float, kLayerCount> before = frame.layerRotation;
        const std::int32_t stepIndexBefore = frame.lastStepIndex;
        scene.Advance(kRunStart + ms);
        if (ms < lastHour || frame.rotationStep == 0.0f) continue;
        // On the frame that draws a step layer 0 keeps its rotation, by design.
        const std::size_t firstTurning = frame.lastStepIndex != stepIndexBefore ? 1 : 0;
        for (std::size_t i = firstTurning; i < kLayerCount; ++i) {
            ++stepping;
            if (frame.layerRotation[i] == before[i]) ++still;
        }
    }
    EXPECT_GT(stepping, 0u);
    EXPECT_EQ(still, 0u) << "of " << stepping << " layer-frames that should have turned";
}

TEST(RandomSource, FollowsTheRunTimeGenerator)
{
    LinearCongruentialGenerator generator;
    generator.Seed(1);
    for (int expected : {41, 18467, 6334, 26500, 19169, 15724, 11478}) EXPECT_EQ(generator.Next(), expected);

    RandomSource random(generator);
    random.SeedWith(1);
    EXPECT_EQ(random.NextUnit(), 41 * 0.0001f);
    EXPECT_EQ(random.NextUnit(), 8467 * 0.0001f);
}

}  // namespace
