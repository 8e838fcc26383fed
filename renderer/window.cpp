#include "window.h"

#include "display_rules.h"
#include "frame_pacing_rules.h"
#include "frame_wait.h"
#include "gl_attributes.h"
#include "pixel_format.h"
#include "window_messages.h"

#include <GL/gl.h>
#include <GL/glu.h>

namespace {

// Registered as "OpenGL", created as "OpenGl": class names ignore case.
constexpr char kRegisteredClassName[] = "OpenGL";
constexpr char kCreatedClassName[] = "OpenGl";
constexpr DWORD kWindowStyle = WS_POPUP;
// Topmost: always-on-top windows, notifications and the taskbar stay below
// the star field, also while it is not the active window.
constexpr DWORD kWindowExStyle = WS_EX_APPWINDOW | WS_EX_TOPMOST;
// Over the first seconds of the run, the window asks again for the
// foreground and the focus while it lacks them.
constexpr UINT_PTR kForegroundTimerId = 1;
constexpr UINT kForegroundRetryMs = 250;
constexpr int kForegroundTries = 12;
constexpr GLdouble kFieldOfViewDegrees = 45.0;
constexpr GLdouble kNearPlane = 0.1f;  // the single-precision value, widened
constexpr GLdouble kFarPlane = 100.0;

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

// The primary monitor at its present mode; it always starts at 0, 0.
ScreenRect PrimaryMonitor()
{
    return {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
}

// A mode the system cannot read counts as one that reports no rate.
int PrimaryRefreshRate()
{
    DEVMODEA mode{};
    mode.dmSize = sizeof mode;
    return RefreshRateFrom(EnumDisplaySettingsA(nullptr, ENUM_CURRENT_SETTINGS, &mode) ? mode.dmDisplayFrequency : 0);
}

// Black over the other monitors, wherever the system has them now; shown
// only while the window is not minimised.
void CoverOtherMonitors(RendererWindow& renderer)
{
    renderer.covers.Place(renderer.window.get(), CoverRectsFor(CurrentMonitors()),
                          !IsIconic(renderer.window.get()));
}

// After a change of display the window covers the primary monitor at its
// present size, with the scene in its 4:3 part, the covers follow the
// monitors and the frames the new refresh rate. The renderer's own mode may
// have been taken back (the user went to another desktop and back): the
// display as it is now is what there is to cover.
void FollowDisplayChange(RendererWindow& renderer)
{
    renderer.refreshRate = PrimaryRefreshRate();
    const ScreenRect primary = PrimaryMonitor();
    SetWindowPos(renderer.window.get(), nullptr, primary.left, primary.top, primary.Width(), primary.Height(),
                 SWP_NOZORDER | SWP_NOACTIVATE);
    CoverOtherMonitors(renderer);
}

// Asks for the foreground and the focus; stops asking once the renderer has
// them (its window, or a box of its own over it, such as the image loader's
// message), or after its last try.
void BringToFront(RendererWindow& renderer)
{
    const HWND window = renderer.window.get();
    const bool oursInFront = GetWindowThreadProcessId(GetForegroundWindow(), nullptr) == GetCurrentThreadId();
    if (oursInFront && (GetForegroundWindow() != window || GetFocus() == window)) renderer.foregroundTriesLeft = 0;
    if (renderer.foregroundTriesLeft > 0) {
        --renderer.foregroundTriesLeft;
        SetForegroundWindow(window);
        SetFocus(window);
    }
    if (renderer.foregroundTriesLeft == 0) KillTimer(window, kForegroundTimerId);
}

// Starts asking for the foreground and the focus on the retry timer, as at
// the start. Once the user has been idle past the foreground lock time-out,
// which a run always is, any program may take the foreground (an updater, a
// chat, an installer's prompt overnight) and Escape would go to it.
void AskForTheForeground(RendererWindow& renderer)
{
    renderer.foregroundTriesLeft = kForegroundTries;
    SetTimer(renderer.window.get(), kForegroundTimerId, kForegroundRetryMs, nullptr);
}

bool FailStart(RendererWindow& renderer)
{
    CloseRendererWindow(renderer);
    return false;
}

}  // namespace

bool OpenRendererWindow(RendererWindow& renderer, const char* title, int width, int height, int bits)
{
    WNDCLASSA windowClass{};
    windowClass.style = CS_HREDRAW | CS_VREDRAW | CS_OWNDC;
    windowClass.lpfnWndProc = RendererWndProc;
    windowClass.hIcon = LoadIconA(nullptr, IDI_WINLOGO);
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.lpszClassName = kRegisteredClassName;
    renderer.windowClass = RegisterWindowClass(windowClass);
    if (!renderer.windowClass) return false;

    // A display that refuses the mode keeps its own: the window then covers
    // the primary monitor at its size and the scene keeps its shape in it.
    renderer.fullScreen = SwitchDisplayMode(width, height, bits);
    renderer.hiddenCursor.emplace();
    const ScreenRect area = renderer.fullScreen ? ScreenRect{0, 0, width, height} : PrimaryMonitor();

    RECT rect{area.left, area.top, area.right, area.bottom};
    AdjustWindowRectEx(&rect, kWindowStyle, FALSE, kWindowExStyle);
    renderer.window.reset(CreateWindowExA(kWindowExStyle, kCreatedClassName, title,
                                          kWindowStyle | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, rect.left, rect.top,
                                          rect.right - rect.left, rect.bottom - rect.top, nullptr, nullptr,
                                          GetModuleHandleA(nullptr), &renderer));
    if (!renderer.window) return FailStart(renderer);

    renderer.deviceContext = UniqueWindowDc(renderer.window.get(), GetDC(renderer.window.get()));
    if (!renderer.deviceContext) return FailStart(renderer);
    const HDC dc = renderer.deviceContext.get();

    if (!SetOpenGlPixelFormat(dc, bits)) return FailStart(renderer);

    renderer.renderingContext.reset(wglCreateContext(dc));
    if (!renderer.renderingContext) return FailStart(renderer);
    renderer.contextCurrent = wglMakeCurrent(dc, renderer.renderingContext.get()) != FALSE;
    if (!renderer.contextCurrent) return FailStart(renderer);

    renderer.displayPower = RegisterDisplayPowerNotifications(renderer.window.get());
    renderer.refreshRate = PrimaryRefreshRate();

    ShowWindow(renderer.window.get(), SW_SHOW);
    SetForegroundWindow(renderer.window.get());
    SetFocus(renderer.window.get());
    AskForTheForeground(renderer);
    ResizeViewport(area.Width(), area.Height());
    SetUpGlState();
    CoverOtherMonitors(renderer);
    return true;
}

WPARAM RunMessageLoop(RendererWindow& renderer, Scene& scene, const RunOptions& options)
{
    FrameWait wait;
    const std::int64_t ticksPerSecond = PerformanceCounterFrequency();
    // Made for the refresh rate before the first frame, and anew whenever it changes.
    int pacedRate = 0;
    FramePacer pacer(0);

    // One message per turn; a frame only when the queue is empty, so nothing
    // is drawn while messages wait.
    MSG message{};
    for (;;) {
        if (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (message.message == WM_QUIT) break;
            TranslateMessage(&message);
            DispatchMessageA(&message);
            continue;
        }
        if (renderer.refreshRate != pacedRate) {
            pacedRate = renderer.refreshRate;
            pacer = FramePacer(options.paced ? FramePeriodFor(ticksPerSecond, pacedRate) : 0);
        }
        const std::int64_t now = PerformanceCounterNow();
        // Minimised as the activation said, or as the window is: a window
        // minimised while inactive hears no WM_ACTIVATE.
        const IdleState state{.minimised = !renderer.active || IsIconic(renderer.window.get()),
                              .displayOff = !renderer.displayOn,
                              .escapeHeld = renderer.keys[VK_ESCAPE],
                              .waitBeforeFrame = pacer.WaitBefore(now)};
        const IdleAction action = WhenQueueIsEmpty(state);
        if (action == IdleAction::EndRun) break;
        if (action == IdleAction::WaitForMessages) {
            wait.ForMessages();
        } else if (action == IdleAction::WaitForFrame) {
            wait.ForMessagesOrTicks(state.waitBeforeFrame);
        } else {
            pacer.FrameStarted(now);
            RenderFrame(scene);
            SwapBuffers(renderer.deviceContext.get());
            if (options.afterFrame && !options.afterFrame(scene.frame)) break;
        }
    }
    return message.wParam;
}

void CloseRendererWindow(RendererWindow& renderer)
{
    renderer.displayPower = {};
    renderer.covers.Clear();
    if (std::exchange(renderer.contextCurrent, false)) wglMakeCurrent(nullptr, nullptr);
    renderer.renderingContext.reset();
    renderer.deviceContext.reset();
    renderer.window.reset();
    renderer.hiddenCursor.reset();
    if (std::exchange(renderer.fullScreen, false)) ChangeDisplaySettingsA(nullptr, 0);
    renderer.windowClass.reset();
}

void ResizeViewport(int width, int height)
{
    const SceneViewport viewport = SceneViewportFor(width, height);
    glViewport(viewport.x, viewport.y, viewport.width, viewport.height);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(kFieldOfViewDegrees, static_cast<GLdouble>(viewport.width) / viewport.height, kNearPlane,
                   kFarPlane);
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

void RenderFrame(Scene& scene)
{
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glLoadIdentity();
    glPushAttrib(kAllAttributeBits);
    DrawScene(scene);
    glPopAttrib();
}

LRESULT CALLBACK RendererWndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE) {
        const auto* creation = reinterpret_cast<const CREATESTRUCTA*>(lParam);
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(creation->lpCreateParams));
    }
    auto* renderer = reinterpret_cast<RendererWindow*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    // Before WM_NCCREATE the window has no renderer yet.
    const RendererMessageAction action =
        renderer ? RouteRendererMessage(message, wParam) : RendererMessageAction::Default;
    switch (action) {
    case RendererMessageAction::Resize:
        ResizeViewport(LOWORD(lParam), HIWORD(lParam));
        // Shown again with the window: they were kept hidden while it was
        // minimised.
        if (wParam != SIZE_MINIMIZED) renderer->covers.Show();
        return 0;
    case RendererMessageAction::Activate:
        renderer->active = IsActiveAfter(wParam);
        return 0;
    case RendererMessageAction::Close:
        PostQuitMessage(0);
        return 0;
    case RendererMessageAction::KeyDown:
    case RendererMessageAction::KeyUp:
        renderer->keys[wParam] = action == RendererMessageAction::KeyDown;
        return 0;
    case RendererMessageAction::DisplayChange:
        FollowDisplayChange(*renderer);
        return 0;
    case RendererMessageAction::PowerSetting:
        if (const auto* setting = reinterpret_cast<const POWERBROADCAST_SETTING*>(lParam))
            renderer->displayOn = DisplayOnAfter(*setting).value_or(renderer->displayOn);
        return TRUE;
    case RendererMessageAction::ForegroundRetry:
        if (wParam == kForegroundTimerId) BringToFront(*renderer);
        return 0;
    case RendererMessageAction::ActivateApp:
        // Lost to another program while not minimised. A box of the
        // renderer's own is no other program: it brings no such message.
        if (!wParam && !IsIconic(hwnd)) AskForTheForeground(*renderer);
        return 0;
    case RendererMessageAction::Swallow:
        return 0;
    case RendererMessageAction::Default:
        break;
    }
    return DefWindowProcA(hwnd, message, wParam, lParam);
}
