#include "window_messages.h"

RendererMessageAction RouteRendererMessage(UINT message, WPARAM wParam)
{
    switch (message) {
    case WM_SIZE: return RendererMessageAction::Resize;
    case WM_ACTIVATE: return RendererMessageAction::Activate;
    case WM_CLOSE: return RendererMessageAction::Close;
    case WM_DISPLAYCHANGE: return RendererMessageAction::DisplayChange;
    case WM_TIMER: return RendererMessageAction::ForegroundRetry;
    case WM_ACTIVATEAPP: return RendererMessageAction::ActivateApp;
    case WM_POWERBROADCAST:
        return wParam == PBT_POWERSETTINGCHANGE ? RendererMessageAction::PowerSetting : RendererMessageAction::Default;
    // Virtual-key codes are below 256; a larger wParam (only ever posted by
    // hand) names no key and must not alias one, as 0x11B would Escape.
    case WM_KEYDOWN:
        return wParam < kVirtualKeyCount ? RendererMessageAction::KeyDown : RendererMessageAction::Swallow;
    case WM_KEYUP:
        return wParam < kVirtualKeyCount ? RendererMessageAction::KeyUp : RendererMessageAction::Swallow;
    case WM_SYSCOMMAND:
        // Exactly these two values; SC_CLOSE and the rest go on as usual.
        if (wParam == SC_SCREENSAVE || wParam == SC_MONITORPOWER) return RendererMessageAction::Swallow;
        return RendererMessageAction::Default;
    default: return RendererMessageAction::Default;
    }
}

bool IsActiveAfter(WPARAM activateWParam) { return HIWORD(activateWParam) == 0; }
