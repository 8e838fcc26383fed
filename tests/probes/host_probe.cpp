// The host's own start-up and forms under conditions a test cannot make with
// the real Sorvane.scr:
//   host_probe.exe pane-gone   the preview into a pane of the probe's own,
//                              which a hook destroys as the preview form is
//                              created: between the pane check and SetParent
//   host_probe.exe slow-music  a full-screen run ("/s") from the probe's
//                              folder, its settings and Sorvane.dll there,
//                              with a music device whose open takes 12 s
//   host_probe.exe cd-run      the same run with a CD drive in place, whose
//                              disc moves on to the next track 1 s after a
//                              play command
//   host_probe.exe cd-fails    the same, with a drive that stops answering
//                              after its fifth poll
// Each then runs the host's message loop; the host decides when they end. The
// CD runs write each command the drive received, with the milliseconds since
// the first, to cd-commands.txt beside the probe.
#include "forms/application.h"
#include "multimedia_platform.h"
#include "preview.h"
#include "shared_names.h"
#include "startup.h"

#include <windows.h>

#include "win32_handles.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <cwchar>
#include <string>
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

// A CD drive with a disc of 8 tracks of 1 s each, all in the scripted
// device's own time: a play command starts the named track, and the disc
// goes on to the next one after a second.
class ScriptedCdDrive final : public MultimediaPlatform {
public:
    explicit ScriptedCdDrive(int pollsBeforeFailing) : pollsLeft_(pollsBeforeFailing)
    {
        log_.reset(CreateFileA("cd-commands.txt", GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS,
                               FILE_ATTRIBUTE_NORMAL, nullptr));
    }

    std::uint32_t SendString(const char* command, char* answer, unsigned capacity) override
    {
        const ULONGLONG now = GetTickCount64();
        if (!first_) first_ = now;
        Log(now - first_, command);
        std::string reply;
        const std::string text = command;
        if (text == "status cdaudio current track" && pollsLeft_-- <= 0) return kNoDevice;
        if (text == "status cdaudio current track") {
            reply = std::to_string(CurrentTrack(now));
        } else if (text == "status cdaudio number of tracks") {
            reply = std::to_string(kTracks);
        } else if (text == "status cdaudio mode") {
            reply = playStarted_ && CurrentTrack(now) <= kTracks ? "playing" : "stopped";
        } else if (text.starts_with("status cdaudio position track ")) {
            reply = text.substr(std::strlen("status cdaudio position track ")) + ":00:00:00";
        } else if (text.starts_with("play cdaudio from ")) {
            playTrack_ = std::atoi(text.c_str() + std::strlen("play cdaudio from "));
            playStarted_ = now;
        } else if (text == "play cdaudio") {
            playTrack_ = 1;
            playStarted_ = now;
        }
        if (answer && capacity) {
            std::strncpy(answer, reply.c_str(), capacity - 1);
            answer[capacity - 1] = '\0';
        }
        return 0;
    }
    bool ErrorText(std::uint32_t, char* buffer, unsigned capacity) override
    {
        if (buffer && capacity) std::strncpy(buffer, "The device is not ready.", capacity - 1);
        return buffer && capacity;
    }
    unsigned WaveOutDeviceCount() override { return 1; }
    bool PlayWave(const char*, unsigned) override { return true; }

private:
    static constexpr int kTracks = 8;
    static constexpr ULONGLONG kTrackMs = 1000;
    static constexpr std::uint32_t kNoDevice = 266;

    int CurrentTrack(ULONGLONG now) const
    {
        if (!playStarted_) return 1;
        return playTrack_ + static_cast<int>((now - playStarted_) / kTrackMs);
    }

    void Log(ULONGLONG ms, const char* command)
    {
        const std::string line = std::to_string(ms) + " " + command + "\r\n";
        DWORD written = 0;
        WriteFile(log_.get(), line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
    }

    UniqueFile log_;
    ULONGLONG first_ = 0;
    ULONGLONG playStarted_ = 0;
    int playTrack_ = 1;
    int pollsLeft_;
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
    } else if (std::strcmp(commandLine, "cd-run") == 0 || std::strcmp(commandLine, "cd-fails") == 0) {
        constexpr int kAlwaysAnswers = 1'000'000, kAnswersFivePolls = 5;
        static ScriptedCdDrive drive(std::strcmp(commandLine, "cd-run") == 0 ? kAlwaysAnswers : kAnswersFivePolls);
        UseMultimediaPlatform(&drive);
        StartUp("/s");
    } else {
        return 2;
    }
    Application::RunMessageLoop();
    return 0;
}
