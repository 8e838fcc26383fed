// When the renderer draws: the refresh rate it keeps to, the frames' grid,
// and what it does with an empty queue.
#include "frame_pacing_rules.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace {

TEST(FramePacing, TheDisplaysRateOrSixtyWhereItReportsTheHardwaresDefault)
{
    EXPECT_EQ(RefreshRateFrom(0), 60);
    EXPECT_EQ(RefreshRateFrom(1), 60) << "Xvfb's VREFRESH and some drivers";
    EXPECT_EQ(RefreshRateFrom(59), 59);
    EXPECT_EQ(RefreshRateFrom(144), 144);
    // Rounded up: never a tick faster than the display.
    EXPECT_EQ(FramePeriodFor(10'000'000, 60), 166'667);
    EXPECT_EQ(FramePeriodFor(10'000'000, 144), 69'445);
    EXPECT_EQ(FramePeriodFor(1000, 60), 17);
    EXPECT_EQ(FramePeriodFor(0, 60), 0) << "no clock: nothing paced";
}

struct GridCase {
    const char* name;
    std::vector<std::int64_t> arrivals;  // when the loop is ready for a frame
    std::vector<std::int64_t> starts;    // when the frames start
};

// Period 100: a loop ready at each arrival waits as the pacer says, then
// starts the frame.
TEST(FramePacing, FramesStartOnAnEvenGridAndSlowOnesBackToBack)
{
    const GridCase cases[] = {
        {"ready early: waits for each period", {0, 10, 110, 215}, {0, 100, 200, 300}},
        {"woken a little late: the grid holds", {0, 130, 205}, {0, 130, 205}},
        {"late by a period or more: a new grid", {0, 250, 260}, {0, 250, 350}},
        {"slower than the display: back to back", {0, 180, 360, 540}, {0, 180, 360, 540}},
    };
    for (const GridCase& c : cases) {
        FramePacer pacer(100);
        std::vector<std::int64_t> starts;
        for (const std::int64_t arrival : c.arrivals) {
            const std::int64_t start = arrival + pacer.WaitBefore(arrival);
            EXPECT_EQ(pacer.WaitBefore(start), 0) << c.name;
            pacer.FrameStarted(start);
            starts.push_back(start);
        }
        EXPECT_EQ(starts, c.starts) << c.name;
    }
    FramePacer unpaced(0);
    unpaced.FrameStarted(0);
    EXPECT_EQ(unpaced.WaitBefore(1), 0) << "a period of 0 paces nothing";
}

TEST(FramePacing, AnEmptyQueueDrawsOnlyWhatCanBeSeen)
{
    struct Case {
        IdleState state;
        IdleAction expected;
        const char* name;
    };
    const Case cases[] = {
        {{}, IdleAction::DrawFrame, "shown, on time"},
        {{.waitBeforeFrame = 5}, IdleAction::WaitForFrame, "too early"},
        {{.escapeHeld = true, .waitBeforeFrame = 5}, IdleAction::EndRun, "Escape does not wait for the frame"},
        {{.displayOff = true}, IdleAction::WaitForMessages, "display off"},
        {{.displayOff = true, .escapeHeld = true}, IdleAction::EndRun, "Escape with the display off"},
        {{.minimised = true}, IdleAction::WaitForMessages, "minimised"},
        {{.minimised = true, .escapeHeld = true}, IdleAction::WaitForMessages,
         "minimised, a key left held: Escape is looked at only while shown"},
    };
    for (const Case& c : cases) EXPECT_EQ(WhenQueueIsEmpty(c.state), c.expected) << c.name;
}

}  // namespace
