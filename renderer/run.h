// The renderer's whole life, from the display mode switch to the tear-down.
#pragma once

// Opens the full-screen window, starts the scene, draws frames until the user
// ends the run, then releases the scene while its GL context is current and
// closes the window. `afterFrame`, when given, runs after each frame and ends
// the run by returning false. Gives the program's exit code: 0 when the start
// fails, else the wParam of the last message.
int RunRenderer(bool (*afterFrame)() = nullptr);
