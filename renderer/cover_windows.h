// Plain black windows over the monitors that the renderer's own window does
// not cover, so that nothing of the desktop shows during a run.
#pragma once

#include "display_rules.h"
#include "win32_handles.h"
#include "window_class.h"

#include <windows.h>

#include <cstddef>
#include <vector>

// The monitors as the system reports them now.
std::vector<MonitorArea> CurrentMonitors();

// The covers. They are owned by the renderer's window, never take the
// activation, the focus or a click from it, have no title and are drawn by
// GDI alone.
class CoverWindows {
public:
    // One cover on each rectangle, in order: the covers that exist are moved
    // there, missing ones made, those left over destroyed. They are shown
    // only while `visible`: a minimised owner's covers stay hidden, as the
    // system hides them with it.
    void Place(HWND owner, const std::vector<ScreenRect>& rects, bool visible = true);
    // Shows the covers again (the owner is restored).
    void Show();
    // Destroys every cover and gives back their window class.
    void Clear();

    std::size_t Count() const { return windows_.size(); }
    HWND Window(std::size_t index) const { return windows_[index].get(); }

private:
    bool RegisterClassOnce();

    // Declared first, so that it goes last: after the windows of its class.
    UniqueWindowClass class_;
    std::vector<UniqueWindow> windows_;
};
