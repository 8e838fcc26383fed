// Which messages the renderer's window handles itself.
#include "window_messages.h"

#include <gtest/gtest.h>

namespace {

TEST(RendererMessages, EachMessageGoesToItsHandlerAndOnlyScreenSaverCommandsAreSwallowed)
{
    EXPECT_EQ(RouteRendererMessage(WM_SYSCOMMAND, SC_SCREENSAVE), RendererMessageAction::Swallow);
    EXPECT_EQ(RouteRendererMessage(WM_SYSCOMMAND, SC_MONITORPOWER), RendererMessageAction::Swallow);
    EXPECT_EQ(RouteRendererMessage(WM_SYSCOMMAND, SC_CLOSE), RendererMessageAction::Default);
    EXPECT_EQ(RouteRendererMessage(WM_SYSCOMMAND, SC_SCREENSAVE | 1), RendererMessageAction::Default);
    EXPECT_EQ(RouteRendererMessage(WM_SIZE, 0), RendererMessageAction::Resize);
    EXPECT_EQ(RouteRendererMessage(WM_CLOSE, 0), RendererMessageAction::Close);
    EXPECT_EQ(RouteRendererMessage(WM_DISPLAYCHANGE, 32), RendererMessageAction::DisplayChange)
        << "the covers must follow the monitors";
    EXPECT_EQ(RouteRendererMessage(WM_POWERBROADCAST, PBT_POWERSETTINGCHANGE), RendererMessageAction::PowerSetting)
        << "no frames while the display is off";
    EXPECT_EQ(RouteRendererMessage(WM_POWERBROADCAST, PBT_APMSUSPEND), RendererMessageAction::Default);
    EXPECT_EQ(RouteRendererMessage(WM_TIMER, 1), RendererMessageAction::ForegroundRetry)
        << "a run started by another program asks again for the keyboard";
    EXPECT_EQ(RouteRendererMessage(WM_ACTIVATEAPP, FALSE), RendererMessageAction::ActivateApp)
        << "a run whose foreground another program took asks for it back";
    EXPECT_EQ(RouteRendererMessage(WM_KEYDOWN, VK_ESCAPE), RendererMessageAction::KeyDown);
    EXPECT_EQ(RouteRendererMessage(WM_KEYUP, VK_ESCAPE), RendererMessageAction::KeyUp);
    EXPECT_EQ(RouteRendererMessage(WM_KEYDOWN, 255), RendererMessageAction::KeyDown);
    EXPECT_EQ(RouteRendererMessage(WM_KEYDOWN, 0x100 | VK_ESCAPE), RendererMessageAction::Swallow)
        << "a code past the key table names no key, and must not alias Escape";
    EXPECT_EQ(RouteRendererMessage(WM_KEYUP, 0x100 | VK_ESCAPE), RendererMessageAction::Swallow);
    EXPECT_EQ(RouteRendererMessage(WM_SYSKEYDOWN, VK_ESCAPE), RendererMessageAction::Default)
        << "keys pressed with Alt never reach the key table";
    EXPECT_EQ(RouteRendererMessage(WM_LBUTTONDOWN, 0), RendererMessageAction::Default);
}

TEST(RendererMessages, DrawingStopsOnlyWhileMinimised)
{
    EXPECT_TRUE(IsActiveAfter(MAKEWPARAM(WA_ACTIVE, 0)));
    EXPECT_TRUE(IsActiveAfter(MAKEWPARAM(WA_INACTIVE, 0))) << "deactivation does not stop drawing";
    EXPECT_FALSE(IsActiveAfter(MAKEWPARAM(WA_INACTIVE, 1)));
}

}  // namespace
