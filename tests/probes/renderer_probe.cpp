// The renderer's own run, told by the system that the display went off and
// came back: sends itself the power-setting change for the console display
// (off after the tenth frame, on 1.5 s later) and prints what it drew.
//   renderer_probe.exe
// Prints "off MS" and "on MS" when it sent them, and "frame MS BRIGHTNESS"
// for each frame (MS: milliseconds of the scene's own clock since its first
// frame, the moment the frame was drawn for; BRIGHTNESS: the mean level, 0
// to 255, of the middle of the picture), then ends ten frames after the
// fade's end. It prints to standard error, where Wine writes its trace: a
// trace of the run holds the lines in the order of the calls around them.
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
constexpr int kFramesAfterTheFade = 10;
constexpr int kSampleSide = 64;
constexpr DWORD kDisplayOff = 0, kDisplayOn = 1;

std::uint64_t sceneStartTick = 0;
int frames = 0;
int framesAfterTheFade = 0;

unsigned long long SceneMilliseconds() { return GetTickCount64() - sceneStartTick; }

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
    std::fprintf(stderr, "on %llu\n", SceneMilliseconds());
    std::fflush(stderr);
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

bool AfterFrame(const SceneFrame& frame)
{
    ++frames;
    sceneStartTick = frame.startTick;
    std::fprintf(stderr, "frame %llu %.2f\n", static_cast<unsigned long long>(frame.lastTick - frame.startTick),
                 MiddleBrightness());
    if (frames == kFramesBeforeOff) {
        std::fprintf(stderr, "off %llu\n", SceneMilliseconds());
        SendDisplayState(kDisplayOff);
        SetTimer(nullptr, 0, kOffMilliseconds, DisplayBackOn);
    }
    std::fflush(stderr);
    return !frame.fadeDone || ++framesAfterTheFade < kFramesAfterTheFade;
}

}  // namespace

int main()
{
    LoadSystemDlls();
    RunRenderer({.afterFrame = AfterFrame});
    return frames > 0 ? 0 : 1;
}
