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
    const WPARAM lastWParam = RunMessageLoop();
    CloseRendererWindow();
    return static_cast<int>(lastWParam);
}
