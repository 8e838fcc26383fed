#include "run.h"

#include "scene.h"
#include "screen_shape.h"
#include "shared_names.h"
#include "window.h"

int RunRenderer(const RunOptions& options)
{
    RendererWindow renderer;
    if (!OpenRendererWindow(renderer, kRendererWindowTitle, kSceneScreenWidth, kSceneScreenHeight, kSceneScreenBits))
        return 0;
    Scene scene;
    StartScene(scene);
    const WPARAM lastWParam = RunMessageLoop(renderer, scene, options);
    EndScene(scene);
    CloseRendererWindow(renderer);
    return static_cast<int>(lastWParam);
}
