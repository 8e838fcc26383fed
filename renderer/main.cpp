// Entry point of Sorvane.dll, the full-screen renderer (a program). It reads
// no command line.
#include "run.h"
#include "system_library.h"

#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    LoadSystemDlls();
    return RunRenderer();
}
