#include "window.h"

#include "win32_handles.h"
#include "window_messages.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <array>

namespace {

// Registered as "OpenGL", created as "OpenGl": class names ignore case.
constexpr char kRegisteredClassName[] = "OpenGL";
constexpr char kCreatedClassName[] = "OpenGl";
constexpr BYTE kDepthBits = 16;
constexpr DWORD kWindowStyle = WS_POPUP;
constexpr DWORD kWindowExStyle = WS_EX_APPWINDOW;
constexpr GLdouble kFieldOfViewDegrees = 45.0;
constexpr GLdouble kNearPlane = 0.1f;  // the single-precision value, widened
constexpr GLdouble kFarPlane = 100.0;
constexpr GLbitfield kAllAttributeBits = 0x000FFFFF;

// Drawing happens only while true: the window is not minimised.
bool active = true;
// One entry per virtual-key code, true between its key-down and key-up.
std::array<bool, kVirtualKeyCount> keys{};
// True while the display mode is the renderer's; the tear-down restores it.
bool fullScreen = false;
HINSTANCE instance = nullptr;
UniqueWindow window;
UniqueWindowDc windowDc;
UniqueGlContext renderingContext;

PIXELFORMATDESCRIPTOR PixelFormatRequest(int bits)
{
    PIXELFORMATDESCRIPTOR descriptor{};
    descriptor.nSize = sizeof descriptor;
    descriptor.nVersion = 1;
    descriptor.dwFlags = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL | PFD_DOUBLEBUFFER;
    descriptor.iPixelType = PFD_TYPE_RGBA;
    descriptor.cColorBits = static_cast<BYTE>(bits);
    descriptor.cDepthBits = kDepthBits;
    descriptor.iLayerType = PFD_MAIN_PLANE;
    return descriptor;
}

bool SwitchDisplayMode(int width, int height, int bits)
{
    DEVMODEA mode{};
    mode.dmSize = sizeof mode;
    mode.dmPelsWidth = static_cast<DWORD>(width);
    mode.dmPelsHeight = static_cast<DWORD>(height);
    mode.dmBitsPerPel = static_cast<DWORD>(bits);
    mode.dmFields = DM_BITSPERPEL | DM_PELSWIDTH | DM_PELSHEIGHT;
    return ChangeDisplaySettingsA(&mode, CDS_FULLSCREEN) == DISP_CHANGE_SUCCESSFUL;
}

// Closes what exists and reports the failed start.
bool FailStart()
{
    CloseRendererWindow();
    return false;
}

}  // namespace

bool OpenRendererWindow(const char* title, int width, int height, int bits)
{
    fullScreen = true;
    instance = GetModuleHandleA(nullptr);

    WNDCLASSA windowClass{};
    windowClass.style = CS_HREDRAW | CS_VREDRAW | CS_OWNDC;
    windowClass.lpfnWndProc = RendererWndProc;
    windowClass.hInstance = instance;
    windowClass.hIcon = LoadIconA(nullptr, IDI_WINLOGO);
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.lpszClassName = kRegisteredClassName;
    if (!RegisterClassA(&windowClass)) return false;

    if (!SwitchDisplayMode(width, height, bits)) {
        fullScreen = false;
        return false;
    }
    ShowCursor(FALSE);

    RECT rect{0, 0, width, height};
    AdjustWindowRectEx(&rect, kWindowStyle, FALSE, kWindowExStyle);
    window.reset(CreateWindowExA(kWindowExStyle, kCreatedClassName, title,
                                 kWindowStyle | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, 0, 0,
                                 rect.right - rect.left, rect.bottom - rect.top, nullptr, nullptr,
                                 instance, nullptr));
    if (!window) return FailStart();

    windowDc = UniqueWindowDc(window.get(), GetDC(window.get()));
    if (!windowDc) return FailStart();

    const PIXELFORMATDESCRIPTOR descriptor = PixelFormatRequest(bits);
    const int format = ChoosePixelFormat(windowDc.get(), &descriptor);
    if (format == 0 || !SetPixelFormat(windowDc.get(), format, &descriptor)) return FailStart();

    renderingContext.reset(wglCreateContext(windowDc.get()));
    if (!renderingContext || !wglMakeCurrent(windowDc.get(), renderingContext.get())) return FailStart();

    ShowWindow(window.get(), SW_SHOW);
    SetForegroundWindow(window.get());
    SetFocus(window.get());
    ResizeViewport(width, height);
    SetUpGlState();
    return true;
}

WPARAM RunMessageLoop(FrameRoutine frameCallback, bool (*afterFrame)())
{
    // One message per turn; a frame only when the queue is empty, so nothing
    // is drawn while messages wait.
    MSG message{};
    for (;;) {
        if (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (message.message == WM_QUIT) break;
            TranslateMessage(&message);
            DispatchMessageA(&message);
        } else if (active) {
            if (keys[VK_ESCAPE]) break;
            RenderFrame(frameCallback);
            SwapBuffers(windowDc.get());
            if (afterFrame && !afterFrame()) break;
        }
    }
    return message.wParam;
}

void CloseRendererWindow()
{
    if (fullScreen) {
        ChangeDisplaySettingsA(nullptr, 0);
        ShowCursor(TRUE);
        fullScreen = false;
    }
    if (renderingContext) {
        wglMakeCurrent(nullptr, nullptr);
        renderingContext.reset();
    }
    windowDc.reset();
    window.reset();
    UnregisterClassA(kRegisteredClassName, instance);
}

void ResizeViewport(int width, int height)
{
    if (height == 0) height = 1;
    glViewport(0, 0, width, height);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(kFieldOfViewDegrees, static_cast<GLdouble>(width) / height, kNearPlane, kFarPlane);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
}

void SetUpGlState()
{
    glEnable(GL_TEXTURE_2D);
    glShadeModel(GL_SMOOTH);
    glClearColor(0.0f, 0.0f, 0.0f, 0.5f);
    glClearDepth(1.0);
    glHint(GL_PERSPECTIVE_CORRECTION_HINT, GL_NICEST);
}

bool RenderFrame(FrameRoutine frameCallback)
{
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glLoadIdentity();
    glPushAttrib(kAllAttributeBits);
    if (frameCallback) frameCallback();
    glPopAttrib();
    return true;
}

LRESULT CALLBACK RendererWndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (RouteRendererMessage(message, wParam)) {
    case RendererMessageAction::Resize:
        ResizeViewport(LOWORD(lParam), HIWORD(lParam));
        return 0;
    case RendererMessageAction::Activate:
        active = IsActiveAfter(wParam);
        return 0;
    case RendererMessageAction::Close:
        PostQuitMessage(0);
        return 0;
    case RendererMessageAction::KeyDown:
        keys[wParam] = true;
        return 0;
    case RendererMessageAction::KeyUp:
        keys[wParam] = false;
        return 0;
    case RendererMessageAction::Swallow:
        return 0;
    case RendererMessageAction::Default:
        break;
    }
    return DefWindowProcA(hwnd, message, wParam, lParam);
}
