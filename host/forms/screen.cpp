#include "screen.h"

namespace {

MousePointer screenPointer = MousePointer::Default;

}  // namespace

void SetScreenMousePointer(MousePointer pointer)
{
    screenPointer = pointer;
    SetCursor(pointer == MousePointer::Default ? LoadCursorA(nullptr, IDC_ARROW) : ScreenCursor());
}

HCURSOR ScreenCursor()
{
    return screenPointer == MousePointer::Hourglass ? LoadCursorA(nullptr, IDC_WAIT) : nullptr;
}
