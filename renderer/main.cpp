// Entry point of Sorvane.dll, the full-screen renderer (a program).
#include <windows.h>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int)
{
    // The window and the scene arrive with the renderer; until then it starts
    // and ends cleanly.
    return 0;
}
