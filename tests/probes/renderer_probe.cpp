// The renderer's own run, told by the system that the display went off and
// came back: sends itself the power-setting change for the console display
// (off after the tenth frame, on 1.5 s later) and prints what it drew.
//   renderer_probe.exe
// Prints "off MS" and "on MS" when it sent them, and "frame MS BRIGHTNESS"
// for each frame (milliseconds since the first frame; the mean level, 0 to
// 255, of the middle of the picture), then ends after 30 frames past "on".
#include "display_power.h"
#include "run.h"
#include "shared_names.h"
#include "system_library.h"

#include <windows.h>
#include <GL/gl.h>

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstring>

namespace {

constexpr int kFramesBeforeOff = 10;
constexpr UINT kOffMilliseconds = 1500;
constexpr int kFramesAfterOn = 30;
constexpr int kSampleSide = 64;
constexpr DWORD kDisplayOff = 0, kDisplayOn = 1;

ULONGLONG firstFrameTick = 0;
int frames = 0;
int framesAfterOn = -1;

double Milliseconds() { return static_cast<double>(GetTickCount64() - firstFrameTick); }

void SendDisplayState(DWORD state)
{
    // The setting's data follows its header; one DWORD of it.
    std::array<unsigned char, sizeof(POWERBROADCAST_SETTING) + sizeof(DWORD)> buffer{};
    auto* setting = reinterpret_cast<POWERBROADCAST_SETTING*>(buffer.data());
    setting->PowerSetting = kConsoleDisplayState;
    setting->DataLength = sizeof(DWORD);
    std::memcpy(setting->Data, &state, sizeof state);
    SendMessageA(FindWindowA(nullptr, kRendererWindowTitle), WM_POWERBROADCAST, PBT_POWERSETTINGCHANGE,
                 reinterpret_cast<LPARAM>(setting));
}

void CALLBACK DisplayBackOn(HWND, UINT, UINT_PTR timer, DWORD)
{
    KillTimer(nullptr, timer);
    std::printf("on %.0f\n", Milliseconds());
    framesAfterOn = 0;
    SendDisplayState(kDisplayOn);
}

double MiddleBrightness()
{
    GLint viewport[4] = {};
    glGetIntegerv(GL_VIEWPORT, viewport);
    static std::array<unsigned char, kSampleSide * kSampleSide * 3> pixels;
    // Mesa keeps the back buffer as it was drawn after the swap.
    glReadBuffer(GL_BACK);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(viewport[0] + (viewport[2] - kSampleSide) / 2, viewport[1] + (viewport[3] - kSampleSide) / 2,
                 kSampleSide, kSampleSide, GL_RGB, GL_UNSIGNED_BYTE, pixels.data());
    double sum = 0;
    for (const unsigned char level : pixels) sum += level;
    return sum / static_cast<double>(pixels.size());
}

bool AfterFrame(const SceneFrame&)
{
    if (frames++ == 0) firstFrameTick = GetTickCount64();
    std::printf("frame %.0f %.2f\n", Milliseconds(), MiddleBrightness());
    if (frames == kFramesBeforeOff) {
        std::printf("off %.0f\n", Milliseconds());
        SendDisplayState(kDisplayOff);
        SetTimer(nullptr, 0, kOffMilliseconds, DisplayBackOn);
    }
    std::fflush(stdout);
    return framesAfterOn < 0 || ++framesAfterOn < kFramesAfterOn;
}

}  // namespace

int main()
{
    LoadSystemDlls();
    RunRenderer({.afterFrame = AfterFrame});
    return frames > 0 ? 0 : 1;
}
