// What the renderer's window procedure does with each message.
#pragma once

#include <windows.h>

enum class RendererMessageAction {
    Resize,    // WM_SIZE: new viewport
    Activate,  // WM_ACTIVATE: draw unless minimised
    Close,     // WM_CLOSE: end the message loop
    KeyDown,   // WM_KEYDOWN: the key is held
    KeyUp,     // WM_KEYUP: the key is released
    Swallow,   // the system screen saver and monitor power-down never start
    Default,   // everything else goes to DefWindowProcA
};

RendererMessageAction RouteRendererMessage(UINT message, WPARAM wParam);

// WM_ACTIVATE: drawing goes on unless the window is minimised; whether the
// window is active or not is not looked at.
bool IsActiveAfter(WPARAM activateWParam);
