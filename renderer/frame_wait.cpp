#include "frame_wait.h"

namespace {

// Not in every SDK's headers yet: Windows 10 1803's flag for a timer that
// keeps its due time to well under a millisecond.
constexpr DWORD kHighResolutionTimerFlag = 0x00000002;
// The resolution asked of the system where no such timer exists.
constexpr UINT kTimerResolutionMs = 1;
// A waitable timer's due time counts 100 ns units; negative means relative.
constexpr std::int64_t kTimerUnitsPerSecond = 10'000'000;
constexpr std::int64_t kMillisecondsPerSecond = 1000;

std::int64_t QueriedCounter(BOOL(WINAPI* query)(LARGE_INTEGER*))
{
    LARGE_INTEGER value{};
    query(&value);
    return value.QuadPart;
}

}  // namespace

std::int64_t PerformanceCounterNow() { return QueriedCounter(QueryPerformanceCounter); }

std::int64_t PerformanceCounterFrequency() { return QueriedCounter(QueryPerformanceFrequency); }

FrameWait::FrameWait()
{
    timer_.reset(CreateWaitableTimerExW(nullptr, nullptr, kHighResolutionTimerFlag, TIMER_ALL_ACCESS));
    if (timer_) return;
    // Older systems refuse the flag: a plain timer, which follows the
    // system's timer resolution, raised for as long as the run lasts.
    timer_.reset(CreateWaitableTimerExW(nullptr, nullptr, 0, TIMER_ALL_ACCESS));
    if (timeBeginPeriod(kTimerResolutionMs) == TIMERR_NOERROR) raisedResolution_.reset(kTimerResolutionMs);
}

void FrameWait::ForMessages()
{
    // MWMO_INPUTAVAILABLE: also messages that arrived before this call and
    // that no PeekMessage has taken yet end the wait.
    MsgWaitForMultipleObjectsEx(0, nullptr, INFINITE, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
}

void FrameWait::ForMessagesOrTicks(std::int64_t ticks)
{
    if (ticks <= 0) return;
    const std::int64_t frequency = PerformanceCounterFrequency();
    if (timer_) {
        LARGE_INTEGER due{};
        due.QuadPart = -(ticks * kTimerUnitsPerSecond / frequency);
        if (due.QuadPart < 0 && SetWaitableTimer(timer_.get(), &due, 0, nullptr, nullptr, FALSE)) {
            HANDLE timer = timer_.get();
            MsgWaitForMultipleObjectsEx(1, &timer, INFINITE, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
            CancelWaitableTimer(timer);
            return;
        }
    }
    // Whole milliseconds, rounded down: the frame is never later for it, and
    // the grid keeps the frames' rate.
    const auto milliseconds = static_cast<DWORD>(ticks * kMillisecondsPerSecond / frequency);
    MsgWaitForMultipleObjectsEx(0, nullptr, milliseconds, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
}
