// Where the scene draws inside the main window, and which monitors get a
// black cover.
#include "display_rules.h"

#include <gtest/gtest.h>

namespace {

struct ViewportCase {
    const char* name;
    int width, height;
    SceneViewport expected;
};

TEST(SceneViewport, TheLargestCentredFourByThreeThatFits)
{
    const ViewportCase cases[] = {
        // The switched mode: the whole window, pixel for pixel as before.
        {"1024 x 768", 1024, 768, {0, 0, 1024, 768}},
        {"1920 x 1080: black columns", 1920, 1080, {240, 0, 1440, 1080}},
        {"1280 x 1024: black rows", 1280, 1024, {0, 32, 1280, 960}},
        {"2560 x 1080 ultra-wide", 2560, 1080, {560, 0, 1440, 1080}},
        {"1366 x 768: an odd column left over", 1366, 768, {171, 0, 1024, 768}},
        {"a portrait 1080 x 1920", 1080, 1920, {0, 555, 1080, 810}},
        {"height 0 counts as 1", 1024, 0, {511, 0, 1, 1}},
        {"nothing wide", 0, 768, {0, 383, 0, 1}},
        {"past 32 bits when multiplied", 2000000000, 1500000000, {0, 0, 2000000000, 1500000000}},
    };
    for (const ViewportCase& c : cases) EXPECT_EQ(SceneViewportFor(c.width, c.height), c.expected) << c.name;
}

struct CoverCase {
    const char* name;
    std::vector<MonitorArea> monitors;
    std::vector<ScreenRect> expected;
};

TEST(CoverRects, EveryMonitorButThePrimaryInTheSystemsOrder)
{
    const ScreenRect primary{0, 0, 1024, 768};
    const CoverCase cases[] = {
        {"one monitor: no cover", {{primary, true}}, {}},
        {"a second one to the right", {{primary, true}, {{1024, 0, 1824, 600}, false}}, {{1024, 0, 1824, 600}}},
        {"three of different sizes, the primary in the middle of the list",
         {{{-1280, 0, 0, 1024}, false}, {primary, true}, {{1024, -200, 2944, 880}, false}},
         {{-1280, 0, 0, 1024}, {1024, -200, 2944, 880}}},
        {"after a refused switch the primary keeps its own size",
         {{{0, 0, 1280, 1024}, true}, {{1280, 0, 2080, 600}, false}}, {{1280, 0, 2080, 600}}},
        {"a mirror of the primary would hide the scene", {{primary, true}, {primary, false}}, {}},
        {"a monitor reaching into the primary", {{primary, true}, {{1000, 0, 1800, 600}, false}}, {}},
        {"an empty monitor", {{primary, true}, {{1024, 0, 1024, 600}, false}}, {}},
        {"no primary reported: cover them all", {{{1024, 0, 1824, 600}, false}}, {{1024, 0, 1824, 600}}},
        {"none at all", {}, {}},
    };
    for (const CoverCase& c : cases) EXPECT_EQ(CoverRectsFor(c.monitors), c.expected) << c.name;
}

}  // namespace
