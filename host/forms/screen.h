// The screen-wide mouse pointer: while it is not the default, every form shows
// it over all of its controls.
#pragma once

#include <windows.h>

enum class MousePointer { Default, Hourglass };

// Sets the pointer and shows it at once; the default shows the arrow until
// the controls under the pointer choose their own again.
void SetScreenMousePointer(MousePointer pointer);

// The cursor that overrides the controls' own, or none for the default.
HCURSOR ScreenCursor();

// The hourglass over every form for as long as it lives; the default after.
class HourglassPointer {
public:
    HourglassPointer() { SetScreenMousePointer(MousePointer::Hourglass); }
    ~HourglassPointer() { SetScreenMousePointer(MousePointer::Default); }
    HourglassPointer(const HourglassPointer&) = delete;
    HourglassPointer& operator=(const HourglassPointer&) = delete;
};
