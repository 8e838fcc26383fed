// Reference: a full-screen GL window that only clears and swaps.
//   reference_clear_swap.exe [SECONDS]
#include "bench_clock.h"
#include "reference_window.h"

#include <cstdlib>

int main(int argc, char** argv)
{
    const double seconds = argc > 1 ? std::atof(argv[1]) : 10.0;
    ReferenceWindow window;
    if (!OpenReferenceWindow(window)) return 1;
    glClearColor(0.0f, 0.0f, 0.0f, 0.5f);
    RunFrames(window, seconds, "clear and swap", [] { glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT); });
    CloseReferenceWindow(window);
    return 0;
}
