// The renderer's rests between frames: until the next frame is due or a
// message comes, whichever is first, and precise enough to keep frames even
// (the system's default 15.6 ms tick would make them stutter).
#pragma once

#include "win32_handles.h"

#include <windows.h>
#include <mmsystem.h>

#include <cstdint>

// The performance counter: the clock the frames are paced by.
std::int64_t PerformanceCounterNow();
std::int64_t PerformanceCounterFrequency();

class FrameWait {
public:
    // A high-resolution waitable timer where the system offers one (Windows
    // 10 1803 on); else a plain one with the system's timer resolution
    // raised to a millisecond for the run; else timed waits at that
    // resolution.
    FrameWait();

    // Rests until a message is waiting in the queue.
    void ForMessages();
    // Rests until `ticks` of the performance counter have passed, or a
    // message is waiting, whichever comes first.
    void ForMessagesOrTicks(std::int64_t ticks);

private:
    UniqueKernelHandle timer_;
    // The resolution raised, in milliseconds: timeEndPeriod takes it back.
    UniqueHandle<ReleasedBy<UINT, timeEndPeriod>> raisedResolution_;
};
