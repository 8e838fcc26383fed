// What the renderer's window procedure does with each message.
#pragma once

#include <windows.h>

#include <cstddef>

// One entry of the key table per virtual-key code.
inline constexpr std::size_t kVirtualKeyCount = 256;

enum class RendererMessageAction {
    Resize,    // WM_SIZE: new viewport
    Activate,  // WM_ACTIVATE: draw unless minimised
    Close,     // WM_CLOSE: end the message loop
    KeyDown,   // WM_KEYDOWN: the key is held
    KeyUp,     // WM_KEYUP: the key is released
    DisplayChange,  // WM_DISPLAYCHANGE: the covers follow the monitors
    ForegroundRetry,  // WM_TIMER: ask again for the foreground and the focus
    ActivateApp,      // WM_ACTIVATEAPP: another program took the foreground
    PowerSetting,   // WM_POWERBROADCAST with a changed power setting: the
                    // display's state, which decides whether frames are drawn
    Swallow,   // handled by doing nothing: the system screen saver and monitor
               // power-down never start, a key code out of range changes no key
    Default,   // everything else goes to DefWindowProcA
};

RendererMessageAction RouteRendererMessage(UINT message, WPARAM wParam);

// WM_ACTIVATE: drawing goes on unless the window is minimised; whether the
// window is active or not is not looked at.
bool IsActiveAfter(WPARAM activateWParam);
