#include "window_messages.h"

RendererMessageAction RouteRendererMessage(UINT message, WPARAM wParam)
{
    switch (message) {
    case WM_SIZE: return RendererMessageAction::Resize;
    case WM_ACTIVATE: return RendererMessageAction::Activate;
    case WM_CLOSE: return RendererMessageAction::Close;
    case WM_KEYDOWN: return RendererMessageAction::KeyDown;
    case WM_KEYUP: return RendererMessageAction::KeyUp;
    case WM_SYSCOMMAND:
        // Exactly these two values; SC_CLOSE and the rest go on as usual.
        if (wParam == SC_SCREENSAVE || wParam == SC_MONITORPOWER) return RendererMessageAction::Swallow;
        return RendererMessageAction::Default;
    default: return RendererMessageAction::Default;
    }
}

bool IsActiveAfter(WPARAM activateWParam) { return HIWORD(activateWParam) == 0; }
