// The saver form Sorvane_S: hidden for the whole full-screen run, it writes
// the textures, starts the music and the renderer, and ends the run when the
// renderer's window has gone.
#pragma once

#include "startup_rules.h"

// Loads the saver form without showing it, for the run the start-up plan
// decided (which says whether the cursor was hidden for it).
void LoadSaverForm(const StartUpPlan& plan);
