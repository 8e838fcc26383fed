// The renderer's shell: display mode, full-screen window, OpenGL context,
// window procedure and release of it all.
#pragma once

#include "window_messages.h"

#include <windows.h>

#include <array>

// Routine that draws one frame; installed by the scene.
using FrameRoutine = int (*)();

extern bool active;
extern std::array<bool, kVirtualKeyCount> keys;
extern bool fullScreen;
extern FrameRoutine frameCallback;
extern HDC deviceContext;

// Switches the display mode and creates the window, the context and the
// scene. On false everything it made has been released again.
bool OpenRendererWindow(const char* title, int width, int height, int bits);

// Handles one message per turn and draws a frame whenever the queue is empty
// and the window is not minimised, until WM_QUIT or until Escape is seen held
// at such a moment. `afterFrame`, when given, runs after each frame's swap and
// ends the loop by returning false. Gives the wParam of the last message.
WPARAM RunMessageLoop(bool (*afterFrame)() = nullptr);

// Releases everything in a fixed order; safe after a partial creation.
void CloseRendererWindow();

void ResizeViewport(int width, int height);

// Fixed GL state, then the scene's start.
bool SetUpGlState();

// Draws one frame into the back buffer; always true.
bool RenderFrame();

// Asks the driver to wait, or not, for vertical retrace, when it can.
void SetSwapInterval(bool enable);

LRESULT CALLBACK RendererWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
