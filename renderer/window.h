// The renderer's shell: display mode, full-screen window, OpenGL context,
// the message loop, the window procedure and the release of it all. What is
// drawn is not its business: the loop calls the frame routine it is given.
#pragma once

#include "cover_windows.h"
#include "display_power.h"
#include "run.h"
#include "scene.h"
#include "win32_handles.h"
#include "window_class.h"
#include "window_messages.h"

#include <windows.h>

#include <array>
#include <optional>

// The renderer's window and all that belongs to it, for one run.
struct RendererWindow {
    // Drawing happens only while true: the window is not minimised.
    bool active = true;
    // One entry per virtual-key code, true between its key-down and key-up.
    std::array<bool, kVirtualKeyCount> keys{};
    // True while the display mode is the renderer's; the tear-down restores it.
    bool fullScreen = false;
    std::optional<HiddenCursor> hiddenCursor;
    UniqueWindowClass windowClass;
    UniqueWindow window;
    UniqueWindowDc deviceContext;
    UniqueGlContext renderingContext;
    bool contextCurrent = false;
    // Black over every monitor but the primary.
    CoverWindows covers;
    // False while the system reports the display off: nothing is drawn then.
    bool displayOn = true;
    DisplayPowerNotifications displayPower;
    // The primary display's refresh rate, which the frames never outpace.
    int refreshRate = 0;
    // Tries left to take the foreground and the focus, should the system
    // have refused them (a program started by another may not take them).
    int foregroundTriesLeft = 0;
};

// Switches the display mode (or, where it is refused, keeps the desktop's
// own), creates the window over the primary monitor and its current OpenGL
// context with the fixed GL state, and covers the other monitors. On false
// everything it made has been released again.
bool OpenRendererWindow(RendererWindow& renderer, const char* title, int width, int height, int bits);

// Handles one message per turn and draws a frame of the scene whenever the
// queue is empty, the window is not minimised, the display is on and the
// display's refresh period has passed since the frame before (the loop rests
// otherwise, waking for any message at once), until WM_QUIT or until Escape
// is seen held at such a moment. The options' `afterFrame` runs after each
// frame's swap and ends the loop by returning false. Gives the wParam of the
// last message.
WPARAM RunMessageLoop(RendererWindow& renderer, Scene& scene, const RunOptions& options = {});

// Releases everything in the reverse order of its creation; safe after a
// partial creation.
void CloseRendererWindow(RendererWindow& renderer);

// The viewport (the scene's 4:3 part of a client area of this size) and a
// perspective projection for it.
void ResizeViewport(int width, int height);

// The fixed GL state every frame starts from.
void SetUpGlState();

// Draws one frame of the scene into the back buffer, inside a saved and
// restored set of GL attributes.
void RenderFrame(Scene& scene);

LRESULT CALLBACK RendererWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
