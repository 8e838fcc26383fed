#include "display_rules.h"

#include "screen_shape.h"

#include <algorithm>

namespace {

// The scene's own shape, that of the screen it was made for.
constexpr int kSceneAspectWidth = kSceneScreenWidth, kSceneAspectHeight = kSceneScreenHeight;

bool Overlap(const ScreenRect& a, const ScreenRect& b)
{
    return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

}  // namespace

SceneViewport SceneViewportFor(int width, int height)
{
    width = std::max(width, 0);
    height = std::max(height, 1);
    // Compared as products, in 64 bits: no rounding decides which side is
    // the one that limits.
    const long long wide = static_cast<long long>(width) * kSceneAspectHeight;
    const long long tall = static_cast<long long>(height) * kSceneAspectWidth;
    SceneViewport viewport{0, 0, width, height};
    if (wide > tall) {
        viewport.width = static_cast<int>(tall / kSceneAspectHeight);
        viewport.x = (width - viewport.width) / 2;
    } else if (wide < tall) {
        viewport.height = std::max(1, static_cast<int>(wide / kSceneAspectWidth));
        viewport.y = (height - viewport.height) / 2;
    }
    return viewport;
}

std::vector<ScreenRect> CoverRectsFor(const std::vector<MonitorArea>& monitors)
{
    std::vector<ScreenRect> covers;
    for (const MonitorArea& monitor : monitors) {
        if (monitor.primary || monitor.rect.IsEmpty()) continue;
        const bool showsThePrimary = std::any_of(monitors.begin(), monitors.end(), [&](const MonitorArea& other) {
            return other.primary && Overlap(other.rect, monitor.rect);
        });
        if (!showsThePrimary) covers.push_back(monitor.rect);
    }
    return covers;
}
