// Entry point of Sorvane.dll, the full-screen renderer (a program). It reads
// no command line.
#include "run.h"

#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) { return RunRenderer(); }
