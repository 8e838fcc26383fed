// How smoothly the scene moves however long it has run, from the scene's own
// per-frame rules with a scripted clock: for 60 and 1000 frames a second, the
// outer layer's smallest and largest move from one frame to the next (in
// pixels of the 1024 x 768 screen) in the first minute and later in the run;
// then, over the last hour of a simulated day at 1000 frames a second, the
// share of frames on which the layers should have turned but stood still;
// and how fast the layers turn at the frame rates real machines reach.
//   scene_smoothness.exe [--no-day]
#include "scene_frame.h"
#include "scene_moves.h"

#include <cstdint>
#include <cstdio>
#include <cstring>

namespace {

// A whole day at 1000 frames a second; in its last hour, the share of frames
// whose step is not 0 on which layer 1 (and so layers 2 to 9) did not turn.
double StillShareInTheLastHourOfADay()
{
    LinearCongruentialGenerator generator;
    RandomSource random(generator);
    random.SeedWith(12345);
    SceneFrame frame;
    InitSceneFrame(frame, kScenePeriodMs);
    std::uint64_t counted = 0, still = 0;
    for (std::uint64_t ms = 0; ms <= kMsPerDay; ++ms) {
        const float before = frame.layerRotation[1];
        const auto stepIndexBefore = frame.lastStepIndex;
        AdvanceFrame(frame, kSceneRunStart + ms, random);
        if (ms < kMsPerDay - 3'600'000 || frame.lastStepIndex != stepIndexBefore || frame.rotationStep == 0.0f) continue;
        ++counted;
        if (frame.layerRotation[1] == before) ++still;
    }
    return counted ? static_cast<double>(still) / static_cast<double>(counted) : 0.0;
}

}  // namespace

int main(int argc, char** argv)
{
    struct Moment {
        const char* name;
        std::uint64_t from;
        double seconds;
    };
    const Moment moments[] = {
        {"first minute", 0, 60.0},
        {"after 1 day", kMsPerDay, 10.0},
        {"after 3 days", 3 * kMsPerDay, 10.0},
        {"after 7 days", 7 * kMsPerDay, 10.0},
        {"after 30 days", 30 * kMsPerDay, 10.0},
        {"across 2^32 ms", (std::uint64_t{1} << 32) - 5000, 10.0},
        {"after 60 days", 60 * kMsPerDay, 10.0},
    };
    std::puts("outer layer's move from frame to frame, pixels (smallest .. largest)");
    for (const int fps : {60, 1000}) {
        for (const Moment& moment : moments) {
            const MoveRange range = OuterLayerMoves(fps, moment.from, moment.seconds);
            std::printf("  %4d fps  %-15s %8.4f .. %8.4f\n", fps, moment.name, range.smallest, range.largest);
        }
    }
    std::puts("layers turn, degrees a second over the first minute");
    for (const int fps : {25, 60, 144, 1000, 5000})
        std::printf("  %4d fps  %8.1f\n", fps, DegreesTurned(fps, 60) / 60.0);
    if (argc > 1 && std::strcmp(argv[1], "--no-day") == 0) return 0;
    std::printf("last hour of a day at 1000 fps: layers standing still on %.2f %% of the frames that step\n",
                100.0 * StillShareInTheLastHourOfADay());
    return 0;
}
