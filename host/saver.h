// The saver form Sorvane_S: hidden for the whole full-screen run, it writes
// the textures, starts the music and the renderer, and ends the run when the
// renderer's window has gone.
#pragma once

// Loads the saver form without showing it.
void LoadSaverForm();
