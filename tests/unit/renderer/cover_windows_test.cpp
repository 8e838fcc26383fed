// The black covers: as many as there are rectangles, where they are asked
// to stand, owned by the renderer's window and never taking it over.
#include "cover_windows.h"

#include <gtest/gtest.h>

namespace {

ScreenRect RectOf(HWND window)
{
    RECT r{};
    GetWindowRect(window, &r);
    return {r.left, r.top, r.right, r.bottom};
}

TEST(CoverWindows, FollowTheRectanglesWhenTheMonitorsChange)
{
    UniqueWindow owner(CreateWindowExA(0, "STATIC", "owner", WS_POPUP, 0, 0, 64, 48, nullptr, nullptr,
                                       GetModuleHandleA(nullptr), nullptr));
    ASSERT_TRUE(owner);
    const std::vector<std::vector<ScreenRect>> layouts = {
        {{1024, 0, 1824, 600}},
        {{1024, 0, 1824, 600}, {1824, 0, 2464, 480}},
        {{1280, 0, 2080, 600}},
        {{-800, 0, 0, 600}, {1024, -100, 2048, 668}, {2048, 0, 3072, 768}},
        {},
    };
    CoverWindows covers;
    for (const std::vector<ScreenRect>& rects : layouts) {
        covers.Place(owner.get(), rects);
        ASSERT_EQ(covers.Count(), rects.size());
        for (std::size_t i = 0; i < rects.size(); ++i) {
            const HWND cover = covers.Window(i);
            EXPECT_EQ(RectOf(cover), rects[i]) << "cover " << i << " of " << rects.size();
            EXPECT_TRUE(IsWindowVisible(cover));
            EXPECT_FALSE(IsWindowEnabled(cover)) << "a click on it must go nowhere";
            EXPECT_EQ(GetWindow(cover, GW_OWNER), owner.get());
            EXPECT_TRUE(GetWindowLongA(cover, GWL_EXSTYLE) & WS_EX_NOACTIVATE);
            EXPECT_EQ(GetWindowTextLengthA(cover), 0) << "the host looks for windows by title";
        }
    }
}

TEST(CoverWindows, AreGoneOnceCleared)
{
    UniqueWindow owner(CreateWindowExA(0, "STATIC", "owner", WS_POPUP, 0, 0, 64, 48, nullptr, nullptr,
                                       GetModuleHandleA(nullptr), nullptr));
    CoverWindows covers;
    covers.Place(owner.get(), {{1024, 0, 1824, 600}});
    const HWND cover = covers.Window(0);
    covers.Clear();
    EXPECT_EQ(covers.Count(), 0u);
    EXPECT_FALSE(IsWindow(cover));
    covers.Place(owner.get(), {{1024, 0, 1824, 600}});
    EXPECT_EQ(covers.Count(), 1u) << "the class is registered again after a clear";
}

}  // namespace
