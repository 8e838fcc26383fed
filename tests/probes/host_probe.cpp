// The host's own start-up and forms under conditions a test cannot make with
// the real Sorvane.scr:
//   host_probe.exe pane-gone   the preview into a pane of the probe's own,
//                              which a hook destroys as the preview form is
//                              created: between the pane check and SetParent
//   host_probe.exe slow-music  a full-screen run ("/s") from the probe's
//                              folder, its settings and Sorvane.dll there,
//                              with a music device whose open takes 12 s
// Both then run the host's message loop; the host decides when they end.
#include "forms/application.h"
#include "multimedia_platform.h"
#include "preview.h"
#include "shared_names.h"
#include "startup.h"

#include <windows.h>

#include <cstdint>
#include <cstring>
#include <cwchar>
#include <utility>

namespace {

constexpr DWORD kSlowOpenMs = 12000;

HWND pane = nullptr;

// Destroys the pane the moment the preview's form window is being created.
LRESULT CALLBACK DestroyPaneOnPreview(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HCBT_CREATEWND) {
        const CREATESTRUCTW* created = reinterpret_cast<CBT_CREATEWNDW*>(lParam)->lpcs;
        if (created->lpszName && !IS_INTRESOURCE(created->lpszName) &&
            std::wcscmp(created->lpszName, kPreviewFormCaption) == 0 && pane)
            DestroyWindow(std::exchange(pane, nullptr));
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

// A device that answers everything, only slowly to "open".
class SlowToOpen final : public MultimediaPlatform {
public:
    std::uint32_t SendString(const char* command, char* answer, unsigned capacity) override
    {
        if (std::strncmp(command, "open", 4) == 0) Sleep(kSlowOpenMs);
        if (answer && capacity) answer[0] = '\0';
        return 0;
    }
    bool ErrorText(std::uint32_t, char* buffer, unsigned capacity) override
    {
        if (buffer && capacity) buffer[0] = '\0';
        return false;
    }
    unsigned WaveOutDeviceCount() override { return 1; }
    bool PlayWave(const char*, unsigned) override { return true; }
};

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int)
{
    if (std::strcmp(commandLine, "pane-gone") == 0) {
        WNDCLASSW paneClass{};
        paneClass.lpfnWndProc = DefWindowProcW;
        paneClass.hInstance = instance;
        paneClass.lpszClassName = L"SorvaneProbePane";
        RegisterClassW(&paneClass);
        pane = CreateWindowExW(0, paneClass.lpszClassName, L"probe pane", WS_POPUP | WS_VISIBLE, 100, 100, 152, 112,
                               nullptr, nullptr, instance, nullptr);
        SetWindowsHookExW(WH_CBT, DestroyPaneOnPreview, nullptr, GetCurrentThreadId());
        StartPreview(static_cast<std::int32_t>(reinterpret_cast<INT_PTR>(pane)));
    } else if (std::strcmp(commandLine, "slow-music") == 0) {
        static SlowToOpen device;
        UseMultimediaPlatform(&device);
        StartUp("/s");
    } else {
        return 2;
    }
    Application::RunMessageLoop();
    return 0;
}
