// Entry point of Sorvane.dll, the full-screen renderer (a program).
#include "window.h"

#include <windows.h>

namespace {

constexpr char kRendererTitle[] = "Sorvane_VC";
constexpr int kScreenWidth = 1024, kScreenHeight = 768, kScreenBits = 32;

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    if (!OpenRendererWindow(kRendererTitle, kScreenWidth, kScreenHeight, kScreenBits)) return 0;

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
            RenderFrame();
            SwapBuffers(deviceContext);
        }
    }
    CloseRendererWindow();
    return static_cast<int>(message.wParam);
}
