// The renderer's whole life, from the display mode switch to the tear-down.
#pragma once

#include "scene_frame.h"

// How a run goes beyond what users see: hooks for the benchmark and the tests.
struct RunOptions {
    // Runs after each frame's swap with the frame's state, the scene's own
    // clock included, and ends the run by returning false.
    bool (*afterFrame)(const SceneFrame& frame) = nullptr;
    // Frames no faster than the display's refresh rate. Only the benchmark
    // turns it off, to weigh what pacing saves.
    bool paced = true;
};

// Opens the full-screen window, starts the scene, draws frames until the user
// ends the run, then releases the scene while its GL context is current and
// closes the window. Gives the program's exit code: 0 when the start fails,
// else the wParam of the last message.
int RunRenderer(const RunOptions& options = {});
