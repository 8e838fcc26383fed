// The renderer's shell: display mode, full-screen window, OpenGL context,
// the message loop, the window procedure and the release of it all. What is
// drawn is not its business: the loop calls the frame routine it is given.
#pragma once

#include <windows.h>

// Routine that draws one frame into the back buffer.
using FrameRoutine = int (*)();

// Switches the display mode and creates the window and its current OpenGL
// context with the fixed GL state. On false everything it made has been
// released again.
bool OpenRendererWindow(const char* title, int width, int height, int bits);

// Handles one message per turn and draws a frame with `frameCallback`
// whenever the queue is empty and the window is not minimised, until WM_QUIT
// or until Escape is seen held at such a moment. `afterFrame`, when given,
// runs after each frame's swap and ends the loop by returning false. Gives
// the wParam of the last message.
WPARAM RunMessageLoop(FrameRoutine frameCallback, bool (*afterFrame)() = nullptr);

// Releases everything in a fixed order; safe after a partial creation.
void CloseRendererWindow();

void ResizeViewport(int width, int height);

// The fixed GL state every frame starts from.
void SetUpGlState();

// Draws one frame into the back buffer with the frame routine, inside a saved
// and restored set of GL attributes; always true.
bool RenderFrame(FrameRoutine frameCallback);

LRESULT CALLBACK RendererWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
