// Entry point of Sorvane.scr, the screen-saver host.
#include "forms/application.h"
#include "startup.h"
#include "startup_rules.h"

#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    // The argument text is the command line's ANSI bytes after the program path.
    StartUp(ArgumentText(GetCommandLineA()));
    Application::RunMessageLoop();
    return 0;
}
