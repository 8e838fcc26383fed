// Runs the host's music routines for real, as the saver form will:
//   music_probe.exe mp3 PATH STOP   OpenMp3Music, RepeatMp3Music every
//                                   1000 ms, then CloseMp3Music
//   music_probe.exe wav PATH STOP   PlayWaveMusic, then StopWaveMusic
//   music_probe.exe cd              OpenCdMusic, one PollCdMusic, CloseCdMusic
// A file plays until the file STOP exists: the test stops it once it has
// heard what it listens for, and the probe stays, silent, until STOP is gone,
// so that what the test hears then is the routines' silence, not the end of
// the process. Each prints what the routines left in the host's globals.
#include "music.h"
#include "settings.h"

#include <windows.h>

#include <cstdio>
#include <cstring>

namespace {

constexpr DWORD kMp3RepeatIntervalMs = 1000;
constexpr DWORD kStopLookMs = 50;
constexpr std::int32_t kUntouched = 12345;

void Report(const char* what)
{
    std::printf("%s LastApiResult=%d CdPollOk=%d LastMciAnswer=%s\n", what, LastApiResult, CdPollOk,
                LastMciAnswer.c_str());
    std::fflush(stdout);
}

// Calls repeat every interval (none for 0) until the stop file exists.
void PlayUntil(const char* stopFile, DWORD interval, void (*repeat)())
{
    DWORD last = GetTickCount();
    while (GetFileAttributesA(stopFile) == INVALID_FILE_ATTRIBUTES) {
        Sleep(kStopLookMs);
        if (interval && GetTickCount() - last >= interval) {
            last = GetTickCount();
            repeat();
        }
    }
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 2) return 2;
    LastApiResult = kUntouched;
    const bool mp3 = std::strcmp(argv[1], "mp3") == 0, wav = std::strcmp(argv[1], "wav") == 0;
    if ((mp3 || wav) && argc == 4) {
        BgmFile = argv[2];
        if (mp3) {
            OpenMp3Music();
            Report("playing");
            PlayUntil(argv[3], kMp3RepeatIntervalMs, RepeatMp3Music);
            CloseMp3Music();
        } else {
            PlayWaveMusic();
            Report("playing");
            PlayUntil(argv[3], 0, nullptr);
            StopWaveMusic();
        }
    } else if (std::strcmp(argv[1], "cd") == 0) {
        OpenCdMusic();
        PollCdMusic();
        CloseCdMusic();
    } else {
        return 2;
    }
    Report("stopped");
    if (argc == 4)
        while (GetFileAttributesA(argv[3]) != INVALID_FILE_ATTRIBUTES) Sleep(kStopLookMs);
    return 0;
}
