// When the renderer draws: never faster than the display shows frames, and
// not at all while nothing can be seen. Plain C++ over the system's tick
// counts, so that tests can drive any moment.
#pragma once

#include <cstdint>

// The rate taken where the system reports the hardware's default (0 or 1)
// rather than a rate.
inline constexpr int kDefaultRefreshRate = 60;

// The primary display's refresh rate, from its current mode's frequency.
int RefreshRateFrom(std::uint32_t displayFrequency);

// The shortest time between two frame starts at that refresh rate, in ticks
// of a clock with `ticksPerSecond`; rounded up, so that frames never come
// faster than the display.
std::int64_t FramePeriodFor(std::int64_t ticksPerSecond, int refreshRate);

// Frame starts on an even grid one period apart. A frame late by less than
// a period keeps the grid, so the frames stay even however the waits wake;
// one later than that (frames slower than the display, or a pause) starts a
// new grid, and such frames follow each other back to back.
class FramePacer {
public:
    // A period of 0 paces nothing.
    explicit FramePacer(std::int64_t period) : period_(period) {}

    // How long before the next frame may start; 0 when it may start now.
    std::int64_t WaitBefore(std::int64_t now) const;
    // A frame starts at `now`.
    void FrameStarted(std::int64_t now);

private:
    std::int64_t period_;
    bool started_ = false;
    std::int64_t nextStart_ = 0;
};

// What the loop does when no message is waiting.
enum class IdleAction {
    EndRun,           // Escape is held
    WaitForMessages,  // nothing can be seen: rest until a message comes
    WaitForFrame,     // too early for the next frame: rest until then, or a message
    DrawFrame,
};

struct IdleState {
    bool minimised = false;
    bool displayOff = false;
    bool escapeHeld = false;
    std::int64_t waitBeforeFrame = 0;
};

IdleAction WhenQueueIsEmpty(const IdleState& state);
