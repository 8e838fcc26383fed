// Entry point of Sorvane.scr, the screen-saver host.
#include "ansi_text.h"
#include "forms/application.h"
#include "settings.h"
#include "startup.h"
#include "startup_rules.h"
#include "system_library.h"

#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    LoadSystemDlls();
    // The argument text is the command line's ANSI bytes after the program path.
    StartUp(ArgumentText(GetCommandLineA(), ModulePath(), IsAnsiLeadByte));
    Application::RunMessageLoop();
    return 0;
}
