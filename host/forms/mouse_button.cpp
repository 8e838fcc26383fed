#include "mouse_button.h"

#include <windows.h>

std::int16_t MouseButtonOf(unsigned message)
{
    switch (message) {
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP: return kRightMouseButton;
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP: return kMiddleMouseButton;
    default: return kLeftMouseButton;
    }
}
