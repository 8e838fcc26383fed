// A window for the harness to find, look at, click, type into and hear.
//   window_probe.exe TITLE [--tone] [--size WxH] [--at X,Y]
// Shows a red window (200 x 150 at (100, 100) unless told otherwise); a left
// click turns it green; Escape ends the program with exit code 7. With --tone
// it plays a looping 440 Hz tone until it ends.
#include "multimedia_platform.h"

#include <windows.h>
#include <mmsystem.h>
#include <shellapi.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <cwchar>
#include <numbers>
#include <string>
#include <vector>

namespace {

constexpr int probeLeft = 100, probeTop = 100, probeWidth = 200, probeHeight = 150;
constexpr int escapeExitCode = 7;
constexpr COLORREF startColour = RGB(255, 0, 0), clickedColour = RGB(0, 255, 0);
COLORREF faceColour = startColour;

// A one-second 16-bit mono 44.1 kHz WAV image of a 440 Hz sine at half scale.
std::vector<unsigned char> ToneWave()
{
    constexpr std::uint32_t rate = 44100, samples = rate;
    constexpr std::uint32_t dataBytes = samples * 2;
    std::vector<unsigned char> wave(44 + dataBytes);
    auto put32 = [&](std::size_t at, std::uint32_t v) { std::memcpy(&wave[at], &v, 4); };
    auto put16 = [&](std::size_t at, std::uint16_t v) { std::memcpy(&wave[at], &v, 2); };
    std::memcpy(&wave[0], "RIFF", 4);
    put32(4, 36 + dataBytes);
    std::memcpy(&wave[8], "WAVEfmt ", 8);
    put32(16, 16);
    put16(20, 1);
    put16(22, 1);
    put32(24, rate);
    put32(28, rate * 2);
    put16(32, 2);
    put16(34, 16);
    std::memcpy(&wave[36], "data", 4);
    put32(40, dataBytes);
    for (std::uint32_t i = 0; i < samples; ++i) {
        const double s = 16000.0 * std::sin(2.0 * std::numbers::pi * 440.0 * i / rate);
        put16(44 + 2 * i, static_cast<std::uint16_t>(static_cast<std::int16_t>(s)));
    }
    return wave;
}

LRESULT CALLBACK ProbeProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_PAINT: {
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(window, &paint);
        HBRUSH brush = CreateSolidBrush(faceColour);
        FillRect(dc, &paint.rcPaint, brush);
        DeleteObject(brush);
        EndPaint(window, &paint);
        return 0;
    }
    case WM_LBUTTONDOWN:
        faceColour = clickedColour;
        InvalidateRect(window, nullptr, FALSE);
        return 0;
    case WM_KEYDOWN:
        if (wParam == VK_ESCAPE) DestroyWindow(window);
        return 0;
    case WM_DESTROY:
        PostQuitMessage(escapeExitCode);
        return 0;
    default:
        return DefWindowProcW(window, message, wParam, lParam);
    }
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int)
{
    int argc = 0;
    LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    const std::wstring title = argc > 1 ? argv[1] : L"window_probe";
    bool tone = false;
    int left = probeLeft, top = probeTop, width = probeWidth, height = probeHeight;
    for (int i = 2; i < argc; ++i) {
        const std::wstring option = argv[i];
        if (option == L"--tone") tone = true;
        if (option == L"--size" && i + 1 < argc) std::swscanf(argv[++i], L"%dx%d", &width, &height);
        if (option == L"--at" && i + 1 < argc) std::swscanf(argv[++i], L"%d,%d", &left, &top);
    }
    LocalFree(argv);

    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = ProbeProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.lpszClassName = L"SorvaneWindowProbe";
    RegisterClassW(&windowClass);
    HWND window = CreateWindowExW(0, windowClass.lpszClassName, title.c_str(), WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN,
                                  left, top, width, height, nullptr, nullptr,
                                  instance, nullptr);
    if (!window) return 1;
    SetForegroundWindow(window);
    SetFocus(window);

    const std::vector<unsigned char> wave = tone ? ToneWave() : std::vector<unsigned char>{};
    // Through the host's own sound call, whose stop waits for the sound's threads.
    MultimediaPlatform& sound = CurrentMultimediaPlatform();
    if (tone)
        sound.PlayWave(reinterpret_cast<const char*>(wave.data()), SND_MEMORY | SND_ASYNC | SND_LOOP);

    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    if (tone) sound.PlayWave(nullptr, 0);
    return static_cast<int>(message.wParam);
}
