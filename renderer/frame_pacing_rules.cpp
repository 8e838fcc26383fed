#include "frame_pacing_rules.h"

int RefreshRateFrom(std::uint32_t displayFrequency)
{
    // 0 and 1 stand for the hardware's default rate, which says nothing.
    return displayFrequency <= 1 ? kDefaultRefreshRate : static_cast<int>(displayFrequency);
}

std::int64_t FramePeriodFor(std::int64_t ticksPerSecond, int refreshRate)
{
    if (ticksPerSecond <= 0 || refreshRate <= 0) return 0;
    return (ticksPerSecond + refreshRate - 1) / refreshRate;
}

std::int64_t FramePacer::WaitBefore(std::int64_t now) const
{
    if (!started_ || now >= nextStart_) return 0;
    return nextStart_ - now;
}

void FramePacer::FrameStarted(std::int64_t now)
{
    if (period_ <= 0) return;
    if (!started_ || now - nextStart_ >= period_) {
        started_ = true;
        nextStart_ = now + period_;
    } else {
        nextStart_ += period_;
    }
}

IdleAction WhenQueueIsEmpty(const IdleState& state)
{
    // A minimised window takes no keys, so Escape is looked at only when
    // the window shows, as ever.
    if (state.minimised) return IdleAction::WaitForMessages;
    if (state.escapeHeld) return IdleAction::EndRun;
    if (state.displayOff) return IdleAction::WaitForMessages;
    if (state.waitBeforeFrame > 0) return IdleAction::WaitForFrame;
    return IdleAction::DrawFrame;
}
