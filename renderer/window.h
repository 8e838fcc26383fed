// The renderer's shell: display mode, full-screen window, OpenGL context,
// the message loop, the window procedure and the release of it all. What is
// drawn is not its business: the loop calls the frame routine it is given.
#pragma once

#include "cover_windows.h"
#include "win32_handles.h"
#include "window_messages.h"

#include <windows.h>

#include <array>

// Routine that draws one frame into the back buffer.
using FrameRoutine = void (*)();

// The renderer's window and all that belongs to it, for one run.
struct RendererWindow {
    // Drawing happens only while true: the window is not minimised.
    bool active = true;
    // One entry per virtual-key code, true between its key-down and key-up.
    std::array<bool, kVirtualKeyCount> keys{};
    // True while the display mode is the renderer's; the tear-down restores it.
    bool fullScreen = false;
    bool cursorHidden = false;
    bool classRegistered = false;
    HINSTANCE instance = nullptr;
    UniqueWindow window;
    UniqueWindowDc deviceContext;
    UniqueGlContext renderingContext;
    bool contextCurrent = false;
    // Black over every monitor but the primary.
    CoverWindows covers;
};

// Switches the display mode (or, where it is refused, keeps the desktop's
// own), creates the window over the primary monitor and its current OpenGL
// context with the fixed GL state, and covers the other monitors. On false
// everything it made has been released again.
bool OpenRendererWindow(RendererWindow& renderer, const char* title, int width, int height, int bits);

// Handles one message per turn and draws a frame with `frameCallback`
// whenever the queue is empty and the window is not minimised, until WM_QUIT
// or until Escape is seen held at such a moment. `afterFrame`, when given,
// runs after each frame's swap and ends the loop by returning false. Gives
// the wParam of the last message.
WPARAM RunMessageLoop(RendererWindow& renderer, FrameRoutine frameCallback, bool (*afterFrame)() = nullptr);

// Releases everything in the reverse order of its creation; safe after a
// partial creation.
void CloseRendererWindow(RendererWindow& renderer);

// The viewport (the scene's 4:3 part of a client area of this size) and a
// perspective projection for it.
void ResizeViewport(int width, int height);

// The fixed GL state every frame starts from.
void SetUpGlState();

// Draws one frame into the back buffer with the frame routine, inside a saved
// and restored set of GL attributes.
void RenderFrame(FrameRoutine frameCallback);

LRESULT CALLBACK RendererWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
