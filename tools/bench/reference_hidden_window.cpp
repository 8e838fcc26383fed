// A bare Windows GUI program, for the host's memory to be held against: one
// hidden window and its message loop for the seconds given (default 30),
// then it ends. What Wine costs any GUI program, and nothing more.
//   reference_hidden_window.exe [SECONDS]
#include <windows.h>

#include <cstdlib>

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int)
{
    const double seconds = *commandLine ? std::atof(commandLine) : 30.0;
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = DefWindowProcA;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = "SorvaneReferenceHidden";
    RegisterClassA(&windowClass);
    CreateWindowExA(0, windowClass.lpszClassName, "Sorvane reference hidden", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                    CW_USEDEFAULT, 200, 100, nullptr, nullptr, instance, nullptr);
    SetTimer(nullptr, 0, static_cast<UINT>(seconds * 1000), nullptr);
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        if (message.message == WM_TIMER) break;
        DispatchMessageA(&message);
    }
    return 0;
}
