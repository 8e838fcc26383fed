// Runs the host's music routines for real, as the saver form will:
//   music_probe.exe mp3 PATH SECONDS   OpenMp3Music, RepeatMp3Music every
//                                      1000 ms, then CloseMp3Music
//   music_probe.exe wav PATH SECONDS   PlayWaveMusic, then StopWaveMusic
//   music_probe.exe cd                 OpenCdMusic, one PollCdMusic, CloseCdMusic
// Each then waits two seconds in silence and prints what the routines left
// in the host's globals.
#include "music.h"
#include "settings.h"

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

constexpr DWORD kMp3RepeatIntervalMs = 1000;
constexpr DWORD kSilenceAfterMs = 2000;
constexpr std::int32_t kUntouched = 12345;

void Report(const char* what)
{
    std::printf("%s LastApiResult=%d CdPollOk=%d LastMciAnswer=%s\n", what, LastApiResult, CdPollOk,
                LastMciAnswer.c_str());
    std::fflush(stdout);
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 2) return 2;
    LastApiResult = kUntouched;
    const bool mp3 = std::strcmp(argv[1], "mp3") == 0, wav = std::strcmp(argv[1], "wav") == 0;
    if ((mp3 || wav) && argc == 4) {
        BgmFile = argv[2];
        const DWORD runMs = static_cast<DWORD>(std::atof(argv[3]) * 1000);
        const DWORD start = GetTickCount();
        if (mp3) {
            OpenMp3Music();
            while (GetTickCount() - start < runMs) {
                Sleep(kMp3RepeatIntervalMs);
                RepeatMp3Music();
            }
            CloseMp3Music();
        } else {
            PlayWaveMusic();
            Report("playing");
            Sleep(runMs);
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
    Sleep(kSilenceAfterMs);
    return 0;
}
