// The renderer's own window, scene and loop, timed: runs for the seconds given
// (default 10) and prints frames per second, CPU per frame, the longest frame
// and the heap allocations made per frame once drawing has started. With
// --unpaced the frames come back to back, as fast as the machine draws them.
//   renderer_bench.exe [SECONDS] [--unpaced]
#include "bench_clock.h"
#include "run.h"
#include "system_library.h"

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <cstdio>
#include <cstring>

// Every allocation of the program's own code (and its static C++ run-time)
// passes here; the link wraps malloc, calloc and realloc.
std::atomic<std::uint64_t> allocations{0};
template <auto Real, typename... Arguments>
void* Counted(Arguments... arguments)
{
    ++allocations;
    return Real(arguments...);
}
extern "C" {
void* __real_malloc(std::size_t);
void* __real_calloc(std::size_t, std::size_t);
void* __real_realloc(void*, std::size_t);
void* __wrap_malloc(std::size_t size) { return Counted<__real_malloc>(size); }
void* __wrap_calloc(std::size_t count, std::size_t size) { return Counted<__real_calloc>(count, size); }
void* __wrap_realloc(void* block, std::size_t size) { return Counted<__real_realloc>(block, size); }
}

namespace {

FrameMeter meter;
double benchSeconds = 10.0;
std::uint64_t allocationsAtStart = 0, allocationsAtEnd = 0;
double lastFrameSeconds = 0, longestFrameSeconds = 0;

bool CountFrame(const SceneFrame&)
{
    const bool first = !meter.Started();
    meter.CountFrame();
    const double now = meter.ElapsedSeconds();
    if (first)
        allocationsAtStart = allocations;
    else
        longestFrameSeconds = std::max(longestFrameSeconds, now - lastFrameSeconds);
    lastFrameSeconds = now;
    if (now < benchSeconds) return true;
    // The last frame: the run's tear-down is not measured.
    meter.Stop();
    allocationsAtEnd = allocations;
    return false;
}

}  // namespace

int main(int argc, char** argv)
{
    LoadSystemDlls();
    benchSeconds = argc > 1 ? std::atof(argv[1]) : 10.0;
    const bool unpaced = argc > 2 && std::strcmp(argv[2], "--unpaced") == 0;
    RunRenderer({.afterFrame = CountFrame, .paced = !unpaced});
    if (!meter.Started()) {
        std::puts("renderer: could not start (display mode refused?)");
        return 1;
    }
    char extra[96];
    std::snprintf(extra, sizeof extra, "  longest frame ms %6.1f  allocations/frame %.3f", 1000.0 * longestFrameSeconds,
                  meter.Frames() ? static_cast<double>(allocationsAtEnd - allocationsAtStart) /
                                       static_cast<double>(meter.Frames())
                                 : 0.0);
    meter.Print(unpaced ? "Sorvane unpaced" : "Sorvane renderer", extra);
    return 0;
}
