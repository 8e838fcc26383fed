// The scene's frame logic, driven through a run by a scripted clock and a
// seeded generator.
#include "scene_frame.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

class SceneRun : public testing::Test {
protected:
    SceneRun() : random(generator)
    {
        random.SeedWith(12345);
        InitSceneFrame(frame, kScenePeriodMs);
    }

    // One frame drawn `ms` milliseconds after the first (which starts at `start`).
    std::optional<float> FrameAt(std::uint32_t ms) { return AdvanceFrame(frame, start + ms, random); }

    LinearCongruentialGenerator generator;
    RandomSource random;
    SceneFrame frame;
    std::uint32_t start = 1'000'000;
};

TEST_F(SceneRun, FirstFrameIsBlackAndTheFadeEndsJustUnderOneAtFiveSeconds)
{
    EXPECT_EQ(FrameAt(0), 0.0f) << "the first frame's overlay alpha scales it to black";
    EXPECT_NEAR(*FrameAt(2500), 0.5f, 1e-6f);
    const std::optional<float> last = FrameAt(4999);
    ASSERT_TRUE(last);
    EXPECT_LT(*last, 1.0f);
    EXPECT_GT(*last, 0.999f);
    EXPECT_FALSE(FrameAt(5000)) << "from 5000 ms on the overlay colour is left as it was";
    EXPECT_FALSE(FrameAt(60000));
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

    FrameAt(16);
    EXPECT_EQ(frame.rotationStep, firstStep);
    EXPECT_EQ(frame.layerRotation[0], firstStep);
    EXPECT_EQ(frame.layerRotation[1], 2 * firstStep);

    FrameAt(4999);
    EXPECT_EQ(frame.rotationStep, firstStep);
    const float layer0Before = frame.layerRotation[0], layer1Before = frame.layerRotation[1];
    FrameAt(5000);
    EXPECT_EQ(frame.lastStepIndex, 1);
    EXPECT_NE(frame.rotationStep, firstStep);
    EXPECT_EQ(frame.layerRotation[0], layer0Before);
    EXPECT_EQ(frame.layerRotation[1], layer1Before + frame.rotationStep);
    EXPECT_EQ(frame.layerRotation[9], frame.layerRotation[1]);
}

TEST_F(SceneRun, AWrappingTickCountKeepsTheElapsedTime)
{
    start = 0xFFFFF000u;
    FrameAt(0);
    AdvanceFrame(frame, 0x00000800u, random);  // 0x1800 ms later, past the wrap
    EXPECT_FLOAT_EQ(frame.sceneTime, 6144.0f / kScenePeriodMs);
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
