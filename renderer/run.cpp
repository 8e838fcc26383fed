#include "run.h"

#include "scene.h"
#include "shared_names.h"
#include "window.h"

namespace {

constexpr int kScreenWidth = 1024, kScreenHeight = 768, kScreenBits = 32;

}  // namespace

int RunRenderer(bool (*afterFrame)())
{
    RendererWindow renderer;
    if (!OpenRendererWindow(renderer, kRendererWindowTitle, kScreenWidth, kScreenHeight, kScreenBits)) return 0;
    StartScene();
    const WPARAM lastWParam = RunMessageLoop(renderer, DrawScene, afterFrame);
    EndScene();
    CloseRendererWindow(renderer);
    return static_cast<int>(lastWParam);
}
