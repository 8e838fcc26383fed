#include "run.h"

#include "scene.h"
#include "shared_names.h"
#include "window.h"

namespace {

constexpr int kScreenWidth = 1024, kScreenHeight = 768, kScreenBits = 32;

}  // namespace

int RunRenderer(bool (*afterFrame)())
{
    if (!OpenRendererWindow(kRendererWindowTitle, kScreenWidth, kScreenHeight, kScreenBits)) return 0;
    if (!StartScene()) {
        CloseRendererWindow();
        return 0;
    }
    const WPARAM lastWParam = RunMessageLoop(DrawScene, afterFrame);
    EndScene();
    CloseRendererWindow();
    return static_cast<int>(lastWParam);
}
