// Entry point of Sorvane.scr, the screen-saver host.
#include <windows.h>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int)
{
    // The start-up dispatch arrives with the host's start-up routine; until
    // then the host starts and ends cleanly.
    return 0;
}
