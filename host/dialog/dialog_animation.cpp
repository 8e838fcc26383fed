#include "dialog_animation.h"

#include "dialog_rules.h"
#include "settings.h"

namespace {

ScreenRect WindowRectOf(HWND window)
{
    RECT rect{};
    GetWindowRect(window, &rect);
    return {rect.left, rect.top, rect.right, rect.bottom};
}

void Fly(HWND window, const AnimationRects& rects)
{
    const RECT from{rects.from.left, rects.from.top, rects.from.right, rects.from.bottom};
    const RECT to{rects.to.left, rects.to.top, rects.to.right, rects.to.bottom};
    DrawAnimatedRects(window, IDANI_CAPTION, &from, &to);
}

}  // namespace

void AnimateDialogOpen(HWND window) { Fly(window, OpeningRects(DialogCursorX, DialogCursorY, WindowRectOf(window))); }

void AnimateDialogClose(HWND window) { Fly(window, ClosingRects(DialogCursorX, DialogCursorY, WindowRectOf(window))); }
