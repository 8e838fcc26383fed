#include "multimedia_platform.h"

#include "sound_threads.h"

#include <windows.h>
#include <mmsystem.h>

#include <optional>
#include <vector>

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
        if (sound) threadsBeforeSound_ = ProcessThreadIds();
        const bool done = PlaySoundA(sound, nullptr, flags) != FALSE;
        if (!sound && threadsBeforeSound_) {
            WaitForThreadsBegunSince(*threadsBeforeSound_);
            threadsBeforeSound_.reset();
        }
        return done;
    }

private:
    std::optional<std::vector<std::uint32_t>> threadsBeforeSound_;
};

WinmmPlatform winmm;
MultimediaPlatform* current = &winmm;

}  // namespace

MultimediaPlatform& CurrentMultimediaPlatform() { return *current; }

void UseMultimediaPlatform(MultimediaPlatform* platform) { current = platform ? platform : &winmm; }
