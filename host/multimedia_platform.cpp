#include "multimedia_platform.h"

#include <windows.h>
#include <mmsystem.h>

namespace {

class WinmmPlatform final : public MultimediaPlatform {
public:
    std::uint32_t SendString(const char* command, char* answer, unsigned capacity) override
    {
        return mciSendStringA(command, answer, capacity, nullptr);
    }
    bool ErrorText(std::uint32_t code, char* buffer, unsigned capacity) override
    {
        return mciGetErrorStringA(code, buffer, capacity) != FALSE;
    }
    unsigned WaveOutDeviceCount() override { return waveOutGetNumDevs(); }
    bool PlayWave(const char* sound, unsigned flags) override
    {
        return PlaySoundA(sound, nullptr, flags) != FALSE;
    }
};

WinmmPlatform winmm;
MultimediaPlatform* current = &winmm;

}  // namespace

MultimediaPlatform& CurrentMultimediaPlatform() { return *current; }

void UseMultimediaPlatform(MultimediaPlatform* platform) { current = platform ? platform : &winmm; }
