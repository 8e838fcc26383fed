// The host's process: it lives while any form is loaded.
#pragma once

namespace Application {

// Runs the user-interface thread's messages until no form is loaded.
void RunMessageLoop();

// Ends the process at once: no form's unload handler runs.
[[noreturn]] void EndProgram();

// How many forms are loaded; forms keep it up to date.
int LoadedFormCount();
void FormLoaded();
void FormUnloaded();

}  // namespace Application
