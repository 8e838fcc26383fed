#include "pixel_format.h"

namespace {

// The scene's layers are drawn with the depth test on; 16 bits is what every
// driver offers.
constexpr BYTE kDepthBits = 16;

}  // namespace

bool SetOpenGlPixelFormat(HDC dc, int colourBits)
{
    PIXELFORMATDESCRIPTOR descriptor{};
    descriptor.nSize = sizeof descriptor;
    descriptor.nVersion = 1;
    descriptor.dwFlags = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL | PFD_DOUBLEBUFFER;
    descriptor.iPixelType = PFD_TYPE_RGBA;
    descriptor.cColorBits = static_cast<BYTE>(colourBits);
    descriptor.cDepthBits = kDepthBits;
    descriptor.iLayerType = PFD_MAIN_PLANE;
    const int format = ChoosePixelFormat(dc, &descriptor);
    return format != 0 && SetPixelFormat(dc, format, &descriptor);
}
