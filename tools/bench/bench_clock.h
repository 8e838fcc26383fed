// What each benchmark program measures from its first frame to its end, and
// the one line it prints: frames per second and CPU time per frame.
#pragma once

#include <windows.h>

#include <cstdint>
#include <cstdio>

class FrameMeter {
public:
    // The first frame starts the measuring; each one after it is counted.
    void CountFrame()
    {
        if (started_) {
            ++frames_;
            return;
        }
        started_ = true;
        QueryPerformanceCounter(&startCounter_);
        startCpu_ = ProcessCpuSeconds();
    }
    bool Started() const { return started_; }
    // Ends measuring at the last frame: what the program does after it (its
    // tear-down) is not counted.
    void Stop()
    {
        stoppedSeconds_ = ElapsedSeconds();
        stoppedCpu_ = ProcessCpuSeconds() - startCpu_;
        stopped_ = true;
    }
    double ElapsedSeconds() const
    {
        if (stopped_) return stoppedSeconds_;
        LARGE_INTEGER now, frequency;
        QueryPerformanceCounter(&now);
        QueryPerformanceFrequency(&frequency);
        return static_cast<double>(now.QuadPart - startCounter_.QuadPart) / static_cast<double>(frequency.QuadPart);
    }
    std::uint64_t Frames() const { return frames_; }

    void Print(const char* name, const char* extra = "") const
    {
        const double seconds = ElapsedSeconds();
        const double cpu = stopped_ ? stoppedCpu_ : ProcessCpuSeconds() - startCpu_;
        std::printf("%-22s frames %8llu  fps %9.1f  cpu ms/frame %7.3f%s\n", name,
                    static_cast<unsigned long long>(frames_), static_cast<double>(frames_) / seconds,
                    frames_ ? 1000.0 * cpu / static_cast<double>(frames_) : 0.0, extra);
        std::fflush(stdout);
    }

    static double ProcessCpuSeconds()
    {
        FILETIME created, exited, kernel, user;
        GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
        auto seconds = [](FILETIME t) {
            return static_cast<double>((std::uint64_t{t.dwHighDateTime} << 32) | t.dwLowDateTime) / 1e7;
        };
        return seconds(kernel) + seconds(user);
    }

private:
    LARGE_INTEGER startCounter_{};
    double startCpu_ = 0;
    std::uint64_t frames_ = 0;
    bool started_ = false, stopped_ = false;
    double stoppedSeconds_ = 0, stoppedCpu_ = 0;
};
