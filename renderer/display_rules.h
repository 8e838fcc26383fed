// Where the renderer's windows stand on the desktop: the scene's 4:3 picture
// inside the main window, and the black covers over every other monitor.
// Plain C++: the shell hands in what the system reports.
#pragma once

#include "screen_rect.h"

#include <vector>

struct MonitorArea {
    ScreenRect rect;
    bool primary = false;
};

// The part of a client area the scene draws in, GL's way: from the bottom
// left corner.
struct SceneViewport {
    int x = 0, y = 0, width = 0, height = 0;
    friend bool operator==(const SceneViewport&, const SceneViewport&) = default;
};

// The largest 4:3 rectangle that fits a client area of this size, centred,
// so that the scene keeps its proportions on any display; the rest stays
// black. A height of 0 counts as 1.
SceneViewport SceneViewportFor(int width, int height);

// The rectangles to cover in black, in the order the system listed the
// monitors: every monitor but the primary, which the main window covers.
// A monitor that shows part of the primary (a mirrored display) is left
// alone: a cover there would hide the scene. Empty monitors get none.
std::vector<ScreenRect> CoverRectsFor(const std::vector<MonitorArea>& monitors);
